#pragma once
// Letter case folded to lower case for the path order and the extension comparison: with the
// platform's Unicode rules on Windows, ASCII letters only in the portable build.

#include <string>

namespace tessaly {

// The text with its letters in lower case.
std::string foldedCase(const std::string& text);

// Compares whole strings with letters folded to lower case, by code point; a string that is a
// leading part of the other sorts first. Negative, zero or positive.
int compareIgnoringCase(const std::string& a, const std::string& b);

namespace detail {
// The platform's folding, for text that holds more than ASCII.
std::string platformFoldedCase(const std::string& text);
} // namespace detail

} // namespace tessaly
