#include "dialogs/CounterLabels.h"

namespace tessaly {

std::optional<CounterLabels> CounterLabelsFor(bool rename, bool resize) {
    if (rename && resize)
        return CounterLabels{"Files renamed/resized:", "Files not renamed/resized:"};
    if (rename)
        return CounterLabels{"Files renamed:", "Files not renamed:"};
    if (resize)
        return CounterLabels{"Files resized:", "Files not resized:"};
    return std::nullopt;
}

} // namespace tessaly
