#include "naming/CaseFolding.h"

#include <algorithm>

namespace tessaly {

namespace {
unsigned char toLowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}
bool isAscii(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
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
    // ASCII is compared here as it goes; from the first other character on, both rests are
    // folded whole (UTF-8 bytes compare in code point order).
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char ca = static_cast<unsigned char>(a[i]);
        const unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 0x80 || cb >= 0x80)
            return foldedCase(a.substr(i)).compare(foldedCase(b.substr(i)));
        const unsigned char la = toLowerAscii(ca);
        const unsigned char lb = toLowerAscii(cb);
        if (la != lb)
            return la < lb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace tessaly
