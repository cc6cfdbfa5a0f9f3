#pragma once
// The wording of the done and not-done labels of the progress and result dialogs, which
// follows what the batch does.

#include <optional>
#include <string>

namespace tessaly {

struct CounterLabels {
    std::string done;
    std::string notDone;
};

// Nothing when the batch neither renames nor resizes: the labels are then left as they are.
std::optional<CounterLabels> CounterLabelsFor(bool rename, bool resize);

} // namespace tessaly
