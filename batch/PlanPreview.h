#pragma once
// The batch's plan as a person reads it before anything changes: one row a file, in the order
// the batch takes them, with the name it gets, its copy's name and a note wherever the disk or
// the name itself stands in the way; and a line that counts them.

#include "batch/BatchPlan.h"
#include "naming/BatchJob.h"
#include "platform/FileSystem.h"

#include <string>
#include <vector>

namespace tessaly {

struct PreviewRow {
    std::string name;     // the file's name now
    std::string newName;  // its name after the batch; empty when the batch does not rename
    std::string copyName; // its copy's name; empty when the batch writes no copies
    // Empty, or what the user should know, in words: "unchanged", "in two steps" (another
    // selected file gives the name up), "name taken by <name>" (the batch would be refused, or,
    // for a name an earlier file of the batch takes, this rename fails), "copy replaces <name>"
    // (the overwrite question comes), "no copy: <name> is a selected file", "not allowed:
    // <reason>" (no file may have that name there); several joined by "; ".
    std::string note;
};

struct PlanPreview {
    bool rename = false;
    bool resize = false;
    std::vector<PreviewRow> rows; // in the batch's order
    // "2,400 files: 2,398 to rename, 2 names taken"; with copies, how many and how large
    std::string summary;
};

// The rows of the plan, with what the disk holds now: each folder of the batch is read once
// (see FileSystem::listFolder), nothing is changed. Renaming, resizing and the copies' size
// are the job's.
PlanPreview previewPlan(const BatchPlan& plan, const BatchJob& job, const FileSystem& fileSystem);

// The count with a comma between each three digits: "100,000".
std::string groupedNumber(std::size_t count);

} // namespace tessaly
