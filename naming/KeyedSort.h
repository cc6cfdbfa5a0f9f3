#pragma once
// Sorting files by a key that is worked out once for each file, never while sorting.

#include "naming/FileEntry.h"

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

namespace tessaly {

// Sorts the files by keyOf(file), ascending; files with equal keys keep their order. The list is
// changed only once every allocation has succeeded, so on std::bad_alloc it keeps its order.
template <class KeyOf> void stableSortByKey(std::vector<FileEntry>& files, KeyOf keyOf) {
    struct Keyed {
        std::decay_t<decltype(keyOf(std::declval<const FileEntry&>()))> key;
        std::size_t position; // in the list as it was
    };
    std::vector<Keyed> keyed;
    keyed.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        keyed.push_back({keyOf(files[i]), i});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    std::vector<FileEntry> sorted;
    sorted.reserve(files.size());
    for (const Keyed& k : keyed)
        sorted.push_back(std::move(files[k.position]));
    files.swap(sorted);
}

} // namespace tessaly
