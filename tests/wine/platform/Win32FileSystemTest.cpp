// The real file system behind the batch: renames that never replace, times, text files.
#include "platform/Win32FileSystem.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <ctime>

namespace tessaly::test {
namespace {

TEST(Win32FileSystem, RenameNeverReplacesAnExistingFile) {
    TempFolder folder;
    const std::string a = folder.write("a.jpg", "AAA");
    const std::string b = folder.write("b.jpg", "BBB");
    Win32FileSystem fs;
    EXPECT_FALSE(fs.renameNoReplace(a, b));
    EXPECT_EQ("AAA", readFile(a));
    EXPECT_EQ("BBB", readFile(b));
    EXPECT_TRUE(fs.renameNoReplace(a, folder.path() + "c.jpg"));
    EXPECT_FALSE(fs.exists(a));
    EXPECT_EQ("AAA", readFile(folder.path() + "c.jpg"));
}

TEST(Win32FileSystem, ExistsForFilesAndFolders) {
    TempFolder folder;
    Win32FileSystem fs;
    EXPECT_TRUE(fs.exists(folder.path()));
    EXPECT_TRUE(fs.exists(folder.write("x.jpg")));
    EXPECT_TRUE(fs.exists(folder.path() + "X.JPG")); // letter case is ignored
    EXPECT_FALSE(fs.exists(folder.path() + "y.jpg"));
}

TEST(Win32FileSystem, ModificationTimeInUtcSeconds) {
    TempFolder folder;
    const std::string path = folder.write("t.jpg");
    // 2008-05-12 10:20:30 UTC
    SYSTEMTIME when = {2008, 5, 1, 12, 10, 20, 30, 0};
    FILETIME stamp;
    SystemTimeToFileTime(&when, &stamp);
    HANDLE file =
        CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    SetFileTime(file, nullptr, nullptr, &stamp);
    CloseHandle(file);
    Win32FileSystem fs;
    EXPECT_EQ(std::optional<std::int32_t>(1210587630), fs.modificationTime(path));
    EXPECT_EQ(std::nullopt, fs.modificationTime(folder.path() + "missing.jpg"));
}

TEST(Win32FileSystem, TextFilesHaveCrLfAndReplaceEarlierContent) {
    TempFolder folder;
    const std::string path = folder.write("log.txt", "an older and longer content");
    Win32FileSystem fs;
    {
        std::unique_ptr<TextFile> file = fs.createTextFile(path);
        ASSERT_TRUE(file);
        file->write("line\n\n");
    }
    EXPECT_EQ("line\r\n\r\n", readFile(path));
    EXPECT_FALSE(fs.createTextFile(folder.path() + "no-such-folder\\log.txt"));
}

} // namespace
} // namespace tessaly::test
