// The resize prefix check in a double-byte code page (932): a character whose second byte is a
// backslash is no backslash. ctest starts this program with a Japanese locale.
#include "dialogs/ResizePrefixCheck.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(ResizePrefixDoubleByte, SecondBytesAreNeverForbiddenCharacters) {
    ASSERT_EQ(932u, GetACP()) << "run with LC_ALL=ja_JP.UTF-8";
    const std::string hyou = "\x95\x5C"; // its second byte is the backslash
    const std::string so = "\x83\x5C";   // so is this one's
    EXPECT_FALSE(hasForbiddenPrefixCharacter(hyou));
    EXPECT_FALSE(hasForbiddenPrefixCharacter("sml_" + hyou + so + "."));
    EXPECT_TRUE(hasForbiddenPrefixCharacter(hyou + "\\"));
    EXPECT_TRUE(hasForbiddenPrefixCharacter(hyou + "/" + so));
    // A lead byte at the very end has no second byte to hide.
    EXPECT_FALSE(hasForbiddenPrefixCharacter("a\x95"));
}

} // namespace
} // namespace tessaly
