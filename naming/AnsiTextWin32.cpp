// The ANSI code page's own rules: _mbsicmp folds case with the code page's table and compares
// double-byte characters whole; IsDBCSLeadByte tells the first byte of such a character.
#include "naming/AnsiText.h"

#include <windows.h>
#include <mbstring.h>

namespace tessaly {

bool isLeadByte(unsigned char c) {
    return IsDBCSLeadByte(c) != FALSE;
}

int compareIgnoringCase(const std::string& a, const std::string& b) {
    return _mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                    reinterpret_cast<const unsigned char*>(b.c_str()));
}

} // namespace tessaly
