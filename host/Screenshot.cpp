#include "host/Screenshot.h"

#include "imaging/GdiplusObjects.h"
#include "platform/WideText.h"

#include <algorithm>

namespace tessaly::host {

namespace flat = Gdiplus::DllExports;

namespace {
struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() {
        if (dc != nullptr)
            ReleaseDC(nullptr, dc);
    }
};
struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDc() {
        if (dc != nullptr)
            DeleteDC(dc);
    }
};
struct Bitmap {
    HBITMAP bitmap;
    Bitmap(HDC like, int width, int height) : bitmap(CreateCompatibleBitmap(like, width, height)) {}
    ~Bitmap() {
        if (bitmap != nullptr)
            DeleteObject(bitmap);
    }
};
} // namespace

bool SaveScreenArea(const RECT& area, const std::string& pngPath) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return false;
    ScreenDc screen;
    MemoryDc memory(screen.dc);
    Bitmap bitmap(screen.dc, width, height);
    if (screen.dc == nullptr || memory.dc == nullptr || bitmap.bitmap == nullptr)
        return false;
    const HGDIOBJ previous = SelectObject(memory.dc, bitmap.bitmap);
    const BOOL copied = BitBlt(memory.dc, 0, 0, width, height, screen.dc, area.left, area.top,
                               SRCCOPY | CAPTUREBLT);
    SelectObject(memory.dc, previous);
    if (!copied)
        return false;

    Gdiplus::GpBitmap* raw = nullptr;
    if (flat::GdipCreateBitmapFromHBITMAP(bitmap.bitmap, nullptr, &raw) != Gdiplus::Ok)
        return false;
    const GdiplusBitmap picture(raw);
    const std::optional<CLSID> png = findGdiplusEncoder(L"image/png");
    return png && flat::GdipSaveImageToFile(picture.get(), wideFromUtf8(pngPath).c_str(), &*png,
                                            nullptr) == Gdiplus::Ok;
}

bool SaveWindowPicture(HWND window, const std::string& pngPath, HWND extra) {
    RECT area;
    if (!GetWindowRect(window, &area))
        return false;
    RECT more;
    if (extra != nullptr && GetWindowRect(extra, &more)) {
        area.left = std::min(area.left, more.left);
        area.top = std::min(area.top, more.top);
        area.right = std::max(area.right, more.right);
        area.bottom = std::max(area.bottom, more.bottom);
    }
    // Windows partly off the screen are cut to it.
    area.left = std::max<LONG>(area.left, 0);
    area.top = std::max<LONG>(area.top, 0);
    area.right = std::min<LONG>(area.right, GetSystemMetrics(SM_CXSCREEN));
    area.bottom = std::min<LONG>(area.bottom, GetSystemMetrics(SM_CYSCREEN));
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return SaveScreenArea(area, pngPath);
}

} // namespace tessaly::host
