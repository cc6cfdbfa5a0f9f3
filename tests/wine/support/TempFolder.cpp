#include "support/TempFolder.h"

#include "platform/ExtendedPath.h"
#include "platform/WideText.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace tessaly::test {

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Every path in the form Windows takes as spelled, so that the tests reach names that end in a
// blank or a dot, and paths of any length.
File openFile(const std::string& path, const wchar_t* mode) {
    return File(_wfopen(extendedPath(path).c_str(), mode));
}

// Calls visit with the name of every entry of the folder but "." and "..".
template <class Visit> void forEachEntry(const std::string& folder, Visit visit) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((extendedPath(folder) + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = utf8FromWide(found.cFileName);
        if (name != "." && name != "..")
            visit(name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void removeTree(const std::string& folder) {
    forEachEntry(folder, [&](const std::string& name, bool isFolder) {
        const std::string full = folder + name;
        if (isFolder) {
            removeTree(full + "\\");
        } else {
            SetFileAttributesW(extendedPath(full).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(extendedPath(full).c_str());
        }
    });
    SetFileAttributesW(extendedPath(folder).c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(extendedPath(folder).c_str());
}
} // namespace

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, base);
    if (length == 0 || length > MAX_PATH)
        throw std::runtime_error("no temporary folder");
    for (unsigned attempt = 0;; ++attempt) {
        std::ostringstream name;
        name << utf8FromWide(base, length) << "tessaly-" << GetCurrentProcessId() << "-"
             << GetTickCount() << "-" << attempt;
        if (CreateDirectoryW(wideFromUtf8(name.str()).c_str(), nullptr)) {
            path_ = name.str() + "\\";
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS || attempt > 100)
            throw std::runtime_error("cannot create a temporary folder");
    }
}

TempFolder::~TempFolder() {
    removeTree(path_);
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const {
    const std::string full = path_ + name;
    if (const File out = openFile(full, L"wb"))
        std::fwrite(bytes.data(), 1, bytes.size(), out.get());
    return full;
}

std::string readFile(const std::string& path) {
    std::string content;
    const File in = openFile(path, L"rb");
    if (!in)
        return content;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in.get())) > 0)
        content.append(buffer, got);
    return content;
}

bool fileExists(const std::string& path) {
    return GetFileAttributesW(extendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool makeFolder(const std::string& path) {
    return CreateDirectoryW(extendedPath(path).c_str(), nullptr) != FALSE;
}

std::string programFolder() {
    // Grown until the whole path fits: a cut one would name another program.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::string utf8 = utf8FromWide(path);
    return utf8.substr(0, utf8.find_last_of('\\') + 1);
}

std::set<std::string> namesIn(const std::string& folder) {
    std::set<std::string> names;
    forEachEntry(folder, [&](const std::string& name, bool) { names.insert(name); });
    return names;
}

} // namespace tessaly::test
