#include "naming/PathOrder.h"

#include "naming/CaseFolding.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace tessaly {

bool pathOrderLess(const FileEntry& a, const FileEntry& b) {
    return compareIgnoringCase(a.path, b.path) < 0;
}

void sortByPath(std::vector<FileEntry>& files) {
    // Each path is folded once, not at every comparison.
    struct Keyed {
        std::string key;
        std::size_t index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        keyed.push_back({foldedCase(files[i].path), i});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    std::vector<FileEntry> sorted;
    sorted.reserve(files.size());
    for (const Keyed& k : keyed)
        sorted.push_back(std::move(files[k.index]));
    files = std::move(sorted);
}

} // namespace tessaly
