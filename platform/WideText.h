#pragma once
// The text forms Windows calls take: UTF-16 for every path, name and message, and the ANSI code
// page only for what older programs read (the log, the page) and for a drop list given in it.

#include <optional>
#include <string>

namespace tessaly {

std::wstring wideFromUtf8(const std::string& text);
std::string utf8FromWide(const wchar_t* text, std::size_t length);
std::string utf8FromWide(const std::wstring& text);

// Text in the ANSI code page, as UTF-8.
std::string utf8FromAnsi(const char* text, std::size_t length);

// The text in the ANSI code page when every character has its own form there; nothing when one
// would be replaced by a default or a look-alike.
std::optional<std::string> exactAnsiFromUtf8(const std::string& text);

} // namespace tessaly
