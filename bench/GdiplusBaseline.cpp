#include "GdiplusBaseline.h"

#include "imaging/CarriedMetadata.h"
#include "imaging/GdiplusObjects.h"
#include "imaging/Orientation.h"
#include "imaging/ScaledSize.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include <wrl/client.h>

namespace tessaly::bench {

namespace flat = Gdiplus::DllExports;

namespace {
// Turns and mirrors a picture upright, by its EXIF orientation (1 to 8). The two that turn and
// mirror take two steps: implementations of GDI+ differ in the order of the combined ones.
void turnUpright(Gdiplus::GpImage* picture, int orientation) {
    const auto step = [picture](Gdiplus::RotateFlipType type) {
        flat::GdipImageRotateFlip(picture, type);
    };
    switch (orientation) {
    case 2:
        step(Gdiplus::RotateNoneFlipX);
        break;
    case 3:
        step(Gdiplus::Rotate180FlipNone);
        break;
    case 4:
        step(Gdiplus::RotateNoneFlipY);
        break;
    case 5:
        step(Gdiplus::Rotate90FlipNone), step(Gdiplus::RotateNoneFlipX);
        break;
    case 6:
        step(Gdiplus::Rotate90FlipNone);
        break;
    case 7:
        step(Gdiplus::Rotate270FlipNone), step(Gdiplus::RotateNoneFlipX);
        break;
    case 8:
        step(Gdiplus::Rotate270FlipNone);
        break;
    default:
        break;
    }
}

// The canvas encoded as a JPEG file, with the metadata carried into it.
std::optional<std::string> encodeJpeg(Gdiplus::GpImage* canvas, const CLSID& jpeg,
                                      const CarriedMetadata& carried) {
    const Microsoft::WRL::ComPtr<IStream> stream = memoryStream(std::string());
    if (!stream || flat::GdipSaveImageToStream(canvas, stream.Get(), &jpeg, nullptr) != Gdiplus::Ok)
        return std::nullopt;
    std::optional<std::string> encoded = memoryStreamBytes(stream.Get());
    if (!encoded)
        return encoded;
    return withCarriedMetadata(std::move(*encoded), carried);
}

// A canvas of the given size and pixel format with a drawing context on it.
struct Canvas {
    GdiplusBitmap bitmap;
    GdiplusGraphics graphics;
};

std::optional<Canvas> createCanvas(PictureSize size, Gdiplus::PixelFormat format) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (flat::GdipCreateBitmapFromScan0(static_cast<INT>(size.width), static_cast<INT>(size.height),
                                        0, format, nullptr, &bitmap) != Gdiplus::Ok)
        return std::nullopt;
    Canvas canvas{GdiplusBitmap(bitmap), GdiplusGraphics()};
    Gdiplus::GpGraphics* graphics = nullptr;
    if (flat::GdipGetImageGraphicsContext(canvas.bitmap.get(), &graphics) != Gdiplus::Ok)
        return std::nullopt;
    canvas.graphics.reset(graphics);
    return canvas;
}

// The canvas's pixel format: 24-bit RGB, as JPEG stores it, or 32-bit ARGB where the picture
// has alpha. Never the picture's own format: GDI+ gives no drawing context on indexed, CMYK,
// 16-bit grey or ARGB1555 pictures, and such photos would get no copy.
Gdiplus::PixelFormat canvasFormat(Gdiplus::GpImage* picture) {
    Gdiplus::PixelFormat format = PixelFormat24bppRGB;
    flat::GdipGetImagePixelFormat(picture, &format);
    return (format & PixelFormatAlpha) != 0 ? PixelFormat32bppARGB : PixelFormat24bppRGB;
}

// Drawing attributes under which the picture's edge repeats mirrored past it, so that bicubic
// sampling there finds the picture's own pixels rather than transparent black: no dark border.
GdiplusImageAttributes mirroredEdges() {
    Gdiplus::GpImageAttributes* created = nullptr;
    if (flat::GdipCreateImageAttributes(&created) != Gdiplus::Ok)
        return GdiplusImageAttributes();
    GdiplusImageAttributes attributes(created);
    if (flat::GdipSetImageAttributesWrapMode(attributes.get(), Gdiplus::WrapModeTileFlipXY, 0,
                                             FALSE) != Gdiplus::Ok)
        return GdiplusImageAttributes();
    return attributes;
}

// Draws the whole picture scaled onto a new canvas of the given size, at the highest quality
// settings. Null when GDI+ cannot draw.
GdiplusBitmap drawScaled(Gdiplus::GpImage* picture, PictureSize size) {
    UINT width = 0;
    UINT height = 0;
    flat::GdipGetImageWidth(picture, &width);
    flat::GdipGetImageHeight(picture, &height);
    std::optional<Canvas> canvas = createCanvas(size, canvasFormat(picture));
    const GdiplusImageAttributes edges = mirroredEdges();
    if (!canvas || !edges)
        return GdiplusBitmap();

    Gdiplus::GpGraphics* graphics = canvas->graphics.get();
    flat::GdipSetCompositingQuality(graphics, Gdiplus::CompositingQualityHighQuality);
    flat::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeHighQuality);
    flat::GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeHighQualityBicubic);
    if (flat::GdipDrawImageRectRect(
            graphics, picture, 0.0f, 0.0f, static_cast<Gdiplus::REAL>(size.width),
            static_cast<Gdiplus::REAL>(size.height), 0.0f, 0.0f, static_cast<Gdiplus::REAL>(width),
            static_cast<Gdiplus::REAL>(height), Gdiplus::UnitPixel, edges.get(), nullptr,
            nullptr) != Gdiplus::Ok)
        return GdiplusBitmap();
    canvas->graphics.reset();
    return std::move(canvas->bitmap);
}
} // namespace

std::optional<std::string> GdiplusBaseline::ScaledJpeg(const std::string& bytes, unsigned width,
                                                       unsigned height) {
    // The size applies to the upright picture, as every viewer shows it.
    const PictureHead head = readPictureHead(bytes);
    const int orientation = recordedOrientation(head);

    StreamedImage picture = loadGdiplusImage(bytes);
    UINT sourceWidth = 0;
    UINT sourceHeight = 0;
    if (picture.image) {
        turnUpright(picture.image.get(), orientation);
        flat::GdipGetImageWidth(picture.image.get(), &sourceWidth);
        flat::GdipGetImageHeight(picture.image.get(), &sourceHeight);
    }
    const std::optional<PictureSize> size = scaledSize(sourceWidth, sourceHeight, width, height);
    if (!size)
        return std::nullopt;

    const GdiplusBitmap canvas = drawScaled(picture.image.get(), *size);
    picture = StreamedImage();
    if (!canvas)
        return std::nullopt;

    const std::optional<CLSID> jpeg = findGdiplusEncoder(L"image/jpeg");
    if (!jpeg)
        return std::nullopt;
    return encodeJpeg(canvas.get(), *jpeg, carriedMetadata(head, *size));
}

} // namespace tessaly::bench
