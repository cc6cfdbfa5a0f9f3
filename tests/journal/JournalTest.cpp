// The journal read back as the untrusted text it is, the store that keeps journals, and the
// undo of a finished batch: exactly the files before it, or what was left named and why.
#include "batch/RunBatch.h"
#include "journal/Journal.h"
#include "journal/JournalStore.h"
#include "journal/Undo.h"
#include "support/FakeFileSystem.h"
#include "support/FakeImageResizer.h"
#include "support/RecordingBatchWindows.h"
#include "support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessaly::test {
namespace {

const char* const kJournals = "J:\\Tessaly\\";

const std::string kPlan = "Tessaly journal 1\r\nbatch\tb1\r\nfolder\tC:\\p\\\r\n"
                          "file\ta.jpg\tx.jpg\t\tsml.x.jpg\t~Tessaly-b1-c0.tmp\t3\t100\r\n"
                          "file\tb.jpg\t\t\t\t\t4\t200\r\n"
                          "planned\t2\r\n";

TEST(JournalText, ReadsWhatIsWholeAndRefusesEverythingElse) {
    const struct {
        const char* name;
        std::string text;
        bool accepted;
        JournalState state;
    } rows[] = {
        {"a plan", kPlan, true, JournalState::Planned},
        {"a finished batch with a copy", kPlan + "copy\t0\t9\t300\r\nfinished\r\n", true,
         JournalState::Finished},
        {"line feeds only", "Tessaly journal 1\nbatch\tb1\nfolder\tC:\\p\\\nplanned\t0\n", true,
         JournalState::Planned},
        {"a torn last record", kPlan + "finished\r\nund", true, JournalState::Finished},
        {"an undo", kPlan + "finished\r\nundo\r\nremoved\t0\r\n", true, JournalState::Undoing},
        {"undone", kPlan + "undo\r\nundone\r\n", true, JournalState::Undone},
        {"kept after an interrupted undo", kPlan + "undo\r\nkept\r\n", true,
         JournalState::Finished},
        {"a torn plan", kPlan.substr(0, kPlan.size() - 5), false, JournalState::Planned},
        {"another version", "Tessaly journal 2" + kPlan.substr(17), false, JournalState::Planned},
        {"a relative folder", "Tessaly journal 1\nbatch\tb1\nfolder\tp\\\nplanned\t0\n", false,
         JournalState::Planned},
        {"a drive-relative folder", "Tessaly journal 1\nbatch\tb1\nfolder\tC:p\\\nplanned\t0\n",
         false, JournalState::Planned},
        {"a folder with ..", "Tessaly journal 1\nbatch\tb1\nfolder\tC:\\p\\..\\\nplanned\t0\n",
         false, JournalState::Planned},
        {"a name that leads out",
         "Tessaly journal 1\nbatch\tb1\nfolder\tC:\\p\\\nfile\ta.jpg\t..\\a.jpg\t\t\t\t1\t1\n"
         "planned\t1\n",
         false, JournalState::Planned},
        {"a name with a drive",
         "Tessaly journal 1\nbatch\tb1\nfolder\tC:\\p\\\nfile\tD:a.jpg\t\t\t\t\t1\t1\n"
         "planned\t1\n",
         false, JournalState::Planned},
        {"a stream",
         "Tessaly journal 1\nbatch\tb1\nfolder\tC:\\p\\\nfile\ta.jpg\ta.jpg:x\t\t\t\t1\t1\n"
         "planned\t1\n",
         false, JournalState::Planned},
        {"a count that does not match", kPlan.substr(0, kPlan.size() - 3) + "3\r\n", false,
         JournalState::Planned},
        {"an index out of range", kPlan + "copy\t2\t9\t300\r\n", false, JournalState::Planned},
        {"a copy of a file without one", kPlan + "copy\t1\t9\t300\r\n", false,
         JournalState::Planned},
        {"a size that is no number", kPlan + "copy\t0\t9x\t300\r\n", false, JournalState::Planned},
        {"a number too large", kPlan + "copy\t0\t99999999999999999999\t300\r\n", false,
         JournalState::Planned},
        {"undone without an undo", kPlan + "undone\r\n", false, JournalState::Planned},
        {"an unknown record", kPlan + "moved\t0\r\n", false, JournalState::Planned},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<Journal> journal = parseJournal(row.text);
        ASSERT_EQ(row.accepted, journal.has_value());
        if (journal) {
            EXPECT_EQ(row.state, journal->state);
        }
    }
    const Journal journal = *parseJournal(kPlan + "copy\t0\t9\t300\r\n");
    EXPECT_EQ("C:\\p\\", journal.folder);
    ASSERT_EQ(2u, journal.entries.size());
    EXPECT_EQ("sml.x.jpg", journal.entries[0].copyName);
    EXPECT_EQ(200, journal.entries[1].facts.lastWrite);
    EXPECT_EQ(9u, journal.copies.at(0).size);
}

// One journal for each of 102 folders, two batches each: the last batch of the latest 100
// folders stays, interrupted ones always.
TEST(JournalStore, KeepsTheLastBatchOfTheLatestFoldersAndEveryInterruptedOne) {
    FakeFileSystem disk;
    JournalStore store(disk, kJournals);
    disk.addFolder("J:\\Tessaly");
    const auto put = [&](int folder, const std::string& id, const char* state) {
        const std::string name = folderKey("C:\\f" + std::to_string(folder) + "\\") + "-" + id;
        disk.addFile(kJournals + name + state);
        return name + state;
    };
    std::vector<std::string> kept;
    for (int folder = 0; folder < 102; ++folder) {
        // Ids begin with the time: folder 0's batches are the oldest.
        char older[16], newer[16];
        std::snprintf(older, sizeof older, "%04d", folder * 2);
        std::snprintf(newer, sizeof newer, "%04d", folder * 2 + 1);
        put(folder, older, ".finished");
        const std::string latest = put(folder, newer, folder % 2 == 0 ? ".finished" : ".undone");
        if (folder >= 2)
            kept.push_back(latest);
    }
    kept.push_back(put(0, "0000z", ".running"));
    kept.push_back(put(1, "0000z", ".undoing"));
    store.prune();
    std::vector<std::string> names = disk.fileNames(kJournals);
    std::sort(names.begin(), names.end());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, names);
}

