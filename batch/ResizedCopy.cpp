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
    const std::optional<std::string> jpeg = ports.resizer.ScaledJpeg(*picture, width, height);
    if (!jpeg || !disk.writeNewFile(names.temporary, *jpeg))
        return copy;
    const std::optional<FileFacts> written = disk.facts(names.temporary);
    if (!written || written->folder) {
        disk.removeFile(names.temporary);
        return copy;
    }
    copy.result = resize::Written;
    copy.facts = *written;
    return copy;
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
