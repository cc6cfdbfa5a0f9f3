#include "naming/NameConflicts.h"

namespace tessaly {

std::optional<std::string> CheckNameConflicts(const BatchJob& job, const FileSystem& fileSystem) {
    int number = job.startNumber();
    for (const FileEntry& file : job.files()) {
        std::string newPath = job.renameTarget(file, number);
        ++number;
        if (fileSystem.exists(newPath) && newPath != file.path)
            return newPath;
    }
    return std::nullopt;
}

} // namespace tessaly