TEST(JournalStore, FindsInterruptedBatchesThatNobodyHolds) {
    FakeFileSystem disk;
    JournalStore store(disk, kJournals);
    disk.addFolder("J:\\Tessaly");
    const std::string key = folderKey("C:\\p\\");
    disk.addFile(std::string(kJournals) + key + "-1.running", 0, kPlan);
    disk.addFile(std::string(kJournals) + key + "-2.running", 0, kPlan.substr(0, 40)); // torn plan
    disk.addFile(std::string(kJournals) + key + "-3.running", 0, kPlan + "finished\r\n");
    disk.addFile(std::string(kJournals) + key + "-4.undoing", 0, "not a journal");
    std::string held;
    const std::unique_ptr<TextFile> running = store.create("C:\\q\\", "5", held);
    ASSERT_TRUE(running);
    running->write(kPlan);

    const std::vector<JournalStore::Interrupted> found = store.interrupted();
    ASSERT_EQ(2u, found.size());
    EXPECT_EQ(std::string(kJournals) + key + "-1.running", found[0].path);
    ASSERT_TRUE(found[0].journal);
    EXPECT_EQ(std::string(kJournals) + key + "-4.undoing", found[1].path);
    EXPECT_FALSE(found[1].journal);
    // The torn plan touched nothing and is gone; the finished one carries its state's name.
    EXPECT_FALSE(disk.hasFile(std::string(kJournals) + key + "-2.running"));
    EXPECT_TRUE(disk.hasFile(std::string(kJournals) + key + "-3.finished"));
    EXPECT_TRUE(disk.held(held));
}

