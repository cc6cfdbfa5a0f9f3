#pragma once
// Byte-level rules of the 8-bit ANSI text that paths and names are held in. On Windows they
// follow the active code page (double-byte characters, its case table); the portable build
// knows single-byte ASCII only.

#include <string>

namespace tessaly {

// True for the first byte of a double-byte character.
bool isLeadByte(unsigned char c);

// Compares whole strings with letters folded to lower case, by unsigned character value; a
// string that is a leading part of the other sorts first. Negative, zero or positive.
int compareIgnoringCase(const std::string& a, const std::string& b);

} // namespace tessaly
