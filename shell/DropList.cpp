#include "shell/DropList.h"

#include <cstdint>
#include <cstring>

namespace tessaly {

namespace {

// DROPFILES: DWORD pFiles, POINT pt, BOOL fNC, BOOL fWide.
constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kFilesOffsetAt = 0;
constexpr std::size_t kWideFlagAt = 16;

std::uint32_t readUint32(const unsigned char* at) {
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

bool isZero(const unsigned char* at, std::size_t unit) {
    return at[0] == 0 && (unit == 1 || at[1] == 0);
}

} // namespace

DropList scanDropList(const unsigned char* block, std::size_t size) {
    DropList list;
    if (block == nullptr || size < kHeaderSize)
        return list;
    list.wide = readUint32(block + kWideFlagAt) != 0;
    const std::size_t unit = list.wide ? 2 : 1;
    std::size_t position = readUint32(block + kFilesOffsetAt);
    // A list that starts inside the header or outside the block has no paths.
    if (position < kHeaderSize || position > size)
        return list;
    while (size - position >= unit) {
        std::size_t end = position;
        while (size - end >= unit && !isZero(block + end, unit))
            end += unit;
        if (size - end < unit)
            break; // no terminator before the block's end
        if (end == position)
            break; // the empty path that ends the list
        list.paths.push_back({position, (end - position) / unit});
        position = end + unit;
    }
    return list;
}

} // namespace tessaly
