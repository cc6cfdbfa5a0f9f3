#pragma once
// Where the paths of a shell drop list lie: a DROPFILES header, then the paths one after the
// other, each ended by a zero character, and an empty one after the last. The block is walked
// once, and never beyond its size: a path without its terminator inside the block is left out
// (cut at the block's end, it would name another file), and so is anything after it.

#include <cstddef>
#include <vector>

namespace tessaly {

struct DropListPath {
    std::size_t offset; // in bytes from the block's start
    std::size_t length; // in characters of the list's form, without the terminator
};

struct DropList {
    bool wide = false; // UTF-16 paths; else the ANSI code page's
    std::vector<DropListPath> paths;
};

DropList scanDropList(const unsigned char* block, std::size_t size);

} // namespace tessaly
