#include "naming/CaseFolding.h"

#include "platform/Utf16.h"

#include <algorithm>

namespace tessaly {

namespace {
unsigned char toLowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}
unsigned char toUpperAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}
// Compares ASCII here as it goes, each byte mapped by mapAscii; from the first other character
// on, compareRests compares what is left of both (camera names never get that far).
template <class MapAscii, class CompareRests>
int compareAsciiFirst(const std::string& a, const std::string& b, MapAscii mapAscii,
                      CompareRests compareRests) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char ca = static_cast<unsigned char>(a[i]);
        const unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 0x80 || cb >= 0x80)
            return compareRests(std::string_view(a).substr(i), std::string_view(b).substr(i));
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
        a, b, toLowerAscii, [](std::string_view restA, std::string_view restB) {
            return foldedCase(std::string(restA)).compare(foldedCase(std::string(restB)));
        });
}

int compareFileSystemNames(const std::string& a, const std::string& b) {
    return compareAsciiFirst(a, b, toUpperAscii, detail::platformCompareFileSystemNames);
}

bool sameFileSystemName(const std::string& a, const std::string& b) {
    return compareFileSystemNames(a, b) == 0;
}

} // namespace tessaly
