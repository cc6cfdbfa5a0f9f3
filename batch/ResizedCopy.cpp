#include "batch/ResizedCopy.h"

#include "naming/CaseFolding.h"

#include <optional>

namespace tessaly {

CopyAnswer askBeforeCopying(const CopyNames& names, FileSystem& disk, MessageBoxes& messages) {
    // Written over its own source, the copy would destroy the picture.
    if (sameFileSystemName(names.source, names.target) || disk.sameFile(names.source, names.target))
        return CopyAnswer::Skip;
    if (!disk.exists(names.target))
        return CopyAnswer::Make;
    const int answer = messages.show(
        MessageOwner::None,
        "The resize file name already exists: " + names.target +
            "\nDo you want to overwrite the file?  Select Cancel to cancel further resize "
            "operations.",
        "Warning", mb::YesNoCancel);
    if (answer == mb::IdCancel)
        return CopyAnswer::CancelAll;
    return answer == mb::IdYes ? CopyAnswer::Replace : CopyAnswer::Skip;
}

std::optional<WrittenCopy> writeResizedCopy(const CopyNames& names, const PreparedCopy& copy,
                                            FileSystem& fileSystem) {
    if (!fileSystem.writeNewFile(names.temporary, copy.bytes))
        return std::nullopt;
    const std::optional<FileFacts> facts = fileSystem.facts(names.temporary);
    if (!facts || facts->folder || facts->size != copy.bytes.size()) {
        fileSystem.removeFile(names.temporary);
        return std::nullopt;
    }
    return WrittenCopy{*facts, fileSystem.identity(names.temporary)};
}

int placeResizedCopy(const CopyNames& names, bool replace, FileSystem& fileSystem,
                     const Patience& patience) {
    if (patience([&] { return fileSystem.placeFile(names.temporary, names.target, replace); }) ==
        FileResult::Done)
        return resize::Written;
    fileSystem.removeFile(names.temporary);
    return resize::NotWritten;
}

} // namespace tessaly
