#include "support/Pictures.h"

#include "imaging/GdiplusObjects.h"
#include "platform/WideText.h"
#include "support/ExifBuilder.h"
#include "support/TempFolder.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace tessaly::test {

namespace flat = Gdiplus::DllExports;

namespace {
// GIF pictures hold palette indexes: GDI+ encodes those, not RGB pixels.
GdiplusBitmap indexedBitmap(unsigned width, unsigned height, std::uint32_t colour) {
    Gdiplus::GpBitmap* created = nullptr;
    if (flat::GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height), 0,
                                        PixelFormat8bppIndexed, nullptr, &created) != Gdiplus::Ok)
        return GdiplusBitmap();
    GdiplusBitmap bitmap(created);
    std::vector<char> block(sizeof(Gdiplus::ColorPalette) + 255 * sizeof(Gdiplus::ARGB));
    auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(block.data());
    palette->Flags = 0;
    palette->Count = 256;
    for (unsigned i = 0; i < 256; ++i)
        palette->Entries[i] = 0xFF000000 | (i * 0x010101);
    palette->Entries[1] = colour;
    const Gdiplus::GpRect all = {0, 0, static_cast<INT>(width), static_cast<INT>(height)};
    Gdiplus::BitmapData pixels;
    if (flat::GdipSetImagePalette(bitmap.get(), palette) != Gdiplus::Ok ||
        flat::GdipBitmapLockBits(bitmap.get(), &all, Gdiplus::ImageLockModeWrite,
                                 PixelFormat8bppIndexed, &pixels) != Gdiplus::Ok)
        return GdiplusBitmap();
    for (unsigned y = 0; y < height; ++y)
        std::memset(static_cast<char*>(pixels.Scan0) + y * pixels.Stride, 1, width);
    flat::GdipBitmapUnlockBits(bitmap.get(), &pixels);
    return bitmap;
}

GdiplusBitmap rgbBitmap(unsigned width, unsigned height, std::uint32_t colour) {
    Gdiplus::GpBitmap* created = nullptr;
    if (flat::GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height), 0,
                                        PixelFormat24bppRGB, nullptr, &created) != Gdiplus::Ok)
        return GdiplusBitmap();
    GdiplusBitmap bitmap(created);
    Gdiplus::GpGraphics* context = nullptr;
    if (flat::GdipGetImageGraphicsContext(bitmap.get(), &context) != Gdiplus::Ok)
        return GdiplusBitmap();
    const GdiplusGraphics graphics(context);
    if (flat::GdipGraphicsClear(graphics.get(), colour) != Gdiplus::Ok)
        return GdiplusBitmap();
    return bitmap;
}
} // namespace

bool writePicture(const std::string& path, unsigned width, unsigned height,
                  const std::wstring& mimeType, std::uint32_t colour, bool paletted) {
    const std::optional<CLSID> encoder = findGdiplusEncoder(mimeType);
    if (!encoder)
        return false;
    const GdiplusBitmap bitmap = paletted || mimeType == L"image/gif"
                                     ? indexedBitmap(width, height, colour)
                                     : rgbBitmap(width, height, colour);
    return bitmap && flat::GdipSaveImageToFile(bitmap.get(), wideFromUtf8(path).c_str(), &*encoder,
                                               nullptr) == Gdiplus::Ok;
}

namespace {
// From the file's bytes, so that any name the tests give is read as spelled.
StreamedImage loadFile(const std::string& path) {
    return loadGdiplusImage(readFile(path));
}

// Writes a picture of one pixel value, repeated, in exactly the given WIC pixel format.
bool writeWicPicture(const std::string& path, const GUID& container, const GUID& pixelFormat,
                     unsigned width, unsigned height, const std::string& pixel) {
    using Microsoft::WRL::ComPtr;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromFilename(wideFromUtf8(path).c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(container, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, &options)) ||
        FAILED(frame->Initialize(options.Get())) || FAILED(frame->SetSize(width, height)))
        return false;
    GUID format = pixelFormat;
    if (FAILED(frame->SetPixelFormat(&format)) || format != pixelFormat)
        return false; // the encoder would store another format than the test is about
    std::string pixels;
    for (unsigned i = 0; i < width * height; ++i)
        pixels += pixel;
    const UINT stride = static_cast<UINT>(width * pixel.size());
    return SUCCEEDED(frame->WritePixels(height, stride, static_cast<UINT>(pixels.size()),
                                        reinterpret_cast<BYTE*>(pixels.data()))) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}
} // namespace

