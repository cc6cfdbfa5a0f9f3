#include "naming/PathOrder.h"

#include "naming/AnsiText.h"

#include <algorithm>

namespace tessaly {

bool pathOrderLess(const FileEntry& a, const FileEntry& b) {
    return compareIgnoringCase(a.path, b.path) < 0;
}

void sortByPath(std::vector<FileEntry>& files) {
    std::stable_sort(files.begin(), files.end(), pathOrderLess);
}

} // namespace tessaly
