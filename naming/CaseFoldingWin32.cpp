// The platform's own lower-case mapping, the same for every user's locale.
#include "naming/CaseFolding.h"

#include "platform/Utf16.h"

#include <windows.h>

namespace tessaly::detail {

std::string platformFoldedCase(const std::string& text) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");
    std::u16string wide = utf16FromUtf8(text);
    if (wide.empty())
        return text;
    const int length = static_cast<int>(wide.size());
    // LCMAP_LOWERCASE maps unit by unit, so the result has the same length.
    std::u16string lower(wide.size(), u'\0');
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE,
                      reinterpret_cast<LPCWSTR>(wide.data()), length,
                      reinterpret_cast<LPWSTR>(&lower[0]), length, nullptr, nullptr, 0) != length)
        return text;
    return utf8FromUtf16(lower);
}

} // namespace tessaly::detail
