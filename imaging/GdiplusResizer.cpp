#include "imaging/GdiplusResizer.h"

#include "imaging/ExifReader.h"
#include "imaging/GdiplusObjects.h"
#include "imaging/JpegSegments.h"
#include "imaging/ScaledSize.h"
#include "naming/CaseFolding.h"
#include "platform/WideText.h"
#include "platform/Win32FileIdentity.h"
#include "platform/Win32FileSystem.h"

#include <io.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include <wrl/client.h>

namespace tessaly {

namespace flat = Gdiplus::DllExports;

namespace {
constexpr PROPID kDateTimeTag = 0x0132;
// How much of a source's start its metadata may take; an ICC profile can run to megabytes.
constexpr std::size_t kHeadLimit = 8 * 1024 * 1024;

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

// What a copy of a picture carries of the original's metadata: its EXIF block made fit for the
// copy, and its ICC profile. Both only from JPEG originals, and only when they are sound.
struct CarriedMetadata {
    std::string exif;
    std::vector<std::string> iccSegments;
    bool empty() const { return exif.empty() && iccSegments.empty(); }
};

CarriedMetadata carriedMetadata(const PictureHead& head, PictureSize copy) {
    CarriedMetadata carried;
    if (head.format != PictureHead::Format::Jpeg)
        return carried;
    if (!head.exif.empty())
        carried.exif = exifForCopy(head.exif, copy.width, copy.height).value_or(std::string());
    carried.iccSegments = wholeIccProfile(head.iccSegments);
    return carried;
}

// Encodes the canvas as JPEG with the metadata placed right after its start marker, and writes
// the file, replacing an existing one.
bool saveJpegWithMetadata(Gdiplus::GpImage* canvas, const CLSID& jpeg, const std::wstring& target,
                          const CarriedMetadata& carried) {
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return false;
    Microsoft::WRL::ComPtr<IStream> owned;
    *owned.GetAddressOf() = stream;
    if (flat::GdipSaveImageToStream(canvas, stream, &jpeg, nullptr) != Gdiplus::Ok)
        return false;
    HGLOBAL memory = nullptr;
    if (FAILED(GetHGlobalFromStream(stream, &memory)))
        return false;
    STATSTG status = {};
    if (FAILED(stream->Stat(&status, STATFLAG_NONAME)))
        return false;
    const char* encoded = static_cast<const char*>(GlobalLock(memory));
    if (encoded == nullptr)
        return false;
    std::optional<std::string> bytes = jpegWithMetadata(
        std::string_view(encoded, static_cast<std::size_t>(status.cbSize.QuadPart)), carried.exif,
        carried.iccSegments);
    if (!bytes) // not carried safely: the copy as the encoder made it
        bytes = std::string(encoded, static_cast<std::size_t>(status.cbSize.QuadPart));
    GlobalUnlock(memory);

    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &written,
                              nullptr) != FALSE &&
                    written == bytes->size();
    const bool closed = CloseHandle(file) != FALSE;
    if (!ok || !closed) {
        DeleteFileW(target.c_str()); // no half-written copy
        return false;
    }
    return true;
}

// A copy written over its own source would destroy the picture, and GDI+ still reads the source
// while it writes.
bool sameFile(const std::string& source, const std::wstring& wideSource, const std::string& target,
              const std::wstring& wideTarget) {
    return sameFileSystemName(source, target) || sameExistingFile(wideSource, wideTarget);
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

    // The size applies to the upright picture, as every viewer shows it.
    const PictureHead head = readPictureHead(Win32FileSystem(), source, kHeadLimit);
    const ExifRead exif = readExifTags(head.exif);
    const int orientation =
        exif.status == ExifRead::Status::Ok && head.format != PictureHead::Format::Other
            ? exif.tags.orientation.value_or(1)
            : 1;

    GdiplusImage picture = loadGdiplusImage(wideSource);
    UINT sourceWidth = 0;
    UINT sourceHeight = 0;
    if (picture) {
        turnUpright(picture.get(), orientation);
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
    const CarriedMetadata carried = carriedMetadata(head, *size);
    if (!carried.empty())
        return saveJpegWithMetadata(canvas.get(), *jpeg, wideTarget, carried) ? resize::Written
                                                                              : resize::NotWritten;
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
