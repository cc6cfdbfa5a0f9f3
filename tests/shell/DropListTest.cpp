#include "shell/DropList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tessaly {
namespace {

// A block as the shell hands it over: the header, then the list bytes as given.
std::vector<unsigned char> block(std::uint32_t filesOffset, bool wide, const std::string& list) {
    std::vector<unsigned char> bytes(20 + list.size(), 0);
    std::memcpy(&bytes[0], &filesOffset, 4);
    const std::uint32_t wideFlag = wide ? 1 : 0;
    std::memcpy(&bytes[16], &wideFlag, 4);
    for (std::size_t i = 0; i < list.size(); ++i)
        bytes[20 + i] = static_cast<unsigned char>(list[i]);
    return bytes;
}

// UTF-16LE bytes of ASCII text, where "|" stands for a zero character.
std::string wideList(const std::string& text) {
    std::string bytes;
    for (char c : text) {
        bytes += c == '|' ? '\0' : c;
        bytes += '\0';
    }
    return bytes;
}

std::string narrowList(std::string text) {
    for (char& c : text)
        if (c == '|')
            c = '\0';
    return text;
}

struct ListCase {
    const char* label;
    std::vector<unsigned char> bytes;
    std::vector<DropListPath> paths;
};

TEST(DropList, ReadsEachPathOnceAndNeverBeyondTheBlock) {
    const ListCase cases[] = {
        {"wide", block(20, true, wideList("C:\\a|C:\\bc||")), {{20, 4}, {30, 5}}},
        {"ANSI", block(20, false, narrowList("C:\\a|C:\\bc||")), {{20, 4}, {25, 5}}},
        {"wide, odd offset", block(21, true, "x" + wideList("ab||")), {{21, 2}}},
        // U+4E00 is 00 4E: a zero low byte ends nothing, only a whole zero character does.
        {"wide, beyond ASCII",
         block(20, true, wideList("C:\\") + std::string("\x00\x4e", 2) + wideList(".jpg|b||")),
         {{20, 8}, {38, 1}}},
        {"no list end", block(20, true, wideList("C:\\a|C:\\b|")), {{20, 4}, {30, 4}}},
        {"last path without terminator",
         block(20, true, wideList("C:\\a|C:\\victim.jpg")),
         {{20, 4}}},
        {"half a wide character at the end", block(20, true, wideList("C:\\a|") + "b"), {{20, 4}}},
        {"empty list", block(20, true, wideList("||")), {}},
        {"list outside the block", block(4000, true, wideList("C:\\a||")), {}},
        {"list inside the header", block(8, false, narrowList("C:\\a||")), {}},
        {"list offset at the block's end", block(26, false, narrowList("abcdef")), {}},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.label);
        // A copy of exactly the block's size, so that the sanitizer sees any read beyond it.
        const std::vector<unsigned char> exact(c.bytes);
        const DropList list = scanDropList(exact.data(), exact.size());
        ASSERT_EQ(c.paths.size(), list.paths.size());
        for (std::size_t i = 0; i < c.paths.size(); ++i) {
            EXPECT_EQ(c.paths[i].offset, list.paths[i].offset) << i;
            EXPECT_EQ(c.paths[i].length, list.paths[i].length) << i;
        }
    }
    const std::vector<unsigned char> shortHeader(19, 0);
    EXPECT_TRUE(scanDropList(shortHeader.data(), shortHeader.size()).paths.empty());
    EXPECT_TRUE(scanDropList(nullptr, 100).paths.empty());
    EXPECT_TRUE(scanDropList(block(20, true, "").data(), 20).paths.empty());
}

} // namespace
} // namespace tessaly
