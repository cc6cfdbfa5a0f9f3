#include "naming/PathOrder.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

std::vector<std::string> sorted(std::vector<std::string> paths) {
    std::vector<FileEntry> files;
    for (const std::string& p : paths)
        files.push_back(FileEntry{p});
    sortByPath(files);
    std::vector<std::string> result;
    for (const FileEntry& f : files)
        result.push_back(f.path);
    return result;
}

TEST(PathOrder, FoldsLettersToLowerCaseBeforeComparing) {
    // Folded, "_" (0x5F) comes before every letter although "A" and "b" are below it as bytes.
    EXPECT_EQ((std::vector<std::string>{"C:\\P\\_c.jpg", "C:\\P\\A.jpg", "C:\\P\\b.JPG"}),
              sorted({"C:\\P\\b.JPG", "C:\\P\\A.jpg", "C:\\P\\_c.jpg"}));
    EXPECT_EQ((std::vector<std::string>{"a.jpg", "B.JPG"}), sorted({"B.JPG", "a.jpg"}));
    // Z, the last letter, folds too; and so do ASCII letters in a path that holds more.
    EXPECT_EQ((std::vector<std::string>{"_.jpg", "Z.jpg"}), sorted({"Z.jpg", "_.jpg"}));
    EXPECT_EQ((std::vector<std::string>{"C:\\\u00c9t\u00e9\\_a.jpg", "C:\\\u00c9t\u00e9\\B.jpg"}),
              sorted({"C:\\\u00c9t\u00e9\\B.jpg", "C:\\\u00c9t\u00e9\\_a.jpg"}));
    EXPECT_TRUE(pathOrderLess(FileEntry{"\u00e9_"}, FileEntry{"\u00e9Z"}));
    EXPECT_FALSE(pathOrderLess(FileEntry{"\u00e9Z"}, FileEntry{"\u00e9_"}));
#ifdef _WIN32
    // Windows folds letters beyond ASCII as well (the portable build orders them by code point).
    EXPECT_EQ((std::vector<std::string>{"\u00e9a.jpg", "\u00c9b.jpg"}),
              sorted({"\u00c9b.jpg", "\u00e9a.jpg"}));
    EXPECT_TRUE(pathOrderLess(FileEntry{"\u00e9a"}, FileEntry{"\u00c9b"}));
#endif
}

TEST(PathOrder, ComparesCharacterCodesNotNumbers) {
    EXPECT_EQ((std::vector<std::string>{"Holiday 1.jpg", "Holiday 10.jpg", "Holiday 2.jpg"}),
              sorted({"Holiday 2.jpg", "Holiday 10.jpg", "Holiday 1.jpg"}));
    EXPECT_EQ((std::vector<std::string>{"IMG_10.JPG", "IMG_9.JPG"}),
              sorted({"IMG_9.JPG", "IMG_10.JPG"}));
}

TEST(PathOrder, ComparesWholePathsSoFoldersComeInToo) {
    // The separator sorts before letters, and a leading part sorts first.
    EXPECT_EQ((std::vector<std::string>{"C:\\P\\z.jpg", "C:\\Pa.jpg", "C:\\Pb\\a.jpg"}),
              sorted({"C:\\Pb\\a.jpg", "C:\\Pa.jpg", "C:\\P\\z.jpg"}));
    EXPECT_TRUE(pathOrderLess(FileEntry{"C:\\a"}, FileEntry{"C:\\a.jpg"}));
    EXPECT_FALSE(pathOrderLess(FileEntry{"C:\\A.jpg"}, FileEntry{"C:\\a.JPG"}));
    EXPECT_FALSE(pathOrderLess(FileEntry{"C:\\a.JPG"}, FileEntry{"C:\\A.jpg"}));
}

TEST(PathOrder, OrdersCharactersAboveAsciiByCodePoint) {
    // A byte with the high bit set must not sort as a negative char before plain letters; a
    // character outside the basic plane sorts after one inside it, by code point.
    EXPECT_EQ(
        (std::vector<std::string>{"a.jpg", "z.jpg", "\u00fc.jpg", "\uff0e.jpg", "\U0001F600.jpg"}),
        sorted({"\U0001F600.jpg", "\uff0e.jpg", "\u00fc.jpg", "z.jpg", "a.jpg"}));
}

} // namespace
} // namespace tessaly
