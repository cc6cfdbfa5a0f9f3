#include "host/FolderListing.h"

#include "naming/CaseFolding.h"
#include "naming/SplitPath.h"
#include "platform/WideText.h"

#include <algorithm>

namespace tessaly::host {

std::string FolderOf(const std::string& path) {
    const PathParts parts = splitPath(path);
    return parts.drive + parts.directory;
}

std::vector<ListedFile> ListFolders(const std::vector<std::string>& folders) {
    std::vector<ListedFile> files;
    for (const std::string& folder : folders) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(wideFromUtf8(folder + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            const unsigned long long size =
                (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            const std::string name = utf8FromWide(found.cFileName);
            files.push_back({folder + name, name, found.ftLastWriteTime, size});
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::sort(files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) {
        return compareIgnoringCase(a.path, b.path) < 0;
    });
    return files;
}

} // namespace tessaly::host
