#include "batch/Win32Batch.h"

#include "batch/LogDate.h"
#include "batch/RunBatch.h"
#include "batch/Win32BatchWindows.h"
#include "platform/KnownFolders.h"
#include "platform/Win32FileSystem.h"
#include "platform/Win32MessageBoxes.h"

namespace tessaly {

void RunBatch(BatchJob& job, std::vector<FileEntry>& files, HWND invokingWindow) {
    Win32FileSystem fileSystem;
    Win32MessageBoxes messages(invokingWindow);
    Win32BatchWindows windows(invokingWindow);
    JournalStore journals(fileSystem, journalFolder());
    RunBatch(job, files, BatchPorts{fileSystem, messages, windows, journals, LogDateNow});
}

} // namespace tessaly