bool writeCmykJpeg(const std::string& path, unsigned width, unsigned height, std::uint32_t cmyk) {
    const std::string pixel = {static_cast<char>(cmyk >> 24), static_cast<char>(cmyk >> 16),
                               static_cast<char>(cmyk >> 8), static_cast<char>(cmyk)};
    return writeWicPicture(path, GUID_ContainerFormatJpeg, GUID_WICPixelFormat32bppCMYK, width,
                           height, pixel);
}

bool writeGrey16Png(const std::string& path, unsigned width, unsigned height, std::uint16_t grey) {
    // WIC's 16-bit grey is stored in the machine's (little-endian) order.
    const std::string pixel = {static_cast<char>(grey & 0xFF), static_cast<char>(grey >> 8)};
    return writeWicPicture(path, GUID_ContainerFormatPng, GUID_WICPixelFormat16bppGray, width,
                           height, pixel);
}

bool writeArgbPng(const std::string& path, unsigned width, unsigned height, std::uint32_t argb) {
    const std::string pixel = {static_cast<char>(argb), static_cast<char>(argb >> 8),
                               static_cast<char>(argb >> 16), static_cast<char>(argb >> 24)};
    return writeWicPicture(path, GUID_ContainerFormatPng, GUID_WICPixelFormat32bppBGRA, width,
                           height, pixel);
}

std::string iconFile(unsigned width, unsigned height, std::uint32_t argb) {
    std::string bytes;
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const std::uint32_t maskRow = (width + 31) / 32 * 4;
    const std::uint32_t image = 40 + width * height * 4 + maskRow * height;
    put(0, 2), put(1, 2), put(1, 2);                          // an icon file of one picture
    put(width & 0xFF, 1), put(height & 0xFF, 1), put(0, 2);   // 256 is written as 0
    put(1, 2), put(32, 2), put(image, 4), put(6 + 16, 4);     // planes, bits, size, offset
    put(40, 4), put(width, 4), put(2 * height, 4), put(1, 2); // the colours and the mask
    put(32, 2), put(0, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4);
    for (unsigned i = 0; i < width * height; ++i)
        put(argb, 4);
    bytes += std::string(maskRow * height, '\0'); // nothing masked out
    return bytes;
}

PictureFacts readPicture(const std::string& path) {
    PictureFacts facts;
    const StreamedImage loaded = loadFile(path);
    Gdiplus::GpImage* image = loaded.image.get();
    if (image == nullptr)
        return facts;
    facts.loaded = true;
    flat::GdipGetImageWidth(image, &facts.width);
    flat::GdipGetImageHeight(image, &facts.height);
    Gdiplus::ARGB centre = 0;
    flat::GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(image),
                             static_cast<INT>(facts.width / 2), static_cast<INT>(facts.height / 2),
                             &centre);
    facts.centre = centre;
    const auto pixel = [&image](unsigned x, unsigned y) {
        Gdiplus::ARGB colour = 0;
        flat::GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(image), static_cast<INT>(x),
                                 static_cast<INT>(y), &colour);
        return static_cast<std::uint32_t>(colour);
    };
    for (unsigned x = 0; x < facts.width; ++x) {
        facts.edge.push_back(pixel(x, 0));
        facts.edge.push_back(pixel(x, facts.height - 1));
    }
    for (unsigned y = 0; y < facts.height; ++y) {
        facts.edge.push_back(pixel(0, y));
        facts.edge.push_back(pixel(facts.width - 1, y));
    }
    return facts;
}

