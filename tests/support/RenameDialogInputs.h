#pragma once
// The inputs the rename verb gives the main dialog, taken from the analysed job.

#include "dialogs/RenameDlg.h"
#include "naming/BatchJob.h"
#include "naming/SelectionAnalysis.h"

#include <string>

namespace tessaly::test {

inline void SetInputsAsTheVerbDoes(CRenameDlg& dialog, BatchJob& job) {
    const int removed = defaultRemovedCount(job.exampleName(), job.prefixLength());
    dialog.job = &job;
    dialog.originalNameText = job.exampleFileName();
    dialog.initialRemovedCount = removed;
    dialog.newNameText = job.exampleName().substr(static_cast<size_t>(removed)) + job.extension();
    dialog.maxPrefix = job.prefixLength();
    dialog.removedPrefixText = job.commonPrefix();
    dialog.commonPrefix = job.commonPrefix();
    dialog.countText = std::to_string(job.fileCount());
    dialog.fileCount = job.fileCount();
}

} // namespace tessaly::test
