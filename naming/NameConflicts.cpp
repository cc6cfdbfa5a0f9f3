#include "naming/NameConflicts.h"

#include "naming/CaseFolding.h"

#include <map>

namespace tessaly {

std::vector<bool> newNamesGivenUp(const std::vector<FileEntry>& files,
                                  const std::vector<std::string>& newPaths) {
    std::map<std::string, std::size_t, FileSystemNameLess> selected;
    for (std::size_t i = 0; i < files.size(); ++i)
        selected.emplace(files[i].path, i);
    std::vector<bool> givenUp(files.size(), false);
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (newPaths[i] == files[i].path)
            continue;
        const auto holder = selected.find(newPaths[i]);
        givenUp[i] =
            holder != selected.end() &&
            (holder->second == i || newPaths[holder->second] != files[holder->second].path);
    }
    return givenUp;
}

NameConflicts CheckNameConflicts(const BatchJob& job, const std::vector<FileEntry>& files,
                                 const FileSystem& fileSystem) {
    std::vector<std::string> newPaths;
    newPaths.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        newPaths.push_back(job.renameTarget(files[i], job.startNumber() + static_cast<int>(i)));
    const std::vector<bool> givenUp = newNamesGivenUp(files, newPaths);

    NameConflicts result;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& newPath = newPaths[i];
        if (newPath == files[i].path || !fileSystem.exists(newPath))
            continue;
        if (givenUp[i]) {
            ++result.heldBySelected;
            continue;
        }
        result.firstTaken = newPath;
        return result;
    }
    return result;
}

} // namespace tessaly
