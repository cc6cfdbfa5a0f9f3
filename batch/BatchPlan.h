#pragma once
// What a batch will do to every file, worked out before it touches any: the names, in the
// order the batch numbers them, which files go through a temporary name, and the journal of each
// folder that records it all.

#include "journal/Journal.h"
#include "naming/BatchJob.h"
#include "platform/FileSystem.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tessaly {

struct PlannedFile {
    FileEntry file;
    FileNames names;
    // Its new name is held now by another selected file that gives it up by its own rename, or
    // by itself under another letter case: a batch in place takes it in two steps.
    bool givenUp = false;
    // Renamed in two steps, through temporary: its new name belongs to another selected file
    // that this batch renames away (or differs from its own only in letter case).
    bool twoStep = false;
    std::string temporary;     // the path of its temporary name, when twoStep
    std::string copyTemporary; // where its copy is written first, when a copy is asked for
    std::size_t journal = 0;   // which journal (folder) it belongs to
    std::size_t entry = 0;     // its entry there
};

struct BatchPlan {
    std::vector<PlannedFile> files; // in the batch's order
    std::vector<Journal> journals;  // one a folder, in the order the folders first come
};

// The plan for the files in the batch's order. Two steps are planned only when the user agreed
// to rename in place (the job's inPlace). Pure: it composes names and reads nothing on the disk,
// so that whatever shows the plan before the batch shows what the batch will do.
BatchPlan planBatch(const BatchJob& job, const std::vector<FileEntry>& files,
                    const std::string& batchId);

// Fills in each journal entry what the disk tells of its file before the batch touches it.
void recordFileFacts(BatchPlan& plan, const FileSystem& fileSystem);

} // namespace tessaly
