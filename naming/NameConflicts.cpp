#include "naming/NameConflicts.h"

#include "naming/CaseFolding.h"

#include <map>

namespace tessaly {

NameConflicts CheckNameConflicts(const BatchJob& job, const std::vector<FileEntry>& files,
                                 const FileSystem& fileSystem) {
    std::map<std::string, std::size_t, FileSystemNameLess> selected;
    std::vector<std::string> newPaths;
    newPaths.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        selected.emplace(files[i].path, i);
        newPaths.push_back(job.renameTarget(files[i], job.startNumber() + static_cast<int>(i)));
    }

    NameConflicts result;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& newPath = newPaths[i];
        if (newPath == files[i].path || !fileSystem.exists(newPath))
            continue;
        const auto holder = selected.find(newPath);
        if (holder != selected.end() &&
            (holder->second == i || newPaths[holder->second] != files[holder->second].path)) {
            ++result.heldBySelected;
            continue;
        }
        result.firstTaken = newPath;
        return result;
    }
    return result;
}

} // namespace tessaly
