// The portable build's letter case: the path order folds ASCII letters only; names are compared
// as Windows compares them, by Unicode's simple upper-case mappings unit by unit.
#include "naming/CaseFolding.h"

#include "platform/Utf16.h"

#include <algorithm>
#include <iterator>

namespace tessaly::detail {

namespace {

struct UpperCasePair {
    char16_t unit;
    char16_t upper;
};

// The table generated from the Unicode data files at build time (cmake/UnicodeTables.cmake).
#include "generated/UpperCasePairs.h"

char16_t upperCase(char16_t unit) {
    const UpperCasePair* const end = std::end(kUpperCasePairs);
    const UpperCasePair* const pair =
        std::lower_bound(std::begin(kUpperCasePairs), end, unit,
                         [](const UpperCasePair& p, char16_t value) { return p.unit < value; });
    return pair != end && pair->unit == unit ? pair->upper : unit;
}

// The text's UTF-16 units, as the platform would receive them, each in upper case.
std::u16string upperCaseUnits(std::string_view text) {
    std::u16string units = utf16FromUtf8(std::string(text));
    for (char16_t& unit : units)
        unit = upperCase(unit);
    return units;
}

} // namespace

std::string platformFoldedCase(const std::string& text) {
    std::string folded = text;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

int platformCompareFileSystemNames(std::string_view a, std::string_view b) {
    return upperCaseUnits(a).compare(upperCaseUnits(b));
}

} // namespace tessaly::detail
