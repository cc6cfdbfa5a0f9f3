// The check before a rename batch: the first new path that something the batch does not rename
// away already holds, and how many new paths other selected files hold now; and the note the
// preview of the same plan gives each file.
#include "batch/PlanPreview.h"
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
    std::vector<std::string> notes; // the preview's, file by file
    std::size_t longestName = 255;  // that the volume takes
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
         0,
         {"", "", ""}},
        {"numbered from 2, the last name is taken",
         {"C:\\p\\IMG_0001.JPG", "C:\\p\\IMG_0002.JPG", "C:\\p\\IMG_0013.JPG"},
         {"C:\\p\\Rome_004.JPG"},
         [](BatchJob& job) {
             job.setRemovedCount(4);
             job.setNewPrefix("Rome_");
             job.setRenumber(1, 3, 2);
         },
         "C:\\p\\Rome_004.JPG",
         0,
         {"", "", "name taken by Rome_004.JPG"}},
        {"names that stay the same",
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg"},
         {},
         [](BatchJob&) {},
         std::nullopt,
         0,
         {"unchanged", "unchanged"}},
        {"a chain shifted onto the selection",
         {"C:\\p\\p1.jpg", "C:\\p\\p2.jpg", "C:\\p\\p3.jpg"},
         {},
         shift(2),
         std::nullopt,
         2,
         {"in two steps", "in two steps", ""}},
        {"a chain that ends on someone else's file",
         {"C:\\p\\p1.jpg", "C:\\p\\p2.jpg", "C:\\p\\p3.jpg"},
         {"C:\\p\\p4.jpg"},
         shift(2),
         "C:\\p\\p4.jpg",
         2,
         {"in two steps", "in two steps", "name taken by p4.jpg"}},
        {"a swap",
         {"C:\\p\\a.jpg", "C:\\p\\b.jpg"},
         {},
         [](BatchJob& job) {
             job.setEntirePrefixRemoved(true);
             job.setRenumber(1, 0, 0);
             job.setNewPrefix("");
         },
         std::nullopt,
         0,
         {"", ""}},
        {"a cycle of three by number",
         {"C:\\p\\n2.jpg", "C:\\p\\n3.jpg", "C:\\p\\n1.jpg"},
         {},
         [](BatchJob& job) { job.setRenumber(1, 1, 1); },
         std::nullopt,
         3,
         {"in two steps", "in two steps", "in two steps"}},
        {"a change of letter case only",
         {"C:\\p\\img_1.jpg", "C:\\p\\img_2.jpg"},
         {},
         [](BatchJob& job) {
             job.setRemovedCount(3);
             job.setNewPrefix("IMG");
         },
         std::nullopt,
         2,
         {"in two steps", "in two steps"}},
        // a1 keeps its name, which b1 would take.
        {"a selected file that keeps its name",
         {"C:\\p\\a1.jpg", "C:\\p\\b1.jpg"},
         {},
         [](BatchJob& job) {
             job.setRemovedCount(1);
             job.setNewPrefix("a");
         },
         "C:\\p\\a1.jpg",
         0,
         {"unchanged", "name taken by a1.jpg"}},
        {"one name for all, free",
         {"C:\\p\\a1.jpg", "C:\\p\\a2.jpg", "C:\\p\\a3.jpg"},
         {},
         [](BatchJob& job) {
             job.setEntirePrefixRemoved(true);
             job.setNewPrefix("x");
         },
         std::nullopt,
         0,
         {"", "name taken by a1.jpg", "name taken by a1.jpg"}},
        {"one name for all, a folder holds it",
         {"C:\\p\\a1.jpg", "C:\\p\\a2.jpg"},
         {"C:\\p\\X.JPG\\"},
         [](BatchJob& job) {
             job.setEntirePrefixRemoved(true);
             job.setNewPrefix("x");
         },
         "C:\\p\\x.jpg",
         0,
         {"name taken by X.JPG", "name taken by a1.jpg"}},
        {"a name longer than the volume takes",
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg"},
         {},
         [](BatchJob& job) {
             job.setRemovedCount(4);
             job.setNewPrefix("Holiday_");
         },
         std::nullopt,
         0,
         {"not allowed: longer than the 12 characters a name may have there",
          "not allowed: longer than the 12 characters a name may have there"},
         12},
        {"a character no file name may hold",
         {"C:\\p\\IMG_1.jpg"},
         {},
         [](BatchJob& job) { job.setNewPrefix("a*"); },
         std::nullopt,
         0,
         {"not allowed: a file name cannot hold \"*\""}},
        {"copies: one replaces someone else's file, one would be a selected file's",
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg", "C:\\p\\s.IMG_2.jpg"},
         {"C:\\p\\S.IMG_1.JPG"},
         [](BatchJob& job) {
             job.setResize(true);
             job.setResizePrefix("s.");
         },
         std::nullopt,
         0,
         {"unchanged; copy replaces S.IMG_1.JPG",
          "unchanged; no copy: s.IMG_2.jpg is a selected file", "unchanged"}},
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
        fs.longestName = row.longestName;
        Selection s(files);
        s.job.setRename(true);
        row.options(s.job);
        const BatchPlan plan = planBatch(s.job, s.files, "b1");
        const NameConflicts found = CheckNameConflicts(plan, fs);
        EXPECT_EQ(row.firstTaken, found.firstTaken);
        EXPECT_EQ(row.heldBySelected, found.heldBySelected);
        // At most one existence test per file, none after the first taken name.
        EXPECT_LE(fs.existsCalls, static_cast<int>(files.size()));

        const PlanPreview preview = previewPlan(plan, s.job, fs);
        std::vector<std::string> notes;
        for (const PreviewRow& r : preview.rows)
            notes.push_back(r.note);
        EXPECT_EQ(row.notes, notes);
        // One look at the folder, and nothing touched.
        EXPECT_EQ(1, fs.listFolderCalls);
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
