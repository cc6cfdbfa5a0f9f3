#pragma once

#include <string>

namespace tessaly {

// The four parts of a path; drive + directory + baseName + extension is the path again.
struct PathParts {
    std::string drive;     // "C:" or empty
    std::string directory; // up to and including the last separator, or empty
    std::string baseName;  // the file name without its extension
    std::string extension; // the last extension with its dot, or empty
};

// Splits a path into its parts. Only the ASCII dot, backslash and slash count (never a
// look-alike), and a dot in the directory part is never an extension.
PathParts splitPath(const std::string& path);

} // namespace tessaly
