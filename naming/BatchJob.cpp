#include "naming/BatchJob.h"

#include "naming/NameComposition.h"
#include "naming/Utf8Text.h"

#include <functional>
#include <initializer_list>
#include <utility>

namespace tessaly {

namespace {
// The pieces one after the other, in one allocation.
std::string joined(std::initializer_list<std::reference_wrapper<const std::string>> pieces) {
    std::size_t length = 0;
    for (const std::string& piece : pieces)
        length += piece.size();
    std::string text;
    text.reserve(length);
    for (const std::string& piece : pieces)
        text += piece;
    return text;
}
} // namespace

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
    return renameTargetNamed(parts, newBaseName(parts, number));
}

std::string BatchJob::resizeTarget(const PathParts& parts, int number) const {
    return resizeTargetNamed(parts, rename_ ? newBaseName(parts, number) : parts.baseName);
}

std::string BatchJob::renameTargetNamed(const PathParts& parts, const std::string& name) const {
    return joined({parts.drive, parts.directory, name, parts.extension});
}

std::string BatchJob::resizeTargetNamed(const PathParts& parts, const std::string& name) const {
    return joined({parts.drive, parts.directory, resizePrefix_, name, parts.extension});
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
    // The new base name once for both targets.
    const std::string newName = newBaseName(names.parts, number);
    names.renameTarget = renameTargetNamed(names.parts, newName);
    names.resizeSource = rename_ ? names.renameTarget : file.path;
    names.resizeTarget = resizeTargetNamed(names.parts, rename_ ? newName : names.parts.baseName);
    return names;
}

} // namespace tessaly
