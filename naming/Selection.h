#pragma once
// The selection as the verbs act on it, from the paths the shell listed.

#include "naming/FileEntry.h"
#include "platform/FileSystem.h"

#include <string>
#include <vector>

namespace tessaly {

// The listed paths that name a file on their own (full paths, see isFullPath), each file once
// however often and in whatever letter case it is listed, in path order. A relative or
// drive-relative entry is left out, never resolved against the process's current folder.
std::vector<FileEntry> selectionFromPaths(std::vector<std::string> paths);

// The files without the folders among them: a folder is not renamed, resized or shown, as a
// relative entry is not. A path that names nothing stays (the batch tells of it). Where many
// files of one folder are selected, one listing of the folder tells, else a look at each.
std::vector<FileEntry> withoutFolders(std::vector<FileEntry> files, const FileSystem& fileSystem);

} // namespace tessaly
