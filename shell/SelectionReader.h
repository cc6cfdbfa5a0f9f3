#pragma once

#include "naming/FileEntry.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace tessaly {

// The shell's selected paths in path order, read under the wait cursor.
std::vector<FileEntry> ReadSelection(HDROP dropHandle, UINT count);

} // namespace tessaly
