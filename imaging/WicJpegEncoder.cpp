#include "imaging/WicJpegEncoder.h"

#include "imaging/HGlobalStream.h"

#include <climits>

#include <wrl/client.h>

namespace tessaly {

using Microsoft::WRL::ComPtr;

namespace {
// An encoder that does not know an option keeps its own default for it.
void setOption(IPropertyBag2* options, const wchar_t* name, VARIANT value) {
    PROPBAG2 option = {};
    option.pstrName = const_cast<LPOLESTR>(name);
    options->Write(1, &option, &value);
}
} // namespace

std::optional<std::string> encodeWicJpeg(IWICImagingFactory* factory, const Pixels& bgr) {
    if (bgr.layout != PixelLayout::Bgr || bgr.bytes.size() > UINT_MAX)
        return std::nullopt;
    const ComPtr<IStream> stream = memoryStream(std::string());
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    if (!stream || FAILED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, &options)))
        return std::nullopt;
    VARIANT quality;
    VariantInit(&quality);
    quality.vt = VT_R4;
    quality.fltVal = 0.75f;
    setOption(options.Get(), L"ImageQuality", quality);
    VARIANT subsampling;
    VariantInit(&subsampling);
    subsampling.vt = VT_UI1;
    subsampling.bVal = WICJpegYCrCbSubsampling420;
    setOption(options.Get(), L"JpegYCrCbSubsampling", subsampling);

    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame->Initialize(options.Get())) || FAILED(frame->SetSize(bgr.width, bgr.height)) ||
        FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR)
        return std::nullopt;
    // The encoder only reads the pixels.
    BYTE* pixels = const_cast<BYTE*>(bgr.bytes.data());
    if (FAILED(frame->WritePixels(bgr.height, static_cast<UINT>(bgr.stride),
                                  static_cast<UINT>(bgr.bytes.size()), pixels)) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit()))
        return std::nullopt;
    return memoryStreamBytes(stream.Get());
}

} // namespace tessaly
