#include "naming/Selection.h"

#include "naming/FullPath.h"
#include "naming/NameIndex.h"
#include "naming/PathOrder.h"

#include <utility>

namespace tessaly {

std::vector<FileEntry> selectionFromPaths(std::vector<std::string> paths) {
    std::vector<FileEntry> files;
    files.reserve(paths.size());
    for (std::string& path : paths)
        if (isFullPath(path))
            files.push_back(FileEntry{std::move(path)});
    sortByPath(files);
    // Spellings of one name are one file: the first in path order stays.
    std::vector<const std::string*> sortedPaths;
    sortedPaths.reserve(files.size());
    for (const FileEntry& file : files)
        sortedPaths.push_back(&file.path);
    const NameIndex index(std::move(sortedPaths));
    std::vector<bool> first(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        first[i] = index.first(files[i].path) == i;
    std::vector<FileEntry> distinct;
    distinct.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        if (first[i])
            distinct.push_back(std::move(files[i]));
    return distinct;
}

} // namespace tessaly
