// The naming rules in a double-byte code page (932). ctest starts this program with a Japanese
// locale, so Windows reports that code page as the process's ANSI code page.
#include "naming/PathOrder.h"
#include "naming/SelectionAnalysis.h"
#include "naming/SplitPath.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace tessaly {
namespace {

// "表" in code page 932: its trail byte is the backslash.
const std::string kHyou = "\x95\x5C";

class DoubleByte : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(932u, GetACP()) << "run with LC_ALL=ja_JP.UTF-8"; }
};

TEST_F(DoubleByte, TrailByteIsNeverASeparator) {
    const PathParts parts = splitPath("C:\\" + kHyou + "\\" + kHyou + "1.jpg");
    EXPECT_EQ("\\" + kHyou + "\\", parts.directory);
    EXPECT_EQ(kHyou + "1", parts.baseName);
    EXPECT_EQ(".jpg", parts.extension);
}

TEST_F(DoubleByte, CommonPrefixIsCountedInBytesAndMayEndInsideACharacter) {
    // 0x95 0x5C and 0x95 0x5D share their lead byte only.
    const SelectionAnalysis a =
        analyseSelection({FileEntry{"C:\\p\\" + kHyou + "1.jpg"}, FileEntry{"C:\\p\\\x95\x5D"
                                                                            "2.jpg"}});
    EXPECT_EQ("\x95", a.commonPrefix);
    EXPECT_EQ(1, a.prefixLength);
}

TEST_F(DoubleByte, DoubleByteCharactersSortAsOneValueAfterAscii) {
    std::vector<FileEntry> files = {{"C:\\" + kHyou + ".jpg"}, {"C:\\z.jpg"}, {"C:\\A.jpg"}};
    sortByPath(files);
    EXPECT_EQ("C:\\A.jpg", files[0].path);
    EXPECT_EQ("C:\\z.jpg", files[1].path);
    EXPECT_EQ("C:\\" + kHyou + ".jpg", files[2].path);
}

} // namespace
} // namespace tessaly
