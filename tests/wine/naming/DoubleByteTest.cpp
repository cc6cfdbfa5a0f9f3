// Text in a double-byte code page (932), the only places where the ANSI code page still counts:
// a drop list given in it, and the log and page stored in it. ctest starts this program with a
// Japanese locale, so Windows reports that code page as the process's ANSI code page.
#include "naming/SplitPath.h"
#include "platform/WideText.h"
#include "shell/SelectionReader.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>

namespace tessaly {
namespace {

// "表" in code page 932: its trail byte is the backslash.
const char kHyou932[] = "\x95\x5C";
const char kHyou[] = "\u8868";
// "ゲーム" in code page 932.
const char kGame932[] = "\x83\x51\x81\x5B\x83\x80";
const char kGame[] = "\u30b2\u30fc\u30e0";

class DoubleByte : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(932u, GetACP()) << "run with LC_ALL=ja_JP.UTF-8"; }
};

// A drop list in the ANSI form, as an older program may hand it over.
HGLOBAL ansiDropList(const std::string& list) {
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(memory);
    return memory;
}

TEST_F(DoubleByte, AnAnsiDropListArrivesAsWholeCharacters) {
    const std::string first = std::string("C:\\") + kHyou932 + "\\" + kHyou932 + "1.jpg";
    const std::string second = std::string("C:\\") + kHyou932 + "\\" + kGame932 + "2.jpg";
    const HGLOBAL drop = ansiDropList(first + '\0' + second + '\0' + '\0');
    ASSERT_NE(nullptr, drop);
    EXPECT_EQ(2u, CountSelection(static_cast<HDROP>(drop)));
    const std::vector<FileEntry> files = ReadSelection(static_cast<HDROP>(drop), 2);
    GlobalFree(drop);
    ASSERT_EQ(2u, files.size());
    EXPECT_EQ(std::string("C:\\") + kHyou + "\\" + kGame + "2.jpg", files[0].path);
    EXPECT_EQ(std::string("C:\\") + kHyou + "\\" + kHyou + "1.jpg", files[1].path);
    // The trail byte 0x5C was never a separator.
    EXPECT_EQ(std::string("\\") + kHyou + "\\", files[1].parts().directory);
    EXPECT_EQ(std::string(kHyou) + "1", files[1].parts().baseName);
}

TEST_F(DoubleByte, TextKeepsTheCodePageOnlyWhereEveryCharacterFits) {
    EXPECT_EQ(std::string(kGame932) + "2.jpg", exactAnsiFromUtf8(std::string(kGame) + "2.jpg"));
    EXPECT_EQ(std::string("C:\\") + kHyou932 + "\\",
              exactAnsiFromUtf8(std::string("C:\\") + kHyou + "\\"));
    EXPECT_EQ(std::nullopt, exactAnsiFromUtf8("\u0101_01.jpg"));
    EXPECT_EQ(std::nullopt, exactAnsiFromUtf8(std::string(kGame) + "\U0001F600"));
}

} // namespace
} // namespace tessaly
