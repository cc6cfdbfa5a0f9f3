#include "imaging/WicDecoder.h"

#include "imaging/DecodeScale.h"
#include "imaging/WicSourceTransform.h"

#include <climits>
#include <cstdint>
#include <new>
#include <vector>

namespace tessaly {

using Microsoft::WRL::ComPtr;

namespace {

// The layouts a frame is copied in as it comes, without a converter.
std::optional<PixelLayout> layoutOf(const WICPixelFormatGUID& format) {
    if (format == GUID_WICPixelFormat24bppBGR)
        return PixelLayout::Bgr;
    if (format == GUID_WICPixelFormat32bppBGR)
        return PixelLayout::Bgrx;
    if (format == GUID_WICPixelFormat32bppPBGRA)
        return PixelLayout::Pbgra;
    return std::nullopt;
}

// What the converter is asked for, in this order: premultiplied BGRA keeps any alpha; 24-bit BGR
// for a format that Wine's converter turns into nothing else.
struct Conversion {
    const WICPixelFormatGUID* format;
    PixelLayout layout;
};
const Conversion kConversions[] = {{&GUID_WICPixelFormat32bppPBGRA, PixelLayout::Pbgra},
                                   {&GUID_WICPixelFormat24bppBGR, PixelLayout::Bgr}};

std::vector<PictureSize> offeredSizes(IWICBitmapSourceTransform* transform, PictureSize full) {
    std::vector<PictureSize> sizes;
    for (const unsigned d : {2u, 4u, 8u}) {
        UINT width = (full.width + d - 1) / d;
        UINT height = (full.height + d - 1) / d;
        if (SUCCEEDED(transform->GetClosestSize(&width, &height)) && width > 0 && height > 0)
            sizes.push_back({width, height});
    }
    return sizes;
}

// Room for the pixels, or nothing when WIC's sizes cannot count them or there is no memory.
std::optional<Pixels> room(PictureSize size, PixelLayout layout) {
    const std::uint64_t stride = std::uint64_t{size.width} * bytesPerPixel(layout);
    if (stride * size.height > UINT_MAX)
        return std::nullopt;
    try {
        return blankPixels(size.width, size.height, layout);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<Pixels> converted(const WicPicture& picture) {
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(picture.factory->CreateFormatConverter(&converter)))
        return std::nullopt;
    for (const Conversion& to : kConversions) {
        if (FAILED(converter->Initialize(picture.frame.Get(), *to.format, WICBitmapDitherTypeNone,
                                         nullptr, 0.0, WICBitmapPaletteTypeCustom)))
            continue;
        std::optional<Pixels> pixels = room(picture.size, to.layout);
        if (pixels && SUCCEEDED(converter->CopyPixels(nullptr, static_cast<UINT>(pixels->stride),
                                                      static_cast<UINT>(pixels->bytes.size()),
                                                      pixels->bytes.data())))
            return pixels;
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<WicPicture> openWicPicture(const std::string& bytes) {
    WicPicture picture;
    if (bytes.empty() || bytes.size() > MAXDWORD)
        return std::nullopt;
    // The stream only reads from the bytes.
    BYTE* memory = reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()));
    UINT width = 0;
    UINT height = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&picture.factory))) ||
        FAILED(picture.factory->CreateStream(&picture.stream)) ||
        FAILED(picture.stream->InitializeFromMemory(memory, static_cast<DWORD>(bytes.size()))) ||
        FAILED(picture.factory->CreateDecoderFromStream(
            picture.stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &picture.decoder)) ||
        FAILED(picture.decoder->GetFrame(0, &picture.frame)) ||
        FAILED(picture.frame->GetSize(&width, &height)) || width == 0 || height == 0)
        return std::nullopt;
    picture.size = {width, height};
    return picture;
}

DecodePlan planDecode(const WicPicture& picture, PictureSize copy) {
    DecodePlan plan;
    plan.size = picture.size;
    WICPixelFormatGUID format = {};
    if (SUCCEEDED(picture.frame->GetPixelFormat(&format))) {
        if (const std::optional<PixelLayout> layout = layoutOf(format)) {
            plan.layout = *layout;
            plan.format = format;
        }
    }
    ComPtr<IWICBitmapSourceTransform> transform;
    if (FAILED(picture.frame.As(&transform)))
        return plan; // Wine's decoders, and most codecs but JPEG's
    const PictureSize size =
        decodeSize(picture.size, copy, offeredSizes(transform.Get(), picture.size));
    WICPixelFormatGUID closest = plan.format;
    BOOL turns = FALSE;
    if (size == picture.size || FAILED(transform->GetClosestPixelFormat(&closest)) ||
        !layoutOf(closest) ||
        FAILED(transform->DoesSupportTransform(WICBitmapTransformRotate0, &turns)) || !turns)
        return plan;
    plan.size = size;
    plan.layout = *layoutOf(closest);
    plan.format = closest;
    plan.scaled = true;
    return plan;
}

std::optional<Pixels> decodeWicPicture(const WicPicture& picture, const DecodePlan& plan) {
    WICPixelFormatGUID format = {};
    if (FAILED(picture.frame->GetPixelFormat(&format)))
        return std::nullopt;
    if (!plan.scaled && format != plan.format)
        return converted(picture);
    std::optional<Pixels> pixels = room(plan.size, plan.layout);
    if (!pixels)
        return std::nullopt;
    const UINT stride = static_cast<UINT>(pixels->stride);
    const UINT size = static_cast<UINT>(pixels->bytes.size());
    BYTE* buffer = pixels->bytes.data();
    HRESULT result = E_FAIL;
    if (plan.scaled) {
        ComPtr<IWICBitmapSourceTransform> transform;
        WICPixelFormatGUID wanted = plan.format;
        if (SUCCEEDED(picture.frame.As(&transform)))
            result = transform->CopyPixels(nullptr, plan.size.width, plan.size.height, &wanted,
                                           WICBitmapTransformRotate0, stride, size, buffer);
        if (SUCCEEDED(result) && wanted != plan.format)
            result = E_FAIL;
    } else {
        result = picture.frame->CopyPixels(nullptr, stride, size, buffer);
    }
    if (FAILED(result))
        return std::nullopt;
    return pixels;
}

} // namespace tessaly
