#pragma once
// Carries out a configured job: renames the files and writes their resized copies one by one,
// with a progress window, a log in the folder of the first file and a closing result dialog.

#include "batch/BatchWindows.h"
#include "batch/LogDate.h"
#include "naming/BatchJob.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"

#include <functional>
#include <string>
#include <vector>

namespace tessaly {

// What a batch works with besides its job. The picture work goes through the job's resizer.
struct BatchPorts {
    FileSystem& fileSystem;
    MessageBoxes& messages;
    BatchWindows& windows;
    // The date line of the log, asked for at the moment the log is created.
    std::function<std::string()> logDate = LogDateNow;
};

// Runs the whole batch and returns once the user has closed the result dialog. files is the
// list the job refers to: ordering by time (job order 2 or 3) rearranges it in place, and it
// stays in the order used. The names, the numbering and the counts follow the job's options:
// the number advances for every file; a file counts as done when everything asked for it was
// done, so the counts match the disk. A failed rename is logged with the file's old path as it
// happens and the file is not resized; a copy that was asked for and not written (failed,
// declined, or skipped after Cancel at the resizer's overwrite question, which stops resizing,
// not renaming) is logged with the file's present path after the last file. A copy never
// replaces a selected file, old or renamed: it is not attempted. When the log cannot be
// created, or would be created over a selected file, one message says so and no file is
// touched. A new path, resize source or resize target longer than kMaxPathLength, or outside
// the file's own folder, is never attempted: the file does not count as done.
// Every piece of the batch's state lives in this call, so a batch started from a message that
// this one dispatches between files runs on its own.
void RunBatch(BatchJob& job, std::vector<FileEntry>& files, const BatchPorts& ports);

} // namespace tessaly
