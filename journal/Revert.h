#pragma once
// Puts a batch's files back under their old names: the undo of a finished batch, and the
// recovery of an interrupted one (or of an interrupted undo). The batch's own steps are undone
// in the reverse order it made them: first the copies it wrote go, then the second steps of the
// files renamed in two steps, last to first, then the first steps, last to first; each step is
// decided by which of its names holds the batch's file. A file is the batch's by its identity
// where the volume keeps one (so an edited file still goes back, and two files of equal size
// and time are never confused), else by its size and last-write time. A copy is deleted only
// when the batch's records say it wrote it and its identity, size, time and bytes are still as
// written. Nothing is ever replaced, and nothing outside the journal's folder is read, moved or
// deleted.

#include "journal/Journal.h"
#include "platform/FileSystem.h"
#include "platform/Patience.h"

#include <set>
#include <string>
#include <vector>

namespace tessaly {

struct RevertReport {
    bool reachable = true; // false: the folder could not be listed, and nothing was done
    int restored = 0;      // files moved back to their old names
    int copiesRemoved = 0; // copies deleted
    // What was left as it is, one line each: the path, and why.
    std::vector<std::string> left;
    // The files (by index) of what was left that another try may put back: an old name that
    // was taken, a file that was held.
    std::set<std::size_t> retry;
    // Copies that replaced a file of their name, as the user agreed: that file cannot come back.
    std::vector<std::string> replaced;
};

enum class RevertMode {
    Count, // only tells what it would do, touching nothing
    Act
};

// Reverts the journal's batch, or counts what reverting it would do. record, when given,
// receives a "removed" record for every copy deleted, so that an interrupted revert does not
// report them again.
RevertReport revertBatch(const Journal& journal, FileSystem& fileSystem, const Patience& patience,
                         TextFile* record, RevertMode mode = RevertMode::Act);

} // namespace tessaly
