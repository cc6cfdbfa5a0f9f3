#include "naming/CaseFolding.h"

#include "platform/Utf16.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tessaly {

namespace {
unsigned char toLowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}
unsigned char toUpperAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}
bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
// How many bytes a and b have in common from their start, up to count, eight at a time: paths
// of one folder share most of their bytes, and each comparison in a sort or a map walks them.
std::size_t identicalBytes(const char* a, const char* b, std::size_t count) {
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= count; i += sizeof(std::uint64_t)) {
        std::uint64_t wordA, wordB;
        std::memcpy(&wordA, a + i, sizeof wordA);
        std::memcpy(&wordB, b + i, sizeof wordB);
        if (wordA != wordB)
            break;
    }
    while (i < count && a[i] == b[i])
        ++i;
    return i;
}
// Compares ASCII here as it goes, each byte mapped by mapAscii; from the first other character
// that differs on, compareRests compares what is left of both (camera names never get that
// far). Whole characters that are the same in both map alike, so they are skipped unmapped.
template <class MapAscii, class CompareRests>
int compareAsciiFirst(const std::string& a, const std::string& b, MapAscii mapAscii,
                      CompareRests compareRests) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = identicalBytes(a.data(), b.data(), common); i < common;
         i += 1 + identicalBytes(a.data() + i + 1, b.data() + i + 1, common - i - 1)) {
        const unsigned char ca = static_cast<unsigned char>(a[i]);
        const unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 0x80 || cb >= 0x80) {
            // From the start of the character that differs.
            std::size_t start = i;
            while (start > 0 && (isContinuation(a[start]) || isContinuation(b[start])))
                --start;
            return compareRests(std::string_view(a).substr(start),
                                std::string_view(b).substr(start));
        }
        const unsigned char ma = mapAscii(ca);
        const unsigned char mb = mapAscii(cb);
        if (ma != mb)
            return ma < mb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}
} // namespace

std::string foldedCase(const std::string& text) {
    // ASCII is folded here, without asking the platform: camera names are folded many times
    // faster.
    if (!isAscii(text))
        return detail::platformFoldedCase(text);
    std::string folded = text;
    for (char& c : folded)
        c = static_cast<char>(toLowerAscii(static_cast<unsigned char>(c)));
    return folded;
}

int compareIgnoringCase(const std::string& a, const std::string& b) {
    // Both rests folded whole: UTF-8 bytes compare in code point order.
    return compareAsciiFirst(
        a, b, [](unsigned char c) { return toLowerAscii(c); },
        [](std::string_view restA, std::string_view restB) {
            return foldedCase(std::string(restA)).compare(foldedCase(std::string(restB)));
        });
}

int compareFileSystemNames(const std::string& a, const std::string& b) {
    return compareAsciiFirst(
        a, b, [](unsigned char c) { return toUpperAscii(c); },
        [](std::string_view restA, std::string_view restB) {
            return detail::platformCompareFileSystemNames(restA, restB);
        });
}

bool sameFileSystemName(const std::string& a, const std::string& b) {
    return compareFileSystemNames(a, b) == 0;
}

} // namespace tessaly