// A batch of three files, renamed with copies, then undone; or, before the undo, one old name
// taken, one copy changed, one renamed file gone.
TEST(Undo, PutsBackExactlyTheFilesBeforeTheBatchOrSaysWhatWasLeft) {
    enum Meddling { None, OldNameTaken, CopyChanged, RenamedFileGone };
    const struct {
        Meddling meddling;
        std::vector<std::string> after; // but the log and the journals
        std::string message;
    } rows[] = {
        {None,
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg", "C:\\p\\IMG_3.jpg"},
         "Tessaly put 3 files back under their old names and deleted 3 copies."},
        {OldNameTaken,
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg", "C:\\p\\IMG_3.jpg", "C:\\p\\r1.jpg"},
         "Tessaly put 2 files back under their old names and deleted 3 copies.\n\nLeft as it "
         "was:\n  C:\\p\\r1.jpg: its old name C:\\p\\IMG_1.jpg is taken\n"},
        {CopyChanged,
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg", "C:\\p\\IMG_3.jpg", "C:\\p\\sml.r2.jpg"},
         "Tessaly put 3 files back under their old names and deleted 2 copies.\n\nLeft as it "
         "was:\n  C:\\p\\sml.r2.jpg: changed since the batch\n"},
        {RenamedFileGone,
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg"},
         "Tessaly put 2 files back under their old names and deleted 3 copies.\n\nLeft as it "
         "was:\n  C:\\p\\r3.jpg: missing\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.meddling);
        FakeFileSystem disk;
        ScriptedMessageBoxes messages;
        RecordingBatchWindows windows;
        JournalStore journals(disk, kJournals);
        std::vector<FileEntry> files;
        for (int i = 1; i <= 3; ++i) {
            const std::string path = "C:\\p\\IMG_" + std::to_string(i) + ".jpg";
            disk.addFile(path, 1000 + i, "picture " + path);
            files.push_back({path});
        }
        BatchJob job(files, std::make_unique<FakeImageResizer>());
        job.setRename(true);
        job.setResize(true);
        job.setRemovedCount(4);
        job.setNewPrefix("r");
        job.setResizePrefix("sml.");
        RunBatch(job, files,
                 BatchPorts{disk, messages, windows, journals, [] { return "today"; },
                            [] { return std::string("b1"); }});
        switch (row.meddling) {
        case OldNameTaken:
            disk.addFile("C:\\p\\IMG_1.jpg", 0, "a new picture");
            break;
        case CopyChanged:
            disk.putFile("C:\\p\\sml.r2.jpg", "edited");
            break;
        case RenamedFileGone:
            disk.removeFile("C:\\p\\r3.jpg");
            break;
        case None:
            break;
        }
        const std::vector<FileEntry> selected = {{"C:\\p\\r2.jpg"}};
        const std::vector<StoredJournal> batches = UndoableBatches(selected, journals);
        ASSERT_EQ(1u, batches.size());
        messages.answers = {mb::IdYes};
        UndoBatchOnRequest(batches[0], UndoPorts{disk, messages, journals, Patience(nullptr)});

        std::vector<std::string> after = disk.files();
        after.erase(std::remove_if(after.begin(), after.end(),
                                   [](const std::string& f) {
                                       return f.rfind(kJournals, 0) == 0 ||
                                              f == "C:\\p\\Tessaly.log";
                                   }),
                    after.end());
        EXPECT_EQ(row.after, after);
        if (row.meddling != OldNameTaken)
            for (int i = 1; i <= (row.meddling == RenamedFileGone ? 2 : 3); ++i) {
                const std::string path = "C:\\p\\IMG_" + std::to_string(i) + ".jpg";
                EXPECT_EQ("picture " + path, disk.bytes(path));
            }
        ASSERT_EQ(2u, messages.shown.size());
        EXPECT_EQ("Do you want to undo the last Tessaly batch in \"C:\\p\\\"?  The files it "
                  "renamed go back to their old names, and the copies it wrote are deleted, as "
                  "far as they are unchanged.",
                  messages.shown[0].text);
        EXPECT_EQ(row.message, messages.shown[1].text);
        // Undone: no undo is offered any more.
        EXPECT_TRUE(UndoableBatches(selected, journals).empty());
    }
}

// Only a file that the folder's last batch made offers the undo: a renamed file or a copy,
// not a file it left as it was, and not after an undo.
TEST(Undo, IsOfferedForFilesTheLastBatchOfTheirFolderMade) {
    FakeFileSystem disk;
    ScriptedMessageBoxes messages;
    RecordingBatchWindows windows;
    JournalStore journals(disk, kJournals);
    std::vector<FileEntry> files = {{"C:\\p\\a1.jpg"}, {"C:\\p\\b1.jpg"}};
    for (const FileEntry& file : files)
        disk.addFile(file.path, 0, file.path);
    BatchJob job(files, std::make_unique<FakeImageResizer>());
    job.setRename(true);
    job.setResize(true);
    job.setNewPrefix("x");
    job.setResizePrefix("sml.");
    disk.failRenameOf("C:\\p\\b1.jpg");
    RunBatch(job, files,
             BatchPorts{disk, messages, windows, journals, [] { return "today"; },
                        [] { return std::string("b1"); }});
    const auto offered = [&](const std::string& path) {
        return !UndoableBatches({{path}}, journals).empty();
    };
    EXPECT_TRUE(offered("C:\\p\\xa1.jpg"));
    EXPECT_TRUE(offered("C:\\P\\XA1.JPG"));
    EXPECT_TRUE(offered("C:\\p\\sml.xa1.jpg"));
    EXPECT_FALSE(offered("C:\\p\\b1.jpg"));
    EXPECT_FALSE(offered("C:\\p\\sml.b1.jpg"));
    EXPECT_FALSE(offered("C:\\q\\xa1.jpg"));
}

} // namespace
} // namespace tessaly::test
