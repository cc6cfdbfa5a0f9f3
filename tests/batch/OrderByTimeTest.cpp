// Ordering for renumbering by time: keys read once per file, oldest first, ties in the order
// the files had.
#include "batch/OrderByTime.h"
#include "naming/BatchJob.h"
#include "support/FakeFileSystem.h"
#include "support/FakeImageResizer.h"

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

// Seconds since 1970 (UTC) of some days in 2006, 2008 and 2010; picture dates below lie in
// between, years apart, so that no time zone can change the order.
constexpr std::int32_t k2006 = 1140000000;
constexpr std::int32_t k2008 = 1200000000;
constexpr std::int32_t k2010 = 1270000000;

std::vector<std::string> pathsOf(const std::vector<FileEntry>& files) {
    std::vector<std::string> paths;
    for (const FileEntry& file : files)
        paths.push_back(file.path);
    return paths;
}

class OrderByTimeTest : public ::testing::Test {
protected:
    FakeFileSystem fs;
    FakeImageResizer pictures;
    std::vector<FileEntry> files;

    // The file's bytes are its path, which the pictures' dates are looked up by.
    void add(const std::string& path, std::int32_t modified) {
        fs.addFile(path, modified, path);
        files.push_back({path});
    }
};

TEST_F(OrderByTimeTest, ModificationTimeOldestFirstAndTiesKeepTheirOrder) {
    add("C:\\p\\a.jpg", k2010);
    add("C:\\p\\b.jpg", k2008);
    add("C:\\p\\c.jpg", k2006);
    add("C:\\p\\d.jpg", k2008); // the same second as b
    add("C:\\p\\e.jpg", k2008);
    pictures.dateTags["C:\\p\\a.jpg"] = "2001:01:01 00:00:00"; // not looked at under order 2

    OrderByTime(files, RenumberOrder::ByModificationTime, pictures, fs);

    EXPECT_EQ((std::vector<std::string>{"C:\\p\\c.jpg", "C:\\p\\b.jpg", "C:\\p\\d.jpg",
                                        "C:\\p\\e.jpg", "C:\\p\\a.jpg"}),
              pathsOf(files));
    EXPECT_EQ(5, fs.modificationTimeCalls);
    EXPECT_TRUE(pictures.dateReads.empty());
}

// Past 16 elements a plain sort stops keeping ties in order.
TEST_F(OrderByTimeTest, LongRunsOfEqualTimesKeepTheirOrder) {
    std::vector<std::string> expected;
    for (int i = 0; i < 40; ++i) {
        const std::string path = "C:\\p\\" + std::to_string(100 + i) + ".jpg";
        add(path, i % 5 == 4 ? k2006 : k2008);
        if (i % 5 == 4)
            expected.push_back(path);
    }
    for (const FileEntry& file : files)
        if (fs.modificationTime(file.path) == k2008)
            expected.push_back(file.path);
    OrderByTime(files, RenumberOrder::ByModificationTime, pictures, fs);
    EXPECT_EQ(expected, pathsOf(files));
}

TEST_F(OrderByTimeTest, PictureDatesWithUndatedFilesPlacedByTheirModificationTime) {
    add("C:\\p\\1.jpg", k2010);
    pictures.dateTags["C:\\p\\1.jpg"] = "2009:06:01 12:00:00";
    add("C:\\p\\2.jpg", k2010);
    pictures.dateTags["C:\\p\\2.jpg"] = "2005:06:01 12:00:00";
    add("C:\\p\\3.jpg", k2008); // a camera whose clock was never set
    pictures.dateTags["C:\\p\\3.jpg"] = "0000:00:00 00:00:00";
    add("C:\\p\\4.jpg", k2006); // blanks and colons only
    pictures.dateTags["C:\\p\\4.jpg"] = "    :  :     :  :  ";
    add("C:\\p\\5.jpg", k2010); // no picture, or no tag
    add("C:\\p\\6.jpg", k2010);
    pictures.dateTags["C:\\p\\6.jpg"] = "2007:06:01 12:00:00";
    add("C:\\p\\7.jpg", k2010); // the same recorded second as 6
    pictures.dateTags["C:\\p\\7.jpg"] = "2007:06:01 12:00:00";

    OrderByTime(files, RenumberOrder::ByPictureDate, pictures, fs);

    EXPECT_EQ(
        (std::vector<std::string>{"C:\\p\\2.jpg", "C:\\p\\4.jpg", "C:\\p\\6.jpg", "C:\\p\\7.jpg",
                                  "C:\\p\\3.jpg", "C:\\p\\1.jpg", "C:\\p\\5.jpg"}),
        pathsOf(files));
    // Every picture decoded once, never again while sorting.
    EXPECT_EQ(7u, pictures.dateReads.size());
}

TEST_F(OrderByTimeTest, AFileThatVanishedHasNoTimeAndComesFirst) {
    add("C:\\p\\a.jpg", k2006);
    files.push_back({"C:\\p\\gone.jpg"});
    OrderByTime(files, RenumberOrder::ByModificationTime, pictures, fs);
    EXPECT_EQ((std::vector<std::string>{"C:\\p\\gone.jpg", "C:\\p\\a.jpg"}), pathsOf(files));
}

TEST_F(OrderByTimeTest, NothingToOrderReadsNothing) {
    OrderByTime(files, RenumberOrder::ByPictureDate, pictures, fs);
    EXPECT_TRUE(files.empty());
    EXPECT_TRUE(pictures.dateReads.empty());
    EXPECT_EQ(0, fs.modificationTimeCalls);
}

} // namespace
} // namespace tessaly::test
