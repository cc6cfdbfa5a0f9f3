// tessaly-samples: makes a folder of sample photographs to try Tessaly on: a dozen JPEG
// pictures named as a camera names them, of different sizes and orientations, whose
// modification times are not in the order of their names.
// Usage: tessaly-samples <folder>
#include "host/CommandLine.h"
#include "imaging/GdiplusObjects.h"
#include "platform/WideText.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

namespace flat = Gdiplus::DllExports;
using namespace tessaly;

struct Sample {
    unsigned width;
    unsigned height;
    Gdiplus::ARGB from;
    Gdiplus::ARGB to;
    int minutesAfterStart; // the shot's time, not in name order
};

const Sample kSamples[] = {
    {1600, 1200, 0xFF1E5799, 0xFF7DB9E8, 95},  {1200, 1600, 0xFF2E7D32, 0xFFA5D6A7, 12},
    {2048, 1536, 0xFFEF6C00, 0xFFFFE0B2, 47},  {640, 480, 0xFF6A1B9A, 0xFFE1BEE7, 3},
    {1536, 2048, 0xFFC62828, 0xFFFFCDD2, 130}, {1024, 768, 0xFF00838F, 0xFFB2EBF2, 64},
    {800, 600, 0xFF4E342E, 0xFFD7CCC8, 21},    {1200, 900, 0xFF283593, 0xFFC5CAE9, 150},
    {480, 640, 0xFF9E9D24, 0xFFF0F4C3, 33},    {1920, 1080, 0xFF37474F, 0xFFCFD8DC, 88},
    {1080, 1920, 0xFFAD1457, 0xFFF8BBD0, 5},   {500, 375, 0xFF00695C, 0xFFB2DFDB, 71},
};

bool drawSample(const Sample& sample, int number, const std::wstring& path, const CLSID& jpeg) {
    Gdiplus::GpBitmap* raw = nullptr;
    if (flat::GdipCreateBitmapFromScan0(static_cast<INT>(sample.width),
                                        static_cast<INT>(sample.height), 0, PixelFormat24bppRGB,
                                        nullptr, &raw) != Gdiplus::Ok)
        return false;
    GdiplusBitmap bitmap(raw);
    Gdiplus::GpGraphics* rawGraphics = nullptr;
    if (flat::GdipGetImageGraphicsContext(bitmap.get(), &rawGraphics) != Gdiplus::Ok)
        return false;
    GdiplusGraphics graphics(rawGraphics);
    flat::GdipSetSmoothingMode(graphics.get(), Gdiplus::SmoothingModeHighQuality);

    // A sky-to-ground gradient, a sun and a row of hills: enough to see the scaling.
    const Gdiplus::Point top(0, 0);
    const Gdiplus::Point bottom(0, static_cast<INT>(sample.height));
    Gdiplus::GpLineGradient* gradient = nullptr;
    flat::GdipCreateLineBrushI(&top, &bottom, sample.from, sample.to, Gdiplus::WrapModeTile,
                               &gradient);
    if (gradient != nullptr) {
        flat::GdipFillRectangleI(graphics.get(), gradient, 0, 0, static_cast<INT>(sample.width),
                                 static_cast<INT>(sample.height));
        flat::GdipDeleteBrush(gradient);
    }
    const INT unit =
        static_cast<INT>((sample.width < sample.height ? sample.width : sample.height) / 8);
    Gdiplus::GpSolidFill* fill = nullptr;
    flat::GdipCreateSolidFill(0xFFFFD54F, &fill);
    if (fill != nullptr) {
        flat::GdipFillEllipseI(graphics.get(), fill, static_cast<INT>(sample.width) - 3 * unit,
                               unit, 2 * unit, 2 * unit);
        flat::GdipSetSolidFillColor(fill, 0xC0263238);
        for (int hill = 0; hill < 4; ++hill)
            flat::GdipFillEllipseI(graphics.get(), fill,
                                   static_cast<INT>(sample.width) * hill / 4 - unit,
                                   static_cast<INT>(sample.height) - 2 * unit,
                                   static_cast<INT>(sample.width) / 2, 4 * unit);
        // The picture's number as dots, so that each one can be told apart when viewed.
        flat::GdipSetSolidFillColor(fill, 0xFFFFFFFF);
        for (int dot = 0; dot < number; ++dot)
            flat::GdipFillEllipseI(graphics.get(), fill, unit / 2 + (dot % 6) * unit,
                                   unit / 2 + (dot / 6) * unit, unit * 2 / 3, unit * 2 / 3);
        flat::GdipDeleteBrush(fill);
    }
    graphics.reset();
    return flat::GdipSaveImageToFile(bitmap.get(), path.c_str(), &jpeg, nullptr) == Gdiplus::Ok;
}

bool setModified(const std::string& path, std::int64_t unixSeconds) {
    const std::int64_t ticks = (unixSeconds + 11644473600LL) * 10000000LL;
    FILETIME when = {static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
    HANDLE file = CreateFileW(wideFromUtf8(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const BOOL done = SetFileTime(file, nullptr, nullptr, &when);
    CloseHandle(file);
    return done != FALSE;
}

} // namespace

int main() {
    const std::vector<std::string> arguments = tessaly::host::CommandLineArguments();
    if (arguments.size() != 1) {
        std::fprintf(stderr, "usage: tessaly-samples <folder>\n");
        return 2;
    }
    std::string folder = arguments[0];
    if (folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    // With its parents, such as C:\Photos for C:\Photos\Rome.
    for (size_t end = folder.find_first_of("\\/", 3); end != std::string::npos;
         end = folder.find_first_of("\\/", end + 1))
        CreateDirectoryW(wideFromUtf8(folder.substr(0, end)).c_str(), nullptr);

    const Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    int failures = 0;
    {
        const std::optional<CLSID> jpeg = findGdiplusEncoder(L"image/jpeg");
        const std::int64_t start = 1749891600; // 2025-06-14 09:00:00 UTC, a summer morning
        int number = 1;
        for (const Sample& sample : kSamples) {
            char name[32];
            std::snprintf(name, sizeof name, "IMG_%04d.JPG", number);
            const std::string path = folder + name;
            if (!jpeg || !drawSample(sample, number, wideFromUtf8(path), *jpeg) ||
                !setModified(path, start + 60LL * sample.minutesAfterStart)) {
                std::fprintf(stderr, "could not make %s\n", path.c_str());
                ++failures;
            } else {
                std::printf("%s  %ux%u\n", path.c_str(), sample.width, sample.height);
            }
            ++number;
        }
    }
    Gdiplus::GdiplusShutdown(token);
    return failures == 0 ? 0 : 1;
}
