// The check before a rename batch: the first new path that something the batch does not rename
// away already holds, and how many new paths other selected files hold now.
#include "naming/NameConflicts.h"
#include "support/FakeFileSystem.h"
#include "support/FakeImageResizer.h"

#include <gtest/gtest.h>

#include <functional>

namespace tessaly::test {
namespace {

struct Selection {
    std::vector<FileEntry> files;
    BatchJob job;

    explicit Selection(std::vector<FileEntry> paths)
        : files(std::move(paths)), job(files, std::make_unique<FakeImageResizer>()) {}
};

struct Row {
    const char* name;
    std::vector<std::string> selected; // in the batch's order
    std::vector<std::string> others;   // on the disk, not selected
    std::function<void(BatchJob&)> options;
    std::optional<std::string> firstTaken;
    int heldBySelected;
};

TEST(CheckNameConflicts, TakenNamesAndNamesThatOtherSelectedFilesGiveUp) {
    const auto shift = [](int start) {
        return [start](BatchJob& job) {
            job.setRemovedCount(1);
            job.setNewPrefix("p");
            job.setRenumber(1, 1, start);
        };
    };
    const Row rows[] = {
        {"all free, the name beyond the last one taken",
         {"C:\\p\\IMG_0001.JPG", "C:\\p\\IMG_0002.JPG", "C:\\p\\IMG_0013.JPG"},
         {"C:\\p\\Rome_004.JPG"},
         [](BatchJob& job) {
             job.setRemovedCount(4);
             job.setNewPrefix("Rome_");
             job.setRenumber(1, 3, 1);
         },
         std::nullopt,
         0},
        {"numbered from 2, the last name is taken",
         {"C:\\p\\IMG_0001.JPG", "C:\\p\\IMG_0002.JPG", "C:\\p\\IMG_0013.JPG"},
         {"C:\\p\\Rome_004.JPG"},
         [](BatchJob& job) {
             job.setRemovedCount(4);
             job.setNewPrefix("Rome_");
             job.setRenumber(1, 3, 2);
         },
         "C:\\p\\Rome_004.JPG",
         0},
        {"names that stay the same",
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg"},
         {},
         [](BatchJob&) {},
         std::nullopt,
         0},
        {"a chain shifted onto the selection",
         {"C:\\p\\p1.jpg", "C:\\p\\p2.jpg", "C:\\p\\p3.jpg"},
         {},
         shift(2),
         std::nullopt,
         2},
        {"a chain that ends on someone else's file",
         {"C:\\p\\p1.jpg", "C:\\p\\p2.jpg", "C:\\p\\p3.jpg"},
         {"C:\\p\\p4.jpg"},
         shift(2),
         "C:\\p\\p4.jpg",
         2},
        {"a swap",
         {"C:\\p\\a.jpg", "C:\\p\\b.jpg"},
         {},
         [](BatchJob& job) {
             job.setEntirePrefixRemoved(true);
             job.setRenumber(1, 0, 0);
             job.setNewPrefix("");
         },
         std::nullopt,
         0},
        {"a cycle of three by number",
         {"C:\\p\\n2.jpg", "C:\\p\\n3.jpg", "C:\\p\\n1.jpg"},
         {},
         [](BatchJob& job) { job.setRenumber(1, 1, 1); },
         std::nullopt,
         3},
        {"a change of letter case only",
         {"C:\\p\\img_1.jpg", "C:\\p\\img_2.jpg"},
         {},
         [](BatchJob& job) {
             job.setRemovedCount(3);
             job.setNewPrefix("IMG");
         },
         std::nullopt,
         2},
        // a1 keeps its name, which b1 would take.
        {"a selected file that keeps its name",
         {"C:\\p\\a1.jpg", "C:\\p\\b1.jpg"},
         {},
         [](BatchJob& job) {
             job.setRemovedCount(1);
             job.setNewPrefix("a");
         },
         "C:\\p\\a1.jpg",
         0},
        {"one name for all, free",
         {"C:\\p\\a1.jpg", "C:\\p\\a2.jpg", "C:\\p\\a3.jpg"},
         {},
         [](BatchJob& job) {
             job.setEntirePrefixRemoved(true);
             job.setNewPrefix("x");
         },
         std::nullopt,
         0},
        {"one name for all, a folder holds it",
         {"C:\\p\\a1.jpg", "C:\\p\\a2.jpg"},
         {"C:\\p\\X.JPG\\"},
         [](BatchJob& job) {
             job.setEntirePrefixRemoved(true);
             job.setNewPrefix("x");
         },
         "C:\\p\\x.jpg",
         0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeFileSystem fs;
        std::vector<FileEntry> files;
        for (const std::string& path : row.selected) {
            fs.addFile(path);
            files.push_back({path});
        }
        for (const std::string& path : row.others) {
            if (path.back() == '\\')
                fs.addFolder(path.substr(0, path.size() - 1));
            else
                fs.addFile(path);
        }
        Selection s(files);
        row.options(s.job);
        const NameConflicts found = CheckNameConflicts(s.job, s.files, fs);
        EXPECT_EQ(row.firstTaken, found.firstTaken);
        EXPECT_EQ(row.heldBySelected, found.heldBySelected);
        // At most one existence test per file, none after the first taken name, and nothing
        // touched.
        EXPECT_LE(fs.existsCalls, static_cast<int>(files.size()));
        EXPECT_TRUE(fs.renames.empty());
    }
}

// The check numbers the files in the order it is given: the batch's own.
TEST(CheckNameConflicts, NumbersInTheOrderGiven) {
    FakeFileSystem fs;
    fs.addFile("C:\\p\\a.jpg");
    fs.addFile("C:\\p\\b.jpg");
    fs.addFile("C:\\p\\n1.jpg");
    Selection s({{"C:\\p\\a.jpg"}, {"C:\\p\\b.jpg"}});
    s.job.setRemovedCount(1);
    s.job.setNewPrefix("n");
    s.job.setRenumber(1, 1, 0);
    EXPECT_EQ(std::optional<std::string>("C:\\p\\n1.jpg"),
              CheckNameConflicts(s.job, s.files, fs).firstTaken);
    const std::vector<FileEntry> byTime = {{"C:\\p\\b.jpg"}, {"C:\\p\\a.jpg"}};
    EXPECT_EQ(std::optional<std::string>("C:\\p\\n1.jpg"),
              CheckNameConflicts(s.job, byTime, fs).firstTaken);
    fs.addFile("C:\\p\\n0.jpg");
    fs.removeFile("C:\\p\\n1.jpg");
    EXPECT_EQ(std::optional<std::string>("C:\\p\\n0.jpg"),
              CheckNameConflicts(s.job, byTime, fs).firstTaken);
}

} // namespace
} // namespace tessaly::test
