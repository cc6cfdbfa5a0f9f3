#include "naming/Selection.h"

#include "naming/CaseFolding.h"
#include "naming/FullPath.h"
#include "naming/PathOrder.h"

#include <set>
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
    std::set<std::string, FileSystemNameLess> seen;
    std::vector<FileEntry> distinct;
    distinct.reserve(files.size());
    for (FileEntry& file : files)
        if (seen.insert(file.path).second)
            distinct.push_back(std::move(file));
    return distinct;
}

} // namespace tessaly
