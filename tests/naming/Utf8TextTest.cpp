// Characters as a person sees them, checked against Unicode's own segmentation cases.
#include "naming/Utf8Text.h"
#include "platform/Utf16.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <vector>

namespace tessaly {
namespace {

#include "generated/GraphemeBreakCases.h"

std::string utf8Of(char32_t c) {
    std::u16string units;
    if (c >= 0x10000) {
        units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        units += static_cast<char16_t>(c);
    }
    return utf8FromUtf16(units);
}

// One case as UTF-8 text and the byte offsets at which its characters end.
struct Segmented {
    std::string text;
    std::vector<std::size_t> ends;
};

Segmented segmented(const char* line) {
    Segmented s;
    std::istringstream tokens(line);
    std::string token;
    while (tokens >> token) {
        if (token == "|" && !s.text.empty())
            s.ends.push_back(s.text.size());
        else if (token != "|" && token != "+")
            s.text += utf8Of(static_cast<char32_t>(std::strtoul(token.c_str(), nullptr, 16)));
    }
    return s;
}

TEST(Characters, EndWhereUnicodesOwnCasesEndThem) {
    for (const char* line : kGraphemeBreakCases) {
        const Segmented expected = segmented(line);
        const std::size_t count = characterCount(expected.text);
        std::vector<std::size_t> ends;
        for (std::size_t k = 1; k <= count; ++k)
            ends.push_back(leadingCharacters(expected.text, static_cast<int>(k)).size());
        EXPECT_EQ(expected.ends, ends) << line;
        const std::size_t whole = expected.text.size();
        EXPECT_EQ(expected.text.substr(expected.ends.front()), charactersAfter(expected.text, 1))
            << line;
        EXPECT_EQ(whole, sharedLeadingBytes(expected.text, expected.text)) << line;
    }
}

} // namespace
} // namespace tessaly
