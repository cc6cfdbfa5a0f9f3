#include "naming/Selection.h"

#include "naming/CaseFolding.h"
#include "naming/FullPath.h"
#include "naming/PathOrder.h"

#include <map>
#include <optional>
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

std::vector<FileEntry> withoutFolders(std::vector<FileEntry> files, const FileSystem& fileSystem) {
    // Beyond this many files of one folder, one listing costs less than a look at each.
    constexpr std::size_t kLookedAtOneByOne = 256;
    std::map<std::string, std::vector<std::size_t>, FileSystemNameLess> byFolder;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const PathParts parts = files[i].parts();
        byFolder[parts.drive + parts.directory].push_back(i);
    }
    std::vector<bool> folder(files.size(), false);
    for (const auto& [path, indexes] : byFolder) {
        std::optional<std::vector<FolderEntry>> listing;
        if (indexes.size() > kLookedAtOneByOne)
            listing = fileSystem.listFolder(path);
        if (!listing) {
            for (const std::size_t i : indexes) {
                const std::optional<FileFacts> facts = fileSystem.facts(files[i].path);
                folder[i] = facts && facts->folder;
            }
            continue;
        }
        std::set<std::string, FileSystemNameLess> folders;
        for (const FolderEntry& entry : *listing)
            if (entry.facts.folder)
                folders.insert(entry.name);
        for (const std::size_t i : indexes) {
            const PathParts parts = files[i].parts();
            folder[i] = folders.count(parts.baseName + parts.extension) != 0;
        }
    }
    std::vector<FileEntry> kept;
    kept.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        if (!folder[i])
            kept.push_back(std::move(files[i]));
    return kept;
}

} // namespace tessaly
