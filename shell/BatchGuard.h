#pragma once
// One batch at a time in the process. A batch lets Explorer's windows work between its files,
// so the shell can call the verb again inside it, and other Explorer windows run on threads of
// their own: a second batch would rename files under the feet of the first and overwrite its
// log. The slot is held from the start of a rename/resize or undo command to the close of its
// result: its dialogs are open all that time, and the files they show must stay as shown.

#include "platform/MessageBoxes.h"

namespace tessaly {

// The right to run the one batch of the process, held while the object lives when taken;
// when another command holds it, the user is told that it is still at work.
class BatchSlot {
public:
    explicit BatchSlot(MessageBoxes& messages);
    ~BatchSlot();
    BatchSlot(const BatchSlot&) = delete;
    BatchSlot& operator=(const BatchSlot&) = delete;
    bool taken() const { return taken_; }

private:
    bool taken_;
};

} // namespace tessaly
