#pragma once
// UTF-8 inside, UTF-16 at the platform. A lone surrogate, which a Windows file name may hold, is
// carried as its own three-byte sequence and comes back unchanged, so that a name never turns
// into another one on its way through the program.

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaly {

std::string utf8FromUtf16(const char16_t* text, std::size_t length);
std::string utf8FromUtf16(const std::u16string& text);

// Bytes that form no character become U+FFFD each.
std::u16string utf16FromUtf8(const std::string& text);

// The code point that starts at text[i], and how many bytes it takes. A malformed or overlong
// sequence is one byte of U+FFFD; a surrogate's own three bytes give the surrogate.
char32_t codePointAt(std::string_view text, std::size_t i, std::size_t& length);

// How many UTF-16 units the text takes, as the platform counts a path's length.
std::size_t utf16Length(const std::string& text);

// Whether the character, or the whole text, is ASCII: the same bytes in UTF-8, UTF-16 and
// every ANSI code page.
inline bool isAscii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}
bool isAscii(std::string_view text);

} // namespace tessaly
