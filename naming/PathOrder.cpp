#include "naming/PathOrder.h"

#include "naming/CaseFolding.h"
#include "naming/KeyedSort.h"

namespace tessaly {

bool pathOrderLess(const FileEntry& a, const FileEntry& b) {
    return compareIgnoringCase(a.path, b.path) < 0;
}

void sortByPath(std::vector<FileEntry>& files) {
    // Each path is folded once, not at every comparison.
    stableSortByKey(files, [](const FileEntry& file) { return foldedCase(file.path); });
}

} // namespace tessaly
