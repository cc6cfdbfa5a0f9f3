#include "naming/FolderBound.h"

namespace tessaly {

bool staysInFolder(const PathParts& file, const std::string& target) {
    const PathParts parts = splitPath(target);
    const std::string name = parts.baseName + parts.extension;
    return parts.drive == file.drive && parts.directory == file.directory && !name.empty() &&
           name != "." && name != ".." && name.find(':') == std::string::npos;
}

} // namespace tessaly
