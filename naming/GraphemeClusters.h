#pragma once
// Where one character as a person sees it ends and the next begins: Unicode's extended grapheme
// clusters (UAX #29), from the Unicode data the build generates its table from. A letter and
// its combining marks, a flag's two regional indicators, emoji joined by ZWJ and a character
// with its variation selector are each one cluster.

#include <cstddef>
#include <string_view>

namespace tessaly {

// The byte offset at which the cluster that starts at offset ends (the text's size at most).
// offset must be where a cluster starts: 0, or an end this function gave for the same text.
// Bytes that form no character count as U+FFFD each.
std::size_t graphemeClusterEnd(std::string_view text, std::size_t offset);

} // namespace tessaly
