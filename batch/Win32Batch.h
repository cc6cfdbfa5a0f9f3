#pragma once
// The batch as the rename verb runs it: on the real file system, with real message boxes and
// dialogs, its log dated by the local clock.

#include "naming/BatchJob.h"

#include <vector>

namespace tessaly {

// RunBatch with Win32FileSystem, Win32MessageBoxes and Win32BatchWindows; files is the list
// the job refers to.
void RunBatch(BatchJob& job, std::vector<FileEntry>& files);

} // namespace tessaly
