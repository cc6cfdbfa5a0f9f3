#include "naming/FolderBound.h"

#include <string_view>

namespace tessaly {

bool staysInFolder(const PathParts& file, const std::string& target) {
    // As splitPath would split it, without making its parts: the file's drive and directory
    // byte for byte, then a name without a separator.
    const std::string_view path(target);
    const std::size_t folder = file.drive.size() + file.directory.size();
    if (path.size() < folder || path.substr(0, file.drive.size()) != file.drive ||
        path.substr(file.drive.size(), file.directory.size()) != file.directory)
        return false;
    if (file.drive.empty() && path.size() >= 2 && path[1] == ':')
        return false; // it names a drive of its own
    const std::string_view name = path.substr(folder);
    if (name.empty() || name == "." || name == "..")
        return false;
    for (const char c : name)
        if (c == '\\' || c == '/' || c == ':')
            return false;
    return true;
}

} // namespace tessaly
