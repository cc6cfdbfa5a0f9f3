#pragma once
// Conversions between the 8-bit ANSI text the system holds and the UTF-16 that some Windows
// interfaces want (help texts, GDI+, the page opener).

#include <string>

namespace tessaly {

std::wstring wideFromAnsi(const std::string& text);
std::string ansiFromWide(const std::wstring& text);

} // namespace tessaly
