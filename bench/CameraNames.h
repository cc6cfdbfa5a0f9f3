#pragma once
// The selection the benchmarks work on: one folder of camera names, as a card's import leaves
// them.

#include "naming/FileEntry.h"

#include <cstdio>
#include <vector>

namespace tessaly::bench {

inline std::vector<FileEntry> cameraNames(int count) {
    std::vector<FileEntry> files;
    files.reserve(static_cast<std::size_t>(count));
    char name[64];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "C:\\Users\\Ann\\Pictures\\2008 Rome\\IMG_%06d.JPG", i);
        files.push_back({name});
    }
    return files;
}

} // namespace tessaly::bench
