#include "naming/Selection.h"

#include "naming/CaseFolding.h"
#include "naming/FullPath.h"
#include "naming/NameIndex.h"
#include "naming/PathOrder.h"

#include <map>
#include <optional>
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
        std::optional<FolderListing> listing;
        if (indexes.size() > kLookedAtOneByOne)
            listing = fileSystem.listFolder(path);
        if (!listing) {
            for (const std::size_t i : indexes) {
                const std::optional<FileFacts> facts = fileSystem.facts(files[i].path);
                folder[i] = facts && facts->folder;
            }
            continue;
        }
        std::vector<const std::string*> folders;
        for (const FolderEntry& entry : listing->entries)
            if (entry.facts.folder)
                folders.push_back(&entry.name);
        const NameIndex byName(std::move(folders));
        for (const std::size_t i : indexes) {
            const PathParts parts = files[i].parts();
            folder[i] = byName.first(parts.baseName + parts.extension).has_value();
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
