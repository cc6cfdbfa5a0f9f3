#pragma once
// The selection as the verbs act on it, from the paths the shell listed.

#include "naming/FileEntry.h"

#include <string>
#include <vector>

namespace tessaly {

// The listed paths that name a file on their own (full paths, see isFullPath), each file once
// however often and in whatever letter case it is listed, in path order. A relative or
// drive-relative entry is left out, never resolved against the process's current folder.
std::vector<FileEntry> selectionFromPaths(std::vector<std::string> paths);

} // namespace tessaly
