// The preview is the batch: for the naming choices (removal, prefix, digits, start, every
// order, in place, resize on and off), the rows it shows are the files on the disk after the
// batch has run.
#include "batch/OrderByTime.h"
#include "batch/PlanPreview.h"
#include "batch/RunBatch.h"
#include "naming/NameConflicts.h"
#include "support/FakeFileSystem.h"
#include "support/FakeImageResizer.h"
#include "support/RecordingBatchWindows.h"
#include "support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessaly::test {
namespace {

struct Choices {
    const char* label;
    int removed;
    bool entirePrefix;
    const char* prefix;
    int renumber;
    int digits;
    int start;
    RenumberOrder order;
    bool rename;
    bool resize;
    std::vector<std::string> names; // in the folder, in path order
};

// Modified out of path order; two of them carry a picture date that puts them first.
const std::vector<std::string> kCamera = {"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0013.JPG",
                                          "IMG_0020.JPG"};

TEST(Preview, ShowsTheNamesTheBatchGives) {
    const auto byTime = RenumberOrder::ByModificationTime;
    const auto byDate = RenumberOrder::ByPictureDate;
    const auto byPath = RenumberOrder::ByPath;
    const Choices table[] = {
        {"removed 4", 4, false, "", 0, 0, 1, byPath, true, false, kCamera},
        {"removed 4, Rome_, 3 digits from 1", 4, false, "Rome_", 1, 3, 1, byPath, true, false,
         kCamera},
        {"removed 2, X, 1 digit from 7", 2, false, "X", 1, 1, 7, byPath, true, true, kCamera},
        {"by modification time", 4, false, "Rome_", 1, 2, 1, byTime, true, true, kCamera},
        {"by picture date", 4, false, "Rome_", 1, 2, 1, byDate, true, false, kCamera},
        {"entire prefix, Trip, by time", 8, true, "Trip", 1, 1, 1, byTime, true, false, kCamera},
        {"nothing changes, copies only", 0, false, "", 0, 0, 1, byPath, false, true, kCamera},
        {"own names with copies", 0, false, "", 0, 0, 1, byPath, true, true, kCamera},
        // In place: each new name belongs to the next file.
        {"a chain in two steps",
         1,
         false,
         "p",
         1,
         1,
         2,
         byPath,
         true,
         true,
         {"p1.jpg", "p2.jpg", "p3.jpg"}},
        {"a swap by time, in two steps",
         1,
         false,
         "b",
         1,
         1,
         1,
         byTime,
         true,
         false,
         {"b1.jpg", "b2.jpg"}},
        {"one name for all: the first takes it, the others keep theirs and get no copy", 8, true,
         "x", 0, 0, 1, byPath, true, true, kCamera},
        // Each copy takes the name its file gives up.
        {"copies under the old names",
         4,
         false,
         "",
         0,
         0,
         1,
         byPath,
         true,
         true,
         {"sml.1.jpg", "sml.2.jpg"}},
    };
    for (const Choices& c : table) {
        SCOPED_TRACE(c.label);
        FakeFileSystem fs;
        std::vector<FileEntry> files;
        auto owned = std::make_unique<FakeImageResizer>();
        FakeImageResizer& pictures = *owned;
        for (std::size_t i = 0; i < c.names.size(); ++i) {
            const std::string path = "C:\\p\\" + c.names[i];
            // Newest first by modification time; the last two are the oldest by picture date.
            fs.addFile(path, 1000 - static_cast<std::int32_t>(i), "picture " + path);
            if (i + 2 >= c.names.size())
                pictures.dateTags["picture " + path] =
                    "1990:01:0" + std::to_string(i) + " 10:00:00";
            files.push_back({path});
        }
        BatchJob job(files, std::move(owned));
        job.setRemovedCount(c.removed);
        job.setEntirePrefixRemoved(c.entirePrefix);
        job.setNewPrefix(c.prefix);
        job.setRenumber(c.renumber, c.digits, c.start);
        job.setRename(c.rename);
        job.setResize(c.resize);
        job.setResizePrefix("sml.");
        job.setResizeWidth(320);
        job.setOrder(c.order);

        // As the main dialog plans it, in the batch's order.
        std::vector<FileEntry> ordered = files;
        if (c.order != byPath)
            OrderByTime(ordered, c.order, pictures, fs);
        const BatchPlan plan = planBatch(job, ordered, "preview");
        const NameConflicts conflicts = CheckNameConflicts(plan, fs);
        ASSERT_FALSE(conflicts.firstTaken);
        job.setInPlace(conflicts.heldBySelected > 0);
        const PlanPreview preview = previewPlan(plan, job, fs);

        // Each file of the disk with the picture it holds.
        std::vector<std::string> expected = {"C:\\p\\Tessaly.log"};
        for (std::size_t i = 0; i < preview.rows.size(); ++i) {
            const PreviewRow& row = preview.rows[i];
            const std::string picture = "picture " + ordered[i].path;
            // A file whose new name another one takes first is left as it is, without a copy;
            // a copy the preview says is not made is not there.
            const auto says = [&row](const char* words) {
                return row.note.find(words) != std::string::npos;
            };
            const bool fails = says("taken");
            expected.push_back("C:\\p\\" + (c.rename && !fails ? row.newName : row.name) + ": " +
                               picture);
            if (c.resize && !fails && !says("no copy"))
                expected.push_back("C:\\p\\" + row.copyName + ": copy of " + picture);
        }
        std::sort(expected.begin(), expected.end());

        JournalStore journals{fs, "J:\\Tessaly\\"};
        ScriptedMessageBoxes messages;
        RecordingBatchWindows windows;
        RunBatch(job, files, BatchPorts{fs, messages, windows, journals});
        std::vector<std::string> onDisk;
        for (const std::string& path : fs.files())
            if (path.rfind("J:\\", 0) != 0)
                onDisk.push_back(path.find("Tessaly.log") != std::string::npos
                                     ? path
                                     : path + ": " + fs.bytes(path));
        std::sort(onDisk.begin(), onDisk.end());
        EXPECT_EQ(expected, onDisk);
        // Numbered in the batch's own order.
        for (std::size_t i = 0; i < files.size(); ++i)
            EXPECT_EQ(files[i].path, ordered[i].path);
    }
}

} // namespace
} // namespace tessaly::test
