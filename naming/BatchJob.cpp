#include "naming/BatchJob.h"

namespace tessaly {

BatchJob::BatchJob(std::vector<FileEntry>& files)
    : files_(files), analysis_(analyseSelection(files)) {}

} // namespace tessaly
