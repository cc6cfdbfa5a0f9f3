#pragma once
// Character rules of the UTF-8 text that paths and names are held in. A character is what a
// person sees as one (an extended grapheme cluster: a letter with its combining marks, a flag,
// emoji joined into one, a character with its variation selector). Counts and cuts are in whole
// characters, so that no name is ever left with part of one.

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaly {

// The number of characters in the text.
std::size_t characterCount(const std::string& text);

// The first count characters (none for a count of 0 or less, all when the text is shorter),
// and the rest after them.
std::string leadingCharacters(const std::string& text, int count);
std::string charactersAfter(const std::string& text, int count);

// The length in bytes of the longest leading part that a and b have in common, byte for byte,
// and that ends where a character of each ends: a shared "e" is no shared character when one
// of them goes on with a combining mark.
std::size_t sharedLeadingBytes(std::string_view a, std::string_view b);

} // namespace tessaly
