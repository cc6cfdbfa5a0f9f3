#pragma once
// Puts a batch's files back under their old names: the undo of a finished batch, and the
// recovery of an interrupted one (or of an interrupted undo). Only files found under the
// journal's new or temporary names move, each to its old name when that is free; a copy the
// batch wrote is deleted only while its size and last-write time are still as recorded. Nothing
// is ever replaced, and nothing outside the journal's folder is read, moved or deleted.

#include "journal/Journal.h"
#include "platform/FileSystem.h"
#include "platform/Patience.h"

#include <string>
#include <vector>

namespace tessaly {

struct RevertReport {
    int restored = 0;      // files moved back to their old names
    int copiesRemoved = 0; // copies deleted
    // What was left as it is, one line each: the path, and why.
    std::vector<std::string> left;
};

// Reverts the journal's batch. record, when given, receives a "removed" record for every copy
// deleted, so that an interrupted revert does not report them again.
RevertReport revertBatch(const Journal& journal, FileSystem& fileSystem, const Patience& patience,
                         TextFile* record);

} // namespace tessaly
