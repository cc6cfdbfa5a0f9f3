#include "platform/Win32FileSystem.h"

#include "platform/ExtendedPath.h"
#include "platform/UniqueHandle.h"
#include "platform/Utf16.h"
#include "platform/WideText.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <new>
#include <string_view>

namespace tessaly {

namespace {

// Writes all of the bytes, in pieces that WriteFile can count.
bool writeAll(HANDLE file, const std::string& bytes) {
    constexpr std::size_t kPiece = 1u << 30;
    for (std::size_t done = 0; done < bytes.size();) {
        const DWORD piece = static_cast<DWORD>(std::min(kPiece, bytes.size() - done));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr) || written != piece)
            return false;
        done += piece;
    }
    return true;
}

// The shell learns of changes that it would otherwise see only on a network share's next
// refresh. It takes the paths as the user sees them, not in the extended form.
void announce(LONG event, const std::string& path, const std::string& other = std::string()) {
    const std::wstring wide = wideFromUtf8(path);
    const std::wstring wideOther = wideFromUtf8(other);
    SHChangeNotify(event, SHCNF_PATHW, wide.c_str(), other.empty() ? nullptr : wideOther.c_str());
}

bool isBusy(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// A text file on an open handle; see TextFile.
class HandleTextFile final : public TextFile {
public:
    HandleTextFile(UniqueHandle file, TextForm form) : file_(std::move(file)), form_(form) {}

    bool flush() override { return !failed_ && FlushFileBuffers(file_.get()) != FALSE; }
    bool close() override {
        if (!file_)
            return !failed_;
        failed_ = CloseHandle(file_.release()) == FALSE || failed_;
        return !failed_;
    }

protected:
    bool writeBytes(const std::string& bytes) override {
        if (failed_ || !file_)
            return false;
        if (form_ == TextForm::AnsiCodePage && !isAscii(bytes)) {
            // The form was chosen for every text the file will hold.
            const std::optional<std::string> ansi = exactAnsiFromUtf8(bytes);
            failed_ = !ansi || !writeAll(file_.get(), *ansi);
        } else {
            failed_ = !writeAll(file_.get(), bytes);
        }
        return !failed_;
    }

private:
    UniqueHandle file_;
    TextForm form_;
    bool failed_ = false;
};

// The volume's serial number when its file ids stay with a file through renames: NTFS gives
// every file an id of its own for its whole life (Wine gives its files' inode numbers), FAT
// derives one from the entry's place in its folder, which a rename can change.
std::optional<DWORD> volumeKeepingIdentities(HANDLE file) {
    DWORD serial = 0;
    wchar_t system[MAX_PATH + 1] = L"";
    if (!GetVolumeInformationByHandleW(file, nullptr, 0, &serial, nullptr, nullptr, system,
                                       MAX_PATH + 1) ||
        std::wstring(system) != L"NTFS")
        return std::nullopt;
    return serial;
}

std::string identityText(DWORD volume, std::uint64_t fileId) {
    // 0 and all ones stand for no id.
    if (fileId == 0 || fileId == ~std::uint64_t(0))
        return std::string();
    char text[32];
    std::snprintf(text, sizeof text, "%08lx-%016llx", static_cast<unsigned long>(volume),
                  static_cast<unsigned long long>(fileId));
    return text;
}

std::unique_ptr<TextFile> textFileOn(UniqueHandle file, TextForm form) {
    if (!file)
        return nullptr;
    if (form == TextForm::Utf8WithByteOrderMark && !writeAll(file.get(), "\xEF\xBB\xBF"))
        return nullptr;
    return std::make_unique<HandleTextFile>(std::move(file), form);
}

} // namespace

