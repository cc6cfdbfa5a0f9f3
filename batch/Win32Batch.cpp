#include "batch/Win32Batch.h"

#include "batch/LogDate.h"
#include "batch/RunBatch.h"
#include "batch/Win32BatchWindows.h"
#include "platform/Win32FileSystem.h"
#include "platform/Win32MessageBoxes.h"

namespace tessaly {

void RunBatch(BatchJob& job, std::vector<FileEntry>& files) {
    Win32FileSystem fileSystem;
    Win32MessageBoxes messages;
    Win32BatchWindows windows;
    RunBatch(job, files, BatchPorts{fileSystem, messages, windows, LogDateNow});
}

} // namespace tessaly
