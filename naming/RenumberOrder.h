#pragma once
// The orders in which renumbering gives its numbers, with the values the dialogs and the job
// have always used.

namespace tessaly {

enum class RenumberOrder {
    ByPath = 1,
    ByModificationTime = 2,
    ByPictureDate = 3, // the file's modification time when the picture has no date
};

} // namespace tessaly
