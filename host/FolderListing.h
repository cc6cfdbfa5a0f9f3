#pragma once
// What the host shows: the files of the folders it was started on.

#include <windows.h>

#include <string>
#include <vector>

namespace tessaly::host {

struct ListedFile {
    std::string path;
    std::string name;
    FILETIME modified;
    unsigned long long size;
};

// The folder of a path, with its trailing separator.
std::string FolderOf(const std::string& path);

// Every file (not folder) directly in the folders, sorted by path, letter case ignored.
std::vector<ListedFile> ListFolders(const std::vector<std::string>& folders);

} // namespace tessaly::host
