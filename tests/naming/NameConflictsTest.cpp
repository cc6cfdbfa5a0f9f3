// The check before a rename batch: the first new path that something already holds.
#include "naming/NameConflicts.h"
#include "support/FakeFileSystem.h"
#include "support/FakeImageResizer.h"

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

struct Selection {
    std::vector<FileEntry> files;
    BatchJob job;

    explicit Selection(std::vector<FileEntry> paths)
        : files(std::move(paths)), job(files, std::make_unique<FakeImageResizer>()) {}
};

TEST(CheckNameConflicts, NumbersShiftedOntoTheSelectionItselfAreTaken) {
    FakeFileSystem fs;
    Selection s({{"C:\\p\\p1.jpg"}, {"C:\\p\\p2.jpg"}, {"C:\\p\\p3.jpg"}});
    for (const FileEntry& file : s.files)
        fs.addFile(file.path);
    s.job.setRemovedCount(1);
    s.job.setNewPrefix("p");
    s.job.setRenumber(1, 1, 2);
    EXPECT_EQ(std::optional<std::string>("C:\\p\\p2.jpg"), CheckNameConflicts(s.job, fs));
    // The check stops at the first conflict and touches nothing.
    EXPECT_EQ(1, fs.existsCalls);
    EXPECT_TRUE(fs.renames.empty());
}

TEST(CheckNameConflicts, OneExistenceTestPerFileWhenAllAreFree) {
    FakeFileSystem fs;
    Selection s({{"C:\\p\\IMG_0001.JPG"}, {"C:\\p\\IMG_0002.JPG"}, {"C:\\p\\IMG_0013.JPG"}});
    for (const FileEntry& file : s.files)
        fs.addFile(file.path);
    fs.addFile("C:\\p\\Rome_004.JPG"); // one number beyond the last
    s.job.setRemovedCount(4);
    s.job.setNewPrefix("Rome_");
    s.job.setRenumber(1, 3, 1);
    EXPECT_EQ(std::nullopt, CheckNameConflicts(s.job, fs));
    EXPECT_EQ(3, fs.existsCalls);

    // Numbering starts from the start number: from 2, the last new path is taken.
    s.job.setRenumber(1, 3, 2);
    EXPECT_EQ(std::optional<std::string>("C:\\p\\Rome_004.JPG"), CheckNameConflicts(s.job, fs));
}

TEST(CheckNameConflicts, ANameThatStaysTheSameIsNoConflict) {
    FakeFileSystem fs;
    Selection s({{"C:\\p\\IMG_1.jpg"}, {"C:\\p\\IMG_2.jpg"}});
    for (const FileEntry& file : s.files)
        fs.addFile(file.path);
    EXPECT_EQ(std::nullopt, CheckNameConflicts(s.job, fs));
}

TEST(CheckNameConflicts, ALetterCaseChangeIsRefusedWhereTheFileSystemIgnoresCase) {
    for (const bool ignoresCase : {true, false}) {
        FakeFileSystem fs(ignoresCase);
        Selection s({{"C:\\p\\img_1.jpg"}, {"C:\\p\\img_2.jpg"}});
        for (const FileEntry& file : s.files)
            fs.addFile(file.path);
        s.job.setRemovedCount(3);
        s.job.setNewPrefix("IMG");
        const std::optional<std::string> expected =
            ignoresCase ? std::optional<std::string>("C:\\p\\IMG_1.jpg") : std::nullopt;
        EXPECT_EQ(expected, CheckNameConflicts(s.job, fs)) << "ignores case: " << ignoresCase;
    }
}

TEST(CheckNameConflicts, EntirePrefixRemovedGivesOneNameWhichPassesWhileFree) {
    FakeFileSystem fs;
    Selection s({{"C:\\p\\a1.jpg"}, {"C:\\p\\a2.jpg"}, {"C:\\p\\a3.jpg"}});
    for (const FileEntry& file : s.files)
        fs.addFile(file.path);
    s.job.setEntirePrefixRemoved(true);
    s.job.setNewPrefix("x");
    // New paths are not compared with each other: the batch finds the collision.
    EXPECT_EQ(std::nullopt, CheckNameConflicts(s.job, fs));
    fs.addFolder("C:\\p\\X.JPG"); // a folder takes a name as well as a file
    EXPECT_EQ(std::optional<std::string>("C:\\p\\x.jpg"), CheckNameConflicts(s.job, fs));
}

TEST(CheckNameConflicts, NumbersInSelectionOrderWhateverTheChosenOrder) {
    FakeFileSystem fs;
    Selection s({{"C:\\p\\a.jpg"}, {"C:\\p\\b.jpg"}});
    fs.addFile("C:\\p\\a.jpg", 2000);
    fs.addFile("C:\\p\\b.jpg", 1000);
    fs.addFile("C:\\p\\n1.jpg");
    s.job.setRemovedCount(1);
    s.job.setNewPrefix("n");
    s.job.setRenumber(1, 1, 0);
    s.job.setOrder(RenumberOrder::ByModificationTime);
    // By time, b would take n0 and a n1; the check gives a n0 and b n1.
    EXPECT_EQ(std::optional<std::string>("C:\\p\\n1.jpg"), CheckNameConflicts(s.job, fs));
    EXPECT_EQ("C:\\p\\a.jpg", s.files.front().path);
}

} // namespace
} // namespace tessaly::test
