#include "imaging/HGlobalStream.h"

#include <cstring>

namespace tessaly {

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

} // namespace tessaly
