#include "naming/BatchJob.h"

#include "naming/NameComposition.h"
#include "naming/Utf8Text.h"

#include <utility>

namespace tessaly {

BatchJob::BatchJob(std::vector<FileEntry>& files, std::unique_ptr<ImageResizer> resizer)
    : files_(files), analysis_(analyseSelection(files)), resizer_(std::move(resizer)) {}

std::string BatchJob::remainingPart(const std::string& baseName) const {
    if (entirePrefixRemoved_)
        return std::string();
    return charactersAfter(baseName, removedCount_);
}

std::string BatchJob::newBaseName(const PathParts& parts, int number) const {
    return newPrefix_ + renumberText(remainingPart(parts.baseName), renumber_, digits_, number);
}

std::string BatchJob::renameTarget(const PathParts& parts, int number) const {
    return parts.drive + parts.directory + newBaseName(parts, number) + parts.extension;
}

std::string BatchJob::resizeTarget(const PathParts& parts, int number) const {
    const std::string name = rename_ ? newBaseName(parts, number) : parts.baseName;
    return parts.drive + parts.directory + resizePrefix_ + name + parts.extension;
}

std::string BatchJob::newBaseName(const FileEntry& file, int number) const {
    return newBaseName(file.parts(), number);
}

std::string BatchJob::renameTarget(const FileEntry& file, int number) const {
    return renameTarget(file.parts(), number);
}

std::string BatchJob::resizeTarget(const FileEntry& file, int number) const {
    return resizeTarget(file.parts(), number);
}

std::string BatchJob::resizeSource(const FileEntry& file, int number) const {
    return rename_ ? renameTarget(file, number) : file.path;
}

FileNames BatchJob::names(const FileEntry& file, int number) const {
    FileNames names;
    names.parts = file.parts();
    names.renameTarget = renameTarget(names.parts, number);
    names.resizeSource = rename_ ? names.renameTarget : file.path;
    names.resizeTarget = resizeTarget(names.parts, number);
    return names;
}

} // namespace tessaly
