#include "naming/BatchJob.h"

#include "naming/NameComposition.h"

#include <utility>

namespace tessaly {

BatchJob::BatchJob(std::vector<FileEntry>& files, std::unique_ptr<ImageResizer> resizer)
    : files_(files), analysis_(analyseSelection(files)), resizer_(std::move(resizer)) {}

std::string BatchJob::remainingPart(const std::string& baseName) const {
    if (entirePrefixRemoved_)
        return std::string();
    if (removedCount_ <= 0)
        return baseName;
    if (static_cast<std::size_t>(removedCount_) >= baseName.size())
        return std::string();
    return baseName.substr(static_cast<std::size_t>(removedCount_));
}

std::string BatchJob::newBaseName(const FileEntry& file, int number) const {
    return newPrefix_ +
           renumberText(remainingPart(file.parts().baseName), renumber_, digits_, number);
}

std::string BatchJob::renameTarget(const FileEntry& file, int number) const {
    const PathParts parts = file.parts();
    return parts.drive + parts.directory + newBaseName(file, number) + parts.extension;
}

std::string BatchJob::resizeTarget(const FileEntry& file, int number) const {
    const PathParts parts = file.parts();
    const std::string name = rename_ ? newBaseName(file, number) : parts.baseName;
    return parts.drive + parts.directory + resizePrefix_ + name + parts.extension;
}

std::string BatchJob::resizeSource(const FileEntry& file, int number) const {
    return rename_ ? renameTarget(file, number) : file.path;
}

} // namespace tessaly
