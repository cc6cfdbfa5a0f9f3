#pragma once
// The check the main dialog makes before it lets a rename batch start: no new name may be
// taken already.

#include "naming/BatchJob.h"
#include "platform/FileSystem.h"

#include <optional>
#include <string>

namespace tessaly {

// Composes every file's new path, numbering from the start number in the list's present order
// (the selection order: ordering by time happens only when the batch starts), and returns the
// first one under which something, file or folder, exists already; nothing when all are free.
// A new path identical to the file's own path, byte for byte, is no conflict; one that differs
// only in letter case is, where the file system ignores case. New paths are not compared with
// each other, and a path still held by another selected file counts as taken. One existence
// test per file.
std::optional<std::string> CheckNameConflicts(const BatchJob& job, const FileSystem& fileSystem);

} // namespace tessaly
