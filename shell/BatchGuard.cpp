#include "shell/BatchGuard.h"

#include <atomic>

namespace tessaly {

namespace {
std::atomic<bool> batchRunning{false};

const char kBatchRunning[] =
    "Tessaly is still renaming or resizing files.  Please choose the command again when it has "
    "finished.";
} // namespace

BatchSlot::BatchSlot() : taken_(!batchRunning.exchange(true)) {}

BatchSlot::~BatchSlot() {
    if (taken_)
        batchRunning = false;
}

void TellBatchRunning(MessageBoxes& messages) {
    messages.show(MessageOwner::Foreground, kBatchRunning, "Tessaly Notice",
                  mb::Ok | mb::IconWarning);
}

} // namespace tessaly
