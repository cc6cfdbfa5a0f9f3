#pragma once
// Carries out a configured job: renames the files and writes their resized copies one by one,
// with a progress window, a log in the folder of the first file, a journal of each folder's
// part and a closing result dialog, from which the batch can be undone at once.

#include "batch/BatchWindows.h"
#include "batch/CopyWorkers.h"
#include "batch/LogDate.h"
#include "journal/JournalStore.h"
#include "naming/BatchJob.h"
#include "naming/TemporaryName.h"
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
    JournalStore& journals;
    // The date line of the log, asked for at the moment the log is created.
    std::function<std::string()> logDate = LogDateNow;
    // A new batch's id (see newTemporaryId).
    std::function<std::string()> batchId = newTemporaryId;
    // The threads that make the copies (0: as many as the machine has, but the batch's own),
    // and the bytes of decoded pixels they may hold at once.
    unsigned copyThreads = 0;
    std::uint64_t pixelBudget = copyPixelBudget();
};

// Runs the whole batch and returns once the user has closed the result dialog (and, when they
// chose to, undone the batch). The copies' pictures are scaled and encoded on worker threads
// for the files ahead while this thread renames, asks, writes, records and serves the windows,
// in the batch's order; Stop in the progress window ends the batch after the file in hand,
// counting the files left as not done. files is the list the job refers to: ordering by time (job
// order 2 or 3) rearranges it in place, and it stays in the order used. The names, the
// numbering and the counts follow the job's options: the number advances for every file; a
// file counts as done when everything asked for it was done, so the counts match the disk.
// Before the first file is touched, the plan of each folder's part is journaled and forced to
// the disk; when it cannot be, or the log cannot be created (or would be created over a
// selected file), one message says so and no file is touched. A file renamed in place goes
// first to a temporary name, then, once every such file is out of the way, to its new name; if
// that fails it goes back to its old name when it can. A failed rename is logged with the
// file's old path as it happens and the file is not resized; a copy that was asked for and not
// written (failed, declined, or skipped after Cancel at the overwrite question, which stops
// resizing, not renaming) is logged with the file's present path after the last file. A copy
// never replaces a selected file, old or renamed. A name outside the file's own folder is never
// attempted. A rename that meets a file held open for a moment is tried again.
// Every piece of the batch's state lives in this call, so a batch started from a message that
// this one dispatches between files runs on its own.
void RunBatch(BatchJob& job, std::vector<FileEntry>& files, const BatchPorts& ports);

} // namespace tessaly
