#include "platform/Win32FileIdentity.h"

#include <windows.h>

#include <memory>
#include <optional>

namespace tessaly {

namespace {
struct HandleClose {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleClose>;

struct FileId {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
};

// The volume and index that identify a file, read without any access to its content so that
// neither a sharing mode nor a read-only attribute stands in the way.
std::optional<FileId> fileId(const std::wstring& path) {
    const HANDLE opened =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const UniqueHandle file(opened);
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file.get(), &info))
        return std::nullopt;
    return FileId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}
} // namespace

bool sameExistingFile(const std::wstring& a, const std::wstring& b) {
    const std::optional<FileId> first = fileId(a);
    if (!first)
        return false;
    const std::optional<FileId> second = fileId(b);
    return second && first->volume == second->volume && first->indexHigh == second->indexHigh &&
           first->indexLow == second->indexLow;
}

} // namespace tessaly
