#pragma once

#include "naming/FileEntry.h"
#include "naming/SelectionAnalysis.h"

#include <string>
#include <vector>

namespace tessaly {

// The one object of a rename/resize invocation: built by the verb from the ordered selection,
// edited by the main dialog, executed by the batch. The selection list belongs to the verb; the
// job refers to it, so that ordering by time reorders the verb's list as well.
class BatchJob {
public:
    // files must be in path order and hold at least one file.
    explicit BatchJob(std::vector<FileEntry>& files);

    BatchJob(const BatchJob&) = delete;
    BatchJob& operator=(const BatchJob&) = delete;

    bool sameExtension() const { return analysis_.sameExtension; }
    std::string exampleName() const { return analysis_.exampleName; }
    std::string exampleFileName() const { return analysis_.exampleName + analysis_.extension; }
    std::string extension() const { return analysis_.extension; }
    std::string commonPrefix() const { return analysis_.commonPrefix; }
    int prefixLength() const { return analysis_.prefixLength; }
    int fileCount() const { return static_cast<int>(files_.size()); }
    const std::vector<FileEntry>& files() const { return files_; }

private:
    std::vector<FileEntry>& files_;
    const SelectionAnalysis analysis_;
};

} // namespace tessaly
