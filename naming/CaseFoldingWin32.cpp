// The platform's own case rules: the lower-case mapping, the same for every user's locale, and
// the upper-case table the system compares names with (CompareStringOrdinal).
#include "naming/CaseFolding.h"

#include "platform/Utf16.h"

#include <windows.h>

namespace tessaly::detail {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");

std::string platformFoldedCase(const std::string& text) {
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

int platformCompareFileSystemNames(std::string_view a, std::string_view b) {
    const std::u16string wideA = utf16FromUtf8(std::string(a));
    const std::u16string wideB = utf16FromUtf8(std::string(b));
    const int result = CompareStringOrdinal(
        reinterpret_cast<LPCWCH>(wideA.data()), static_cast<int>(wideA.size()),
        reinterpret_cast<LPCWCH>(wideB.data()), static_cast<int>(wideB.size()), TRUE);
    // It fails only for an invalid parameter, which these are not; the exact units decide then.
    if (result == 0)
        return wideA.compare(wideB);
    return result - CSTR_EQUAL;
}

} // namespace tessaly::detail
