#pragma once
// One resized copy, written whole under a temporary name in its target's folder, then moved to
// the target's name: a copy that cannot be written completely leaves no file behind, and an
// existing target is replaced only after the user agreed, never a file that appears meanwhile.

#include "imaging/ImageResizer.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/Patience.h"

#include <optional>
#include <string>

namespace tessaly {

struct CopyNames {
    std::string source;    // the picture
    std::string target;    // the copy's name
    std::string temporary; // where the copy is written first, in the target's folder
};

// Whether a copy is to be made, as the user answered.
enum class CopyAnswer {
    Make,     // nothing of the copy's name exists
    Replace,  // the user agreed to replace what does
    Skip,     // no copy for this file: the user declined, or it would be made over its source
    CancelAll // the user chose to resize no further file
};

// Asks before an existing target is replaced ("Warning", Yes/No/Cancel: Cancel stops all
// further resizing). A copy is never made over its own source.
CopyAnswer askBeforeCopying(const CopyNames& names, FileSystem& fileSystem, MessageBoxes& messages);

// A copy made in memory, to be written.
struct PreparedCopy {
    bool replace = false; // the user agreed to replace the existing target
    std::string bytes;    // the JPEG file
};

// What the disk tells of a copy written under its temporary name.
struct WrittenCopy {
    FileFacts facts;
    std::string identity;
};

// Writes the prepared copy whole under its temporary name; nothing, and no file left behind,
// when it cannot.
std::optional<WrittenCopy> writeResizedCopy(const CopyNames& names, const PreparedCopy& copy,
                                            FileSystem& fileSystem);

// Moves a prepared copy to its target's name, patiently while the target is held for a
// moment; Written, or NotWritten with the temporary file removed.
int placeResizedCopy(const CopyNames& names, bool replace, FileSystem& fileSystem,
                     const Patience& patience);

} // namespace tessaly
