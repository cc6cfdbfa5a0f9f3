#include "host/FolderListing.h"

#include "naming/AnsiText.h"
#include "naming/SplitPath.h"

#include <algorithm>

namespace tessaly::host {

std::string FolderOf(const std::string& path) {
    const PathParts parts = splitPath(path);
    return parts.drive + parts.directory;
}

std::vector<ListedFile> ListFolders(const std::vector<std::string>& folders) {
    std::vector<ListedFile> files;
    for (const std::string& folder : folders) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            const unsigned long long size =
                (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            files.push_back(
                {folder + found.cFileName, found.cFileName, found.ftLastWriteTime, size});
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) {
        return compareIgnoringCase(a.path, b.path) < 0;
    });
    return files;
}

} // namespace tessaly::host
