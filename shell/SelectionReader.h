#pragma once

#include "naming/FileEntry.h"
#include "platform/FileSystem.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace tessaly {

// How many paths the shell's drop list holds.
UINT CountSelection(HDROP dropHandle);

// The shell's selected paths (at most count of them) as the verbs act on them (see
// selectionFromPaths), read under the wait cursor.
std::vector<FileEntry> ReadSelection(HDROP dropHandle, UINT count);
// The same without the folders among them (see withoutFolders): what the verbs act on.
std::vector<FileEntry> ReadSelectedFiles(HDROP dropHandle, UINT count,
                                         const FileSystem& fileSystem);

} // namespace tessaly