bool writeMarkedJpeg(const std::string& path, unsigned width, unsigned height) {
    const std::optional<CLSID> encoder = findGdiplusEncoder(L"image/jpeg");
    const GdiplusBitmap bitmap = rgbBitmap(width, height, 0xFF0000FF);
    if (!encoder || !bitmap)
        return false;
    Gdiplus::GpGraphics* context = nullptr;
    if (flat::GdipGetImageGraphicsContext(bitmap.get(), &context) != Gdiplus::Ok)
        return false;
    {
        const GdiplusGraphics graphics(context);
        Gdiplus::GpSolidFill* red = nullptr;
        flat::GdipCreateSolidFill(0xFFFF0000, &red);
        flat::GdipFillRectangleI(graphics.get(), red, 0, 0, static_cast<INT>(width / 2),
                                 static_cast<INT>(height / 2));
        flat::GdipDeleteBrush(red);
    }
    return flat::GdipSaveImageToFile(bitmap.get(), wideFromUtf8(path).c_str(), &*encoder,
                                     nullptr) == Gdiplus::Ok;
}

int redCorner(const std::string& path) {
    const StreamedImage loaded = loadFile(path);
    Gdiplus::GpImage* image = loaded.image.get();
    UINT width = 0, height = 0;
    if (image == nullptr || flat::GdipGetImageWidth(image, &width) != Gdiplus::Ok ||
        flat::GdipGetImageHeight(image, &height) != Gdiplus::Ok)
        return -1;
    const INT left = static_cast<INT>(width / 8), right = static_cast<INT>(width - 1 - width / 8);
    const INT top = static_cast<INT>(height / 8),
              bottom = static_cast<INT>(height - 1 - height / 8);
    const INT corners[4][2] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    int found = -1;
    for (int i = 0; i < 4; ++i) {
        Gdiplus::ARGB colour = 0;
        flat::GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(image), corners[i][0],
                                 corners[i][1], &colour);
        if (closeColours(colour, 0xFFFF0000, 60)) {
            if (found != -1)
                return -1;
            found = i;
        }
    }
    return found;
}

bool closeColours(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift : {0, 8, 16}) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > tolerance)
            return false;
    }
    return true;
}

std::string tiffWithDateTime(unsigned width, unsigned height, const std::string& dateTime) {
    constexpr std::uint16_t kAscii = 2, kShort = 3, kLong = 4;
    constexpr std::uint32_t kEntries = 10;
    const std::uint32_t textOffset = kFirstIfd + 2 + kEntries * 12 + 4;
    const std::uint32_t textSize = static_cast<std::uint32_t>(dateTime.size()) + 1;
    const std::uint32_t pixelOffset = textOffset + textSize + (textSize & 1);
    TiffWriter tiff;
    tiff.ifd({{0x0100, kLong, 1, width},
              {0x0101, kLong, 1, height},
              {0x0102, kShort, 1, 8},             // bits per sample
              {0x0103, kShort, 1, 1},             // no compression
              {0x0106, kShort, 1, 1},             // black is zero
              {0x0111, kLong, 1, pixelOffset},    // the one strip
              {0x0115, kShort, 1, 1},             // samples per pixel
              {0x0116, kLong, 1, height},         // rows per strip
              {0x0117, kLong, 1, width * height}, // strip byte count
              {0x0132, kAscii, textSize, textOffset}});
    tiff.append(dateTime + std::string(1 + (textSize & 1), '\0'));
    tiff.append(std::string(width * height, static_cast<char>(0x80)));
    return tiff.bytes;
}

bool setModificationTime(const std::string& path, std::int64_t seconds) {
    // FILETIME counts 100-nanosecond steps since 1601.
    const std::uint64_t ticks = static_cast<std::uint64_t>(seconds + 11644473600LL) * 10000000ULL;
    FILETIME stamp;
    stamp.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
    stamp.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    const HANDLE opened = CreateFileW(wideFromUtf8(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return false;
    const std::unique_ptr<void, decltype(&CloseHandle)> file(opened, &CloseHandle);
    return SetFileTime(file.get(), nullptr, nullptr, &stamp) != FALSE;
}

} // namespace tessaly::test
