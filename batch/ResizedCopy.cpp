#include "batch/ResizedCopy.h"

#include "naming/CaseFolding.h"

#include <optional>

namespace tessaly {

PreparedCopy prepareResizedCopy(const CopyNames& names, unsigned width, unsigned height,
                                const CopyPorts& ports) {
    PreparedCopy copy;
    FileSystem& disk = ports.fileSystem;
    // Written over its own source, the copy would destroy the picture.
    if (sameFileSystemName(names.source, names.target) || disk.sameFile(names.source, names.target))
        return copy;
    if (disk.exists(names.target)) {
        const int answer = ports.messages.show(
            MessageOwner::None,
            "The resize file name already exists: " + names.target +
                "\nDo you want to overwrite the file?  Select Cancel to cancel further resize "
                "operations.",
            "Warning", mb::YesNoCancel);
        if (answer == mb::IdCancel) {
            copy.result = resize::CancelAll;
            return copy;
        }
        if (answer != mb::IdYes)
            return copy;
        copy.replace = true;
    }

    const std::optional<std::string> picture = disk.readFile(names.source);
    if (!picture)
        return copy;
    std::optional<std::string> jpeg = ports.resizer.ScaledJpeg(*picture, width, height);
    if (!jpeg)
        return copy;
    copy.result = resize::Written;
    copy.bytes = std::move(*jpeg);
    return copy;
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
