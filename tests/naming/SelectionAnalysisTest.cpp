#include "naming/SelectionAnalysis.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

std::vector<FileEntry> entries(std::initializer_list<const char*> paths) {
    std::vector<FileEntry> files;
    for (const char* p : paths)
        files.push_back(FileEntry{p});
    return files;
}

struct WorkedRow {
    std::vector<FileEntry> files;
    bool sameExtension;
    std::string commonPrefix;
    int prefixLength;
    int defaultRemoved;
};

TEST(SelectionAnalysis, WorkedExamples) {
    const WorkedRow rows[] = {
        {entries({"C:\\P\\IMG_0001.JPG", "C:\\P\\IMG_0002.jpg", "C:\\P\\IMG_0013.JPG"}), true,
         "IMG_00", 6, 4},
        {entries({"C:\\P\\DSC01234.JPG"}), true, "DSC01234", 8, 3},
        {entries({"C:\\P\\Holiday 1.jpg", "C:\\P\\Holiday 10.jpg", "C:\\P\\Holiday 2.jpg"}), true,
         "Holiday ", 8, 8},
        {entries({"C:\\P\\0001.gif", "C:\\P\\0002.gif"}), true, "000", 3, 0},
        {entries({"C:\\P\\img_01.jpg", "C:\\P\\IMG_02.jpg"}), true, "", 0, 0},
        // Counted and cut in whole characters: ー (E3 83 BC) and ト (E3 83 88) share two bytes.
        {entries({"C:\\P\\\u30b2\u30fc\u30e01.jpg", "C:\\P\\\u30b2\u30fc\u30e02.jpg"}), true,
         "\u30b2\u30fc\u30e0", 3, 3},
        {entries({"C:\\P\\\u30b2\u30fc\u30e02.jpg", "C:\\P\\\u30b2\u30c83.jpg"}), true, "\u30b2", 1,
         1},
        {entries({"C:\\P\\\u00e91.jpg", "C:\\P\\\u00e82.jpg"}), true, "", 0, 0},
        {entries({"C:\\P\\\U0001F600_01.jpg", "C:\\P\\\U0001F600_02.jpg"}), true, "\U0001F600_0", 3,
         2},
        // Characters as a person sees them. A shared "e" is no shared character when one name
        // goes on with a combining accent (as macOS writes é), whichever comes first.
        {entries({"C:\\P\\e\u0301_1.jpg", "C:\\P\\e_2.jpg"}), true, "", 0, 0},
        {entries({"C:\\P\\e_2.jpg", "C:\\P\\e\u0301_1.jpg"}), true, "", 0, 0},
        {entries({"C:\\P\\Ne\u0301e_01.jpg", "C:\\P\\Ne\u0301e_02.jpg"}), true, "Ne\u0301e_0", 5,
         4},
        // Half a flag is no character: 🇲🇽 and 🇲🇦 share none, 🇫🇷🇮🇹 and 🇫🇷🇮🇪 one.
        {entries({"C:\\P\\\U0001F1F2\U0001F1FD_01.jpg", "C:\\P\\\U0001F1F2\U0001F1E6_02.jpg"}),
         true, "", 0, 0},
        {entries({"C:\\P\\\U0001F1EB\U0001F1F7\U0001F1EE\U0001F1F9_1.jpg",
                  "C:\\P\\\U0001F1EB\U0001F1F7\U0001F1EE\U0001F1EA_2.jpg"}),
         true, "\U0001F1EB\U0001F1F7", 1, 1},
        // A family joined by ZWJ is one character: with another child it is another family.
        {entries({"C:\\P\\\U0001F468\u200D\U0001F469\u200D\U0001F467_1.jpg",
                  "C:\\P\\\U0001F468\u200D\U0001F469\u200D\U0001F466_2.jpg"}),
         true, "", 0, 0},
        {entries({"C:\\P\\\U0001F468\u200D\U0001F469\u200D\U0001F467_1.jpg",
                  "C:\\P\\\U0001F468\u200D\U0001F469\u200D\U0001F467_2.jpg"}),
         true, "\U0001F468\u200D\U0001F469\u200D\U0001F467_", 2, 2},
        // A heart with its variation selector and one without are two characters.
        {entries({"C:\\P\\\u2764\uFE0F_1.jpg", "C:\\P\\\u2764_2.jpg"}), true, "", 0, 0},
        {entries({"C:\\P\\\u2764\uFE0F_1.jpg", "C:\\P\\\u2764\uFE0F_2.jpg"}), true, "\u2764\uFE0F_",
         2, 2},
    };
    for (const WorkedRow& row : rows) {
        SCOPED_TRACE(row.files.front().path);
        const SelectionAnalysis a = analyseSelection(row.files);
        EXPECT_EQ(row.sameExtension, a.sameExtension);
        EXPECT_EQ(row.commonPrefix, a.commonPrefix);
        EXPECT_EQ(row.prefixLength, a.prefixLength);
        EXPECT_EQ(row.defaultRemoved, defaultRemovedCount(a.exampleName, a.prefixLength));
    }
}

