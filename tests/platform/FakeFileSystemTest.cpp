// The in-memory file system must behave like the real ones the tests stand in for.
#include "support/FakeFileSystem.h"

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

TEST(TextFile, StoresEveryLineFeedAsCrLf) {
    EXPECT_EQ("a\r\n\r\nb\r\n", withCrLf("a\n\nb\n"));
    EXPECT_EQ("no line end", withCrLf("no line end"));
    EXPECT_EQ("", withCrLf(""));
}

TEST(FakeFileSystem, RenameNeverReplacesAndIgnoresCaseLikeWindows) {
    FakeFileSystem fs;
    fs.addFile("C:\\p\\a.jpg", 10);
    fs.addFile("C:\\p\\b.jpg", 20);
    EXPECT_EQ(FileResult::Failed, fs.renameNoReplace("C:\\p\\a.jpg", "C:\\P\\B.JPG"));
    EXPECT_TRUE(fs.exists("c:\\P\\A.JPG"));
    EXPECT_EQ(FileResult::Done, fs.renameNoReplace("C:\\p\\a.jpg", "C:\\p\\A.jpg")); // its own name
    EXPECT_EQ("C:\\p\\A.jpg", fs.storedPath("c:\\p\\a.jpg"));
    EXPECT_EQ(FileResult::Done, fs.renameNoReplace("C:\\p\\A.jpg", "C:\\p\\c.jpg"));
    EXPECT_EQ(std::optional<std::int32_t>(10), fs.modificationTime("C:\\p\\c.jpg"));
    EXPECT_EQ(FileResult::Failed, fs.renameNoReplace("C:\\p\\gone.jpg", "C:\\p\\d.jpg"));
}

TEST(FakeFileSystem, TextFilesAreCreatedOrTruncatedUnlessArrangedToFail) {
    FakeFileSystem fs;
    fs.addFile("C:\\p\\log.txt", 0, "old");
    {
        std::unique_ptr<TextFile> file =
            fs.createTextFile("C:\\p\\log.txt", TextForm::AnsiCodePage);
        ASSERT_TRUE(file);
        file->write("one\n");
        file->write("two\n");
    }
    EXPECT_EQ("one\r\ntwo\r\n", fs.bytes("C:\\p\\log.txt"));
    fs.failCreateOf("C:\\ro\\log.txt");
    EXPECT_FALSE(fs.createTextFile("C:\\ro\\log.txt", TextForm::AnsiCodePage));
    EXPECT_FALSE(fs.exists("C:\\ro\\log.txt"));
}

} // namespace
} // namespace tessaly::test
