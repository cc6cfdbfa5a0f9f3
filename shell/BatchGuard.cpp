#include "shell/BatchGuard.h"

#include <atomic>

namespace tessaly {

namespace {
std::atomic<bool> batchRunning{false};

const char kBatchRunning[] =
    "Tessaly is still renaming or resizing files.  Please choose the command again when it has "
    "finished.";
} // namespace

BatchSlot::BatchSlot(MessageBoxes& messages) : taken_(!batchRunning.exchange(true)) {
    if (!taken_)
        messages.show(MessageOwner::Foreground, kBatchRunning, "Tessaly Notice",
                      mb::Ok | mb::IconWarning);
}

BatchSlot::~BatchSlot() {
    if (taken_)
        batchRunning = false;
}

} // namespace tessaly
