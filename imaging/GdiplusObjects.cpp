#include "imaging/GdiplusObjects.h"

#include <cstring>
#include <new>
#include <vector>

namespace tessaly {

namespace flat = Gdiplus::DllExports;

Microsoft::WRL::ComPtr<IStream> memoryStream(const std::string& bytes) {
    Microsoft::WRL::ComPtr<IStream> stream;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
    if (memory == nullptr)
        return stream;
    if (void* at = GlobalLock(memory)) {
        std::memcpy(at, bytes.data(), bytes.size());
        GlobalUnlock(memory);
    } else {
        GlobalFree(memory);
        return stream;
    }
    // The stream frees the memory when it goes; until it was made, the memory is ours.
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.GetAddressOf()))) {
        GlobalFree(memory);
        return nullptr;
    }
    ULARGE_INTEGER size;
    size.QuadPart = bytes.size();
    stream->SetSize(size);
    return stream;
}

std::optional<std::string> memoryStreamBytes(IStream* stream) {
    HGLOBAL memory = nullptr;
    STATSTG status = {};
    if (FAILED(GetHGlobalFromStream(stream, &memory)) ||
        FAILED(stream->Stat(&status, STATFLAG_NONAME)) ||
        status.cbSize.QuadPart > GlobalSize(memory))
        return std::nullopt;
    const char* at = static_cast<const char*>(GlobalLock(memory));
    if (at == nullptr)
        return std::nullopt;
    std::string bytes(at, static_cast<std::size_t>(status.cbSize.QuadPart));
    GlobalUnlock(memory);
    return bytes;
}

StreamedImage loadGdiplusImage(const std::string& bytes) {
    StreamedImage loaded;
    loaded.stream = memoryStream(bytes);
    Gdiplus::GpImage* image = nullptr;
    if (loaded.stream && flat::GdipLoadImageFromStream(loaded.stream.Get(), &image) == Gdiplus::Ok)
        loaded.image.reset(image);
    return loaded;
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
