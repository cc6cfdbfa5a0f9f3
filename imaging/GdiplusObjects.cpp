#include "imaging/GdiplusObjects.h"

#include <new>
#include <vector>

namespace tessaly {

namespace flat = Gdiplus::DllExports;

GdiplusImage loadGdiplusImage(const std::wstring& path) {
    Gdiplus::GpImage* image = nullptr;
    if (flat::GdipLoadImageFromFile(path.c_str(), &image) != Gdiplus::Ok)
        return GdiplusImage();
    return GdiplusImage(image);
}

std::optional<CLSID> findGdiplusEncoder(const std::wstring& mimeType) {
    UINT count = 0;
    UINT bytes = 0;
    if (flat::GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || count == 0 || bytes == 0)
        return std::nullopt;
    // The records come first, the strings they point to follow in the same block.
    std::vector<Gdiplus::ImageCodecInfo> block;
    try {
        block.resize((bytes + sizeof(Gdiplus::ImageCodecInfo) - 1) /
                     sizeof(Gdiplus::ImageCodecInfo));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (flat::GdipGetImageEncoders(count, bytes, block.data()) != Gdiplus::Ok)
        return std::nullopt;
    for (UINT i = 0; i < count && i < block.size(); ++i) {
        if (block[i].MimeType != nullptr && mimeType == block[i].MimeType)
            return block[i].Clsid;
    }
    return std::nullopt;
}

} // namespace tessaly