bool Win32FileSystem::exists(const std::string& path) const {
    return GetFileAttributesW(extendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<FileFacts> Win32FileSystem::facts(const std::string& path) const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(extendedPath(path).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    FileFacts found;
    found.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    found.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    // The time as the file system keeps it, in UTC: no conversion through a time zone, whose
    // daylight-saving rule of today would shift a file of the other season by an hour.
    found.lastWrite = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime);
    return found;
}

bool Win32FileSystem::sameFile(const std::string& a, const std::string& b) const {
    // The volume and index that identify a file, read without any access to its content so
    // that neither a sharing mode nor a read-only attribute stands in the way.
    const auto identity = [](const std::string& path) -> std::optional<BY_HANDLE_FILE_INFORMATION> {
        const UniqueHandle file = ownedFile(CreateFileW(
            extendedPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        BY_HANDLE_FILE_INFORMATION info;
        if (!file || !GetFileInformationByHandle(file.get(), &info))
            return std::nullopt;
        return info;
    };
    const auto first = identity(a);
    if (!first)
        return false;
    const auto second = identity(b);
    return second && first->dwVolumeSerialNumber == second->dwVolumeSerialNumber &&
           first->nFileIndexHigh == second->nFileIndexHigh &&
           first->nFileIndexLow == second->nFileIndexLow;
}

FileResult Win32FileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists; without
    // MOVEFILE_COPY_ALLOWED it never copies to another volume.
    if (!MoveFileExW(extendedPath(from).c_str(), extendedPath(to).c_str(), 0))
        return isBusy(GetLastError()) ? FileResult::Busy : FileResult::Failed;
    announce(SHCNE_RENAMEITEM, from, to);
    return FileResult::Done;
}

FileResult Win32FileSystem::placeFile(const std::string& from, const std::string& to,
                                      bool replace) {
    if (!MoveFileExW(extendedPath(from).c_str(), extendedPath(to).c_str(),
                     replace ? MOVEFILE_REPLACE_EXISTING : 0))
        return isBusy(GetLastError()) ? FileResult::Busy : FileResult::Failed;
    announce(SHCNE_CREATE, to);
    return FileResult::Done;
}

FileResult Win32FileSystem::removeFile(const std::string& path) {
    if (!DeleteFileW(extendedPath(path).c_str()))
        return isBusy(GetLastError()) ? FileResult::Busy : FileResult::Failed;
    announce(SHCNE_DELETE, path);
    return FileResult::Done;
}

bool Win32FileSystem::writeNewFile(const std::string& path, const std::string& bytes) {
    const std::wstring wide = extendedPath(path);
    UniqueHandle file = ownedFile(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    const bool written = writeAll(file.get(), bytes);
    // A full disk may show only when the file is closed.
    const bool closed = CloseHandle(file.release()) != FALSE;
    if (written && closed)
        return true;
    DeleteFileW(wide.c_str()); // no half-written file
    return false;
}

std::unique_ptr<TextFile> Win32FileSystem::createTextFile(const std::string& path, TextForm form) {
    UniqueHandle file =
        ownedFile(CreateFileW(extendedPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file)
        announce(SHCNE_CREATE, path);
    return textFileOn(std::move(file), form);
}

std::unique_ptr<TextFile> Win32FileSystem::createHeldFile(const std::string& path) {
    return textFileOn(ownedFile(CreateFileW(extendedPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)),
                      TextForm::Utf8);
}

std::unique_ptr<TextFile> Win32FileSystem::appendFile(const std::string& path, Hold hold,
                                                      bool* busy) {
    // GENERIC_WRITE, not FILE_APPEND_DATA alone: FlushFileBuffers asks for it. Held, the file
    // changes only through this handle, so its end found once stays its end.
    UniqueHandle file = ownedFile(CreateFileW(extendedPath(path).c_str(), GENERIC_WRITE,
                                              hold == Hold::Held ? 0 : FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (busy != nullptr)
        *busy = !file && isBusy(GetLastError());
    LARGE_INTEGER none = {};
    if (file && !SetFilePointerEx(file.get(), none, nullptr, FILE_END))
        return nullptr;
    return textFileOn(std::move(file), TextForm::Utf8);
}

std::optional<std::string> Win32FileSystem::readAt(const std::string& path, std::uint64_t offset,
                                                   std::size_t count) const {
    const UniqueHandle file =
        ownedFile(CreateFileW(extendedPath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0)
        return std::nullopt;
    const std::uint64_t length = static_cast<std::uint64_t>(size.QuadPart);
    const std::uint64_t from = std::min(offset, length);
    const std::uint64_t want = std::min<std::uint64_t>(count, length - from);
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(from);
    if (want > std::string().max_size() || !SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN))
        return std::nullopt;
    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(want));
    } catch (const std::bad_alloc&) {
        return std::nullopt; // more than this process can hold: a read that failed
    }
    constexpr std::size_t kPiece = 1u << 30;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD piece = static_cast<DWORD>(std::min(kPiece, bytes.size() - done));
        DWORD read = 0;
        if (!ReadFile(file.get(), &bytes[done], piece, &read, nullptr))
            return std::nullopt;
        if (read == 0)
            break; // the file got shorter meanwhile
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

std::string Win32FileSystem::identity(const std::string& path) const {
    // Read without any access to the content, so that no sharing mode stands in the way.
    const UniqueHandle file = ownedFile(CreateFileW(
        extendedPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file || !GetFileInformationByHandle(file.get(), &info))
        return std::string();
    const std::optional<DWORD> volume = volumeKeepingIdentities(file.get());
    if (!volume)
        return std::string();
    return identityText(*volume, (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) |
                                     info.nFileIndexLow);
}

bool Win32FileSystem::createFolder(const std::string& path) {
    if (path.empty())
        return false;
    const std::string folder = path.back() == '\\' ? path : path + '\\';
    if (exists(folder))
        return true;
    const std::size_t parent = folder.find_last_of('\\', folder.size() - 2);
    if (parent == std::string::npos || !createFolder(folder.substr(0, parent + 1)))
        return false;
    return CreateDirectoryW(extendedPath(folder).c_str(), nullptr) != FALSE ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

std::optional<FolderListing> Win32FileSystem::listFolder(const std::string& folder) const {
    const std::wstring wide = extendedPath(folder);
    if (wide.empty())
        return std::nullopt;
    // The entries with their sizes, times and file ids, many to a call; a search with
    // FindFirstFile gives no ids.
    const UniqueHandle directory = ownedFile(CreateFileW(
        wide.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!directory)
        return std::nullopt;
    const std::optional<DWORD> volume = volumeKeepingIdentities(directory.get());
    FolderListing listing;
    DWORD longest = 0;
    if (GetVolumeInformationByHandleW(directory.get(), nullptr, 0, nullptr, &longest, nullptr,
                                      nullptr, 0) &&
        longest > 0)
        listing.longestName = longest;
    std::vector<FolderEntry>& entries = listing.entries;
    std::vector<std::uint64_t> buffer(64 * 1024 / sizeof(std::uint64_t)); // entries align on 8
    FILE_INFO_BY_HANDLE_CLASS request = FileIdBothDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(directory.get(), request, buffer.data(),
                                        static_cast<DWORD>(buffer.size() * sizeof buffer[0]))) {
        request = FileIdBothDirectoryInfo;
        const char* at = reinterpret_cast<const char*>(buffer.data());
        while (true) {
            const auto* info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            const std::wstring_view name(info->FileName, info->FileNameLength / sizeof(wchar_t));
            if (name != L"." && name != L"..") {
                FolderEntry entry;
                entry.name = utf8FromWide(name.data(), name.size());
                entry.facts.folder = (info->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
                entry.facts.size = static_cast<std::uint64_t>(info->EndOfFile.QuadPart);
                entry.facts.lastWrite = static_cast<std::int64_t>(info->LastWriteTime.QuadPart);
                if (volume)
                    entry.identity =
                        identityText(*volume, static_cast<std::uint64_t>(info->FileId.QuadPart));
                entries.push_back(std::move(entry));
            }
            if (info->NextEntryOffset == 0)
                break;
            at += info->NextEntryOffset;
        }
    }
    // Anything but the end of the listing is a listing that failed, not a shorter folder.
    if (GetLastError() != ERROR_NO_MORE_FILES)
        return std::nullopt;
    return listing;
}

bool Win32FileSystem::ansiCodePageIsUtf8() const {
    return GetACP() == CP_UTF8;
}

bool Win32FileSystem::fitsAnsiCodePage(const std::string& text) const {
    return exactAnsiFromUtf8(text).has_value();
}

} // namespace tessaly
