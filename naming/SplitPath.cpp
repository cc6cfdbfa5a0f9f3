#include "naming/SplitPath.h"

namespace tessaly {

PathParts splitPath(const std::string& path) {
    PathParts parts;
    size_t start = 0;
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = path.substr(0, 2);
        start = 2;
    }

    size_t nameStart = start;
    size_t lastDot = std::string::npos;
    for (size_t i = start; i < path.size(); ++i) {
        // In UTF-8 an ASCII byte is always a character of its own.
        const char c = path[i];
        if (c == '\\' || c == '/')
            nameStart = i + 1;
        else if (c == '.')
            lastDot = i;
    }

    parts.directory = path.substr(start, nameStart - start);
    if (lastDot != std::string::npos && lastDot >= nameStart) {
        parts.baseName = path.substr(nameStart, lastDot - nameStart);
        parts.extension = path.substr(lastDot);
    } else {
        parts.baseName = path.substr(nameStart);
    }
    return parts;
}

} // namespace tessaly
