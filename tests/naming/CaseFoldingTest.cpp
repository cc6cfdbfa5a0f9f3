// Names as the file system tells them apart: each UTF-16 unit upper-cased, as Windows does.
#include "naming/CaseFolding.h"
#include "naming/NameIndex.h"

#include <gtest/gtest.h>

#include <set>

namespace tessaly {
namespace {

// Wine's upper-case table leaves out every mapping that does not come back when lowered again
// (ς to Σ, µ to Μ); Windows' own table keeps them, and so does the portable one. The Windows
// build's tests run under Wine: there such rows are left out.
#ifdef _WIN32
constexpr bool kWineUpperCaseTable = true;
#else
constexpr bool kWineUpperCaseTable = false;
#endif

struct NamePair {
    const char* a;
    const char* b;
    bool same;
    bool notUnderWine;
};

TEST(FileSystemNames, AreOneWhereWindowsUpperCasesThemAlike) {
    const NamePair rows[] = {
        {"C:\\Photos\\IMG_0001.JPG", "c:\\photos\\img_0001.jpg", true, false},
        {"a_1.jpg", "A_2.jpg", false, false},
        {"abc", "ABCD", false, false},                           // a leading part
        {"\u00c9t\u00e9.jpg", "\u00e9T\u00c9.JPG", true, false}, // É and é
        {"x\u00e9", "X\u00c9", true, false},                     // ASCII, then the rest
        {"\u039a\u03b1\u03bb\u03ae", "\u039a\u0391\u039b\u0389", true, false}, // Καλή, ΚΑΛΉ
        {"Stra\u00dfe", "STRASSE", false, false},   // ß has no upper case of its own
        {"\u0131", "i", false, false},              // the dotless i never turns into ASCII
        {"\u017f", "s", false, false},              // nor does the long s
        {"\u212a", "k", false, false},              // the Kelvin sign lowers to k; upper, it stays
        {"\U00010428", "\U00010400", false, false}, // outside the basic plane, units keep case
        {"e\u0301", "\u00e9", false, false},        // decomposed and composed are two names
        {"\u03c2", "\u03c3", true, true},           // final and medial sigma: both Σ
        {"\u00b5", "\u03bc", true, true},           // micro sign and mu: both Μ
        {"\u01c5", "\u01c4", true, true},           // title-case Dž: upper Ǆ
        // Past a long stretch that both share, into a character whose first byte they share.
        {"C:\\Fotos\\K\u00e4se\\img_\u00e9.jpg", "c:\\FOTOS\\K\u00c4SE\\IMG_\u00c9.JPG", true,
         false},
        {"C:\\Fotos\\K\u00e4se\\\u00e9t\u00e9", "C:\\Fotos\\K\u00e4se\\\u00e9t\u00e8", false,
         false},
    };
    for (const NamePair& row : rows) {
        if (row.notUnderWine && kWineUpperCaseTable)
            continue;
        SCOPED_TRACE(std::string(row.a) + " and " + row.b);
        EXPECT_EQ(row.same, sameFileSystemName(row.a, row.b));
        EXPECT_EQ(row.same, sameFileSystemName(row.b, row.a));
        // The order agrees with it, and either way round gives opposite answers.
        const int ab = compareFileSystemNames(row.a, row.b);
        EXPECT_EQ(row.same, ab == 0);
        EXPECT_EQ(ab<0, compareFileSystemNames(row.b, row.a)> 0);
        // Spellings of one name are found under one hash.
        if (row.same) {
            EXPECT_EQ(fileSystemNameHash(row.a), fileSystemNameHash(row.b));
        }
    }
    // A set of paths holds each file once.
    const std::set<std::string, FileSystemNameLess> paths = {
        "C:\\p\\\u03c3.jpg", "C:\\P\\\u03a3.JPG", "C:\\p\\a.jpg", "C:\\p\\A.jpg", "C:\\p\\b.jpg"};
    EXPECT_EQ(3u, paths.size());
}

} // namespace
} // namespace tessaly
