#pragma once
// The batch as the rename verb runs it: on the real file system, with real message boxes and
// dialogs owned by the invoking window, its log dated by the local clock, its journals in the
// user's local application data.

#include "naming/BatchJob.h"

#include <windows.h>

#include <vector>

namespace tessaly {

// RunBatch with Win32FileSystem, Win32MessageBoxes and Win32BatchWindows; files is the list
// the job refers to. invokingWindow: the window the shell named, or null.
void RunBatch(BatchJob& job, std::vector<FileEntry>& files, HWND invokingWindow);

} // namespace tessaly
