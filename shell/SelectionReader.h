#pragma once

#include "naming/FileEntry.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace tessaly {

// How many paths the shell's drop list holds.
UINT CountSelection(HDROP dropHandle);

// The shell's selected paths (at most count of them) as the verbs act on them (see
// selectionFromPaths), read under the wait cursor.
std::vector<FileEntry> ReadSelection(HDROP dropHandle, UINT count);

} // namespace tessaly
