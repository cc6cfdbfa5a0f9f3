#pragma once
// Pictures decoded by the Windows Imaging Component: any format it has a codec for, from bytes
// in memory, the first frame, into one of the layouts the resampler takes. Where the codec can
// scale while it decodes (IWICBitmapSourceTransform, as JPEG decoders can), it is asked to.

#include "imaging/Pixels.h"
#include "imaging/ScaledSize.h"

#include <windows.h>
#include <wincodec.h>

#include <optional>
#include <string>

#include <wrl/client.h>

namespace tessaly {

// The first frame of a picture, read as far as its header. The bytes must outlive it.
struct WicPicture {
    Microsoft::WRL::ComPtr<IWICImagingFactory> factory;
    Microsoft::WRL::ComPtr<IWICStream> stream;
    Microsoft::WRL::ComPtr<IWICBitmapDecoder> decoder;
    Microsoft::WRL::ComPtr<IWICBitmapFrameDecode> frame;
    PictureSize size; // of the stored pixels
};

// Nothing when no codec reads the bytes or the frame has no pixels. COM must be started.
std::optional<WicPicture> openWicPicture(const std::string& bytes);

// How a picture is to be decoded for a copy of the given size (of the stored pixels).
struct DecodePlan {
    PictureSize size;
    PixelLayout layout = PixelLayout::Pbgra;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppPBGRA;
    bool scaled = false; // by the codec's own transform
};

// Looks at the header only: the codec's pixel format and the sizes it offers to decode at.
DecodePlan planDecode(const WicPicture& picture, PictureSize copy);

// The pixels as planned; nothing when the codec fails or there is no memory for them.
std::optional<Pixels> decodeWicPicture(const WicPicture& picture, const DecodePlan& plan);

} // namespace tessaly
