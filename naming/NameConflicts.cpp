#include "naming/NameConflicts.h"

namespace tessaly {

NameConflicts CheckNameConflicts(const BatchPlan& plan, const FileSystem& fileSystem) {
    NameConflicts result;
    for (const PlannedFile& p : plan.files) {
        const std::string& newPath = p.names.renameTarget;
        if (newPath == p.file.path || !fileSystem.exists(newPath))
            continue;
        if (p.givenUp) {
            ++result.heldBySelected;
            continue;
        }
        result.firstTaken = newPath;
        return result;
    }
    return result;
}

NameConflicts CheckNameConflicts(const BatchJob& job, const std::vector<FileEntry>& files,
                                 const FileSystem& fileSystem) {
    return CheckNameConflicts(planBatch(job, files, std::string()), fileSystem);
}

} // namespace tessaly
