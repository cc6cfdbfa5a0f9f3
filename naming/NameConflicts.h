#pragma once
// The check the main dialog makes before it lets a rename batch start: no new name may be
// taken already, unless another selected file that the batch renames away holds it. It reads
// the batch's own plan, so that it judges exactly the names the batch will give.

#include "batch/BatchPlan.h"
#include "naming/BatchJob.h"
#include "platform/FileSystem.h"

#include <optional>
#include <string>
#include <vector>

namespace tessaly {

struct NameConflicts {
    // The first new path (in the batch's order) under which something exists that the batch
    // does not rename away: a file or folder that is not selected, or a selected file that keeps
    // its name. The batch cannot start.
    std::optional<std::string> firstTaken;
    // New paths held now by other selected files that the batch renames to other names (a
    // chain, a swap, a cycle), or by the file itself under another letter case. The batch can
    // rename them in place, through temporary names, when the user agrees.
    int heldBySelected = 0;
};

// Looks whether each planned new path is taken. A new path identical to the file's own path,
// byte for byte, is no conflict. New paths are not compared with each other. One existence test
// per file, none after the first name that is taken.
NameConflicts CheckNameConflicts(const BatchPlan& plan, const FileSystem& fileSystem);

// The same for the plan of the files (the selection as the batch will order it).
NameConflicts CheckNameConflicts(const BatchJob& job, const std::vector<FileEntry>& files,
                                 const FileSystem& fileSystem);

} // namespace tessaly
