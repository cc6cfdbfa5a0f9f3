#pragma once

#include "naming/SplitPath.h"

#include <string>

namespace tessaly {

// One selected file. Only the path is kept; its parts are derived whenever they are needed.
struct FileEntry {
    std::string path;

    PathParts parts() const { return splitPath(path); }
};

} // namespace tessaly
