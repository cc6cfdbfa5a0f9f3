#include "naming/AnsiText.h"

namespace tessaly {

namespace {
unsigned char toLowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}
} // namespace

bool isLeadByte(unsigned char) {
    return false;
}

int compareIgnoringCase(const std::string& a, const std::string& b) {
    const size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i) {
        const unsigned char ca = toLowerAscii(static_cast<unsigned char>(a[i]));
        const unsigned char cb = toLowerAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace tessaly