TEST(SelectionAnalysis, ExtensionsDifferingOnlyInCaseAreTheSameAndTheFirstIsKept) {
    const SelectionAnalysis a = analyseSelection(entries({"C:\\P\\a1.jpg", "C:\\P\\a2.JPG"}));
    EXPECT_TRUE(a.sameExtension);
    EXPECT_EQ(".jpg", a.extension);
    EXPECT_EQ("a1", a.exampleName);
}

TEST(SelectionAnalysis, DifferentExtensionLeavesTheExampleAsPrefix) {
    const SelectionAnalysis a =
        analyseSelection(entries({"C:\\P\\abc.jpg", "C:\\P\\abd.gif", "C:\\P\\xyz.jpg"}));
    EXPECT_FALSE(a.sameExtension);
    EXPECT_EQ("abc", a.commonPrefix);
    EXPECT_EQ(3, a.prefixLength);
}

TEST(SelectionAnalysis, FilesWithoutExtensionShareTheEmptyOne) {
    const SelectionAnalysis a = analyseSelection(entries({"C:\\P.d\\scan1", "C:\\P.d\\scan2"}));
    EXPECT_TRUE(a.sameExtension);
    EXPECT_EQ("", a.extension);
    EXPECT_EQ("scan", a.commonPrefix);
}

TEST(SelectionAnalysis, PrefixIsTheShorterNameWhenOneLeadsTheOther) {
    const SelectionAnalysis a = analyseSelection(entries({"C:\\P\\IMG.jpg", "C:\\P\\IMG2.jpg"}));
    EXPECT_EQ("IMG", a.commonPrefix);
    EXPECT_EQ(0, defaultRemovedCount(a.exampleName, 0));
    EXPECT_EQ(3, defaultRemovedCount(a.exampleName, a.prefixLength));
}

TEST(SelectionAnalysis, PrefixComesFromBaseNamesOnlyAcrossFolders) {
    const SelectionAnalysis a =
        analyseSelection(entries({"C:\\A\\trip_01.jpg", "D:\\Other\\trip_02.jpg"}));
    EXPECT_EQ("trip_0", a.commonPrefix);
}

TEST(SelectionAnalysis, PrefixNeverGrowsBackAfterAShortName) {
    const SelectionAnalysis a =
        analyseSelection(entries({"C:\\P\\abcd1.jpg", "C:\\P\\ab.jpg", "C:\\P\\abcd2.jpg"}));
    EXPECT_EQ("ab", a.commonPrefix);
}

TEST(SelectionAnalysis, EmptySelectionHasNothingInCommon) {
    const SelectionAnalysis a = analyseSelection({});
    EXPECT_FALSE(a.sameExtension);
    EXPECT_EQ(0, a.prefixLength);
}

TEST(DefaultRemovedCount, StopsAtTheTrailingNumberAndAtThePrefix) {
    EXPECT_EQ(0, defaultRemovedCount("20080517", 8));
    EXPECT_EQ(7, defaultRemovedCount("Holiday", 7));
    EXPECT_EQ(5, defaultRemovedCount("Holiday", 5));
    EXPECT_EQ(5, defaultRemovedCount("2008_05", 7)); // only the trailing run counts
    EXPECT_EQ(0, defaultRemovedCount("", 0));
    // In whole characters: é written as e and its accent is one.
    EXPECT_EQ(3, defaultRemovedCount("e\u0301t\u00e912", 4));
    EXPECT_EQ(5, defaultRemovedCount("IMG_1\u0301", 6)); // a digit with a mark is no number
    EXPECT_EQ(2, defaultRemovedCount("\U0001F1EB\U0001F1F7\U0001F468\u200D\U0001F467", 9));
}

} // namespace
} // namespace tessaly
