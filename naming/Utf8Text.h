#pragma once
// Character rules of the UTF-8 text that paths and names are held in. Counts and cuts are in
// whole characters (code points), so that no name is ever left with part of one.

#include <cstddef>
#include <string>

namespace tessaly {

// The number of characters in the text.
std::size_t characterCount(const std::string& text);

// The first count characters (none for a count of 0 or less, all when the text is shorter),
// and the rest after them.
std::string leadingCharacters(const std::string& text, int count);
std::string charactersAfter(const std::string& text, int count);

// The byte offset, at most the given one, at which a character of the text starts.
std::size_t characterStartAtOrBefore(const std::string& text, std::size_t offset);

} // namespace tessaly
