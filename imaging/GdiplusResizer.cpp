#include "imaging/GdiplusResizer.h"

#include "imaging/GdiplusObjects.h"
#include "imaging/ScaledSize.h"
#include "naming/CaseFolding.h"
#include "platform/WideText.h"
#include "platform/Win32FileIdentity.h"

#include <io.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace tessaly {

namespace flat = Gdiplus::DllExports;

namespace {
constexpr PROPID kDateTimeTag = 0x0132;

// A copy written over its own source would destroy the picture, and GDI+ still reads the source
// while it writes.
bool sameFile(const std::string& source, const std::wstring& wideSource, const std::string& target,
              const std::wstring& wideTarget) {
    return compareIgnoringCase(source, target) == 0 || sameExistingFile(wideSource, wideTarget);
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

// Draws the whole picture scaled onto a new canvas of the given size, at the highest quality
// settings. The canvas takes the picture's own pixel format, except an indexed one (GIF pictures,
// some PNG and BMP pictures): GDI+ cannot draw on those, and the copy would come out without
// the picture on it. Such a canvas is 24-bit RGB, as JPEG stores it. Null when GDI+ cannot draw.
GdiplusBitmap drawScaled(Gdiplus::GpImage* picture, PictureSize size) {
    Gdiplus::PixelFormat format = PixelFormat24bppRGB;
    flat::GdipGetImagePixelFormat(picture, &format);
    if ((format & PixelFormatIndexed) != 0)
        format = PixelFormat24bppRGB;
    std::optional<Canvas> canvas = createCanvas(size, format);
    if (!canvas)
        return GdiplusBitmap();

    Gdiplus::GpGraphics* graphics = canvas->graphics.get();
    flat::GdipSetCompositingQuality(graphics, Gdiplus::CompositingQualityHighQuality);
    flat::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeHighQuality);
    flat::GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeHighQualityBicubic);
    if (flat::GdipDrawImageRect(graphics, picture, 0.0f, 0.0f,
                                static_cast<Gdiplus::REAL>(size.width),
                                static_cast<Gdiplus::REAL>(size.height)) != Gdiplus::Ok)
        return GdiplusBitmap();
    canvas->graphics.reset();
    return std::move(canvas->bitmap);
}
} // namespace

GdiplusResizer::GdiplusResizer(MessageBoxes& messages) : messages_(messages) {
    // Version 1, no debug callback, background thread and external codecs not suppressed.
    const Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    started_ = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    token_ = token;
}

GdiplusResizer::~GdiplusResizer() {
    if (started_)
        Gdiplus::GdiplusShutdown(static_cast<ULONG_PTR>(token_));
}

int GdiplusResizer::ResizeToJpeg(const std::string& source, const std::string& target,
                                 unsigned width, unsigned height) {
    const std::wstring wideSource = wideFromUtf8(source);
    const std::wstring wideTarget = wideFromUtf8(target);
    if (sameFile(source, wideSource, target, wideTarget))
        return resize::NotWritten;

    if (_waccess(wideTarget.c_str(), 0) == 0) {
        const int answer = messages_.show(
            MessageOwner::None,
            "The resize file name already exists: " + target +
                "\nDo you want to overwrite the file?  Select Cancel to cancel further resize "
                "operations.",
            "Warning", mb::YesNoCancel);
        if (answer == mb::IdCancel)
            return resize::CancelAll;
        if (answer != mb::IdYes)
            return resize::NotWritten;
    }

    GdiplusImage picture = loadGdiplusImage(wideSource);
    UINT sourceWidth = 0;
    UINT sourceHeight = 0;
    if (picture) {
        flat::GdipGetImageWidth(picture.get(), &sourceWidth);
        flat::GdipGetImageHeight(picture.get(), &sourceHeight);
    }
    const std::optional<PictureSize> size = scaledSize(sourceWidth, sourceHeight, width, height);
    if (!size)
        return resize::NotWritten;

    const GdiplusBitmap canvas = drawScaled(picture.get(), *size);
    // The source file is closed before anything is written.
    picture.reset();
    if (!canvas)
        return resize::NotWritten;

    const std::optional<CLSID> jpeg = findGdiplusEncoder(L"image/jpeg");
    if (!jpeg)
        return resize::NotWritten;
    if (flat::GdipSaveImageToFile(canvas.get(), wideTarget.c_str(), &*jpeg, nullptr) != Gdiplus::Ok)
        return resize::NotWritten;
    return resize::Written;
}

std::optional<std::string> GdiplusResizer::ReadDateTimeTag(const std::string& path) const {
    const GdiplusImage picture = loadGdiplusImage(wideFromUtf8(path));
    if (!picture)
        return std::nullopt;
    UINT size = 0;
    if (flat::GdipGetPropertyItemSize(picture.get(), kDateTimeTag, &size) != Gdiplus::Ok ||
        size < sizeof(Gdiplus::PropertyItem))
        return std::nullopt;

    // As large as GDI+ says the item is: the header, then the value right behind it.
    std::vector<Gdiplus::PropertyItem> buffer;
    try {
        buffer.resize((size + sizeof(Gdiplus::PropertyItem) - 1) / sizeof(Gdiplus::PropertyItem));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    Gdiplus::PropertyItem* item = buffer.data();
    if (flat::GdipGetPropertyItem(picture.get(), kDateTimeTag, size, item) != Gdiplus::Ok)
        return std::nullopt;

    // Only bytes inside the buffer are read, whatever the header claims.
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
    const auto value = reinterpret_cast<std::uintptr_t>(item->value);
    if (item->value == nullptr || value < begin || value > begin + size)
        return std::nullopt;
    const std::size_t length = std::min<std::size_t>(item->length, begin + size - value);
    std::string text(static_cast<const char*>(item->value), length);
    const std::size_t terminator = text.find('\0');
    if (terminator != std::string::npos)
        text.resize(terminator);
    return text;
}

} // namespace tessaly
