#include "platform/WideText.h"

#include "platform/Utf16.h"

#include <windows.h>

namespace tessaly {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");

std::wstring wideFromUtf8(const std::string& text) {
    const std::u16string wide = utf16FromUtf8(text);
    return std::wstring(reinterpret_cast<const wchar_t*>(wide.data()), wide.size());
}

std::string utf8FromWide(const wchar_t* text, std::size_t length) {
    return utf8FromUtf16(reinterpret_cast<const char16_t*>(text), length);
}

std::string utf8FromWide(const std::wstring& text) {
    return utf8FromWide(text.data(), text.size());
}

std::string utf8FromAnsi(const char* text, std::size_t length) {
    if (length == 0 || length > INT_MAX)
        return std::string();
    const int size = static_cast<int>(length);
    const int units = MultiByteToWideChar(CP_ACP, 0, text, size, nullptr, 0);
    if (units <= 0)
        return std::string();
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, size, &wide[0], units);
    return utf8FromWide(wide);
}

std::optional<std::string> exactAnsiFromUtf8(const std::string& text) {
    const std::wstring wide = wideFromUtf8(text);
    if (wide.empty())
        return std::string();
    if (wide.size() > INT_MAX)
        return std::nullopt;
    const int units = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units,
                                           nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return std::nullopt;
    std::string ansi(static_cast<std::size_t>(length), '\0');
    usedDefault = FALSE;
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, &ansi[0], length,
                            nullptr, &usedDefault) != length ||
        usedDefault)
        return std::nullopt;
    // Only a form that reads back as the same characters is exact.
    const int back = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    std::wstring check(static_cast<std::size_t>(back > 0 ? back : 0), L'\0');
    if (back <= 0 || MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, &check[0], back) != back ||
        check != wide)
        return std::nullopt;
    return ansi;
}

} // namespace tessaly
