// The journal read back as the untrusted text it is, the store that keeps journals, and the
// undo of a finished batch: exactly the files before it, or what was left named and why.
#include "batch/RunBatch.h"
#include "journal/Hash64.h"
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
// The same batch as this release writes it, b.jpg renamed in two steps.
const std::string kPlan2 = "Tessaly journal 2\r\nbatch\tb1\r\nfolder\tC:\\p\\\r\n"
                           "file\ta.jpg\tx.jpg\t\tsml.x.jpg\t~Tessaly-b1-c0.tmp\t3\t100\tv-7\r\n"
                           "file\tb.jpg\ta.jpg\t~Tessaly-b1-r1.tmp\t\t\t4\t200\t\r\n"
                           "planned\t2\r\n";
const std::string kCopy2 = "writing\t0\t9\t00000000000000ff\r\ncopy\t0\t300\tv-8\t1\r\n";

// kPlan with one field of its first file line in place of the copy's temporary name.
std::string withCopyTemporary(const std::string& name) {
    std::string text = kPlan;
    const std::string own = "~Tessaly-b1-c0.tmp";
    return text.replace(text.find(own), own.size(), name);
}

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
        {"a torn record ended by the next", kPlan + "copy\t0\t9\t3\x18\r\nfinished\r\n", true,
         JournalState::Finished},
        {"an undo", kPlan + "copy\t0\t9\t300\r\nfinished\r\nundo\r\nremoved\t0\r\n", true,
         JournalState::Undoing},
        {"undone", kPlan + "undo\r\nundone\r\n", true, JournalState::Undone},
        {"kept after an interrupted undo", kPlan + "undo\r\nkept\r\n", true, JournalState::Kept},
        {"this release's plan", kPlan2, true, JournalState::Planned},
        {"its copy, second steps and a file that stayed",
         kPlan2 + kCopy2 + "second\r\nfailed\t1\r\nfinished\r\n", true, JournalState::Finished},
        {"undone in part and kept",
         kPlan2 + kCopy2 + "finished\r\nundo\r\nremoved\t0\r\nleft\t1\r\nkept\r\n", true,
         JournalState::Kept},
        {"an undo past its second steps", kPlan2 + "second\r\nfinished\r\nundo\r\nfirst\r\n", true,
         JournalState::Undoing},
        {"a torn plan", kPlan.substr(0, kPlan.size() - 5), false, JournalState::Planned},
        {"another version", "Tessaly journal 3" + kPlan.substr(17), false, JournalState::Planned},
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
        // A temporary name is the batch's own for its line, or the journal is not Tessaly's.
        {"a user's file as a copy's temporary name", withCopyTemporary("thesis.docx"), false,
         JournalState::Planned},
        {"the temporary name in another letter case", withCopyTemporary("~tessaly-b1-c0.TMP"),
         false, JournalState::Planned},
        {"the temporary name of another line", withCopyTemporary("~Tessaly-b1-c1.tmp"), false,
         JournalState::Planned},
        {"the temporary name of another batch", withCopyTemporary("~Tessaly-b2-c0.tmp"), false,
         JournalState::Planned},
        {"a two-step name without a new name",
         "Tessaly journal 2\nbatch\tb1\nfolder\tC:\\p\\\n"
         "file\ta.jpg\t\t~Tessaly-b1-r0.tmp\t\t\t1\t1\t\nplanned\t1\n",
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
        // Only the orders in which Tessaly writes records.
        {"kept after finished, removed without an undo",
         kPlan + "copy\t0\t9\t300\r\nfinished\r\nkept\r\nremoved\t0\r\nundone\r", false,
         JournalState::Planned},
        {"a copy after the end", kPlan + "finished\r\ncopy\t0\t9\t300\r\n", false,
         JournalState::Planned},
        {"removed without its copy", kPlan + "undo\r\nremoved\t0\r\n", false,
         JournalState::Planned},
        {"removed twice", kPlan + "copy\t0\t9\t300\r\nundo\r\nremoved\t0\r\nremoved\t0\r\n", false,
         JournalState::Planned},
        {"a copy without its bytes", kPlan2 + "copy\t0\t300\tv-8\t1\r\n", false,
         JournalState::Planned},
        {"the copy record of the release before", kPlan2 + "copy\t0\t9\t300\r\n", false,
         JournalState::Planned},
        {"a file renamed at once that stayed", kPlan2 + "failed\t0\r\n", false,
         JournalState::Planned},
        {"undone with files left", kPlan2 + "undo\r\nleft\t1\r\nundone\r\n", false,
         JournalState::Planned},
        {"second steps undone that never were", kPlan2 + "undo\r\nfirst\r\n", false,
         JournalState::Planned},
        {"an identity that is none",
         kPlan2.substr(0, kPlan2.find("v-7")) + "v/7" + kPlan2.substr(kPlan2.find("v-7") + 3),
         false, JournalState::Planned},
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
    const Journal kept = *parseJournal(kPlan2 + kCopy2 + "finished\r\nundo\r\nleft\t1\r\nkept\r\n");
    EXPECT_EQ("v-7", kept.entries[0].identity);
    EXPECT_EQ(0xffu, kept.copies.at(0).hash);
    EXPECT_TRUE(kept.copies.at(0).replaces);
    EXPECT_EQ(std::set<std::size_t>{1}, kept.left);
    // What the undo entry is offered for: what is left.
    EXPECT_EQ((std::vector<std::string>{"a.jpg", "~Tessaly-b1-r1.tmp"}), namesOfBatch(kept));
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
    // Kept as it was after an interruption: its files may wait under temporary names.
    kept.push_back(put(2, "0000a", ".kept"));
    kept.push_back(put(2, "0000a", ".names"));
    put(3, "0006", ".names"); // beside a journal that goes
    store.prune();
    std::vector<std::string> names = disk.fileNames(kJournals);
    std::sort(names.begin(), names.end());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, names);
}

// kPlan of the batch with the given id, whose temporary names are that batch's.
std::string planOf(const std::string& id, const std::string& plan = kPlan) {
    std::string text = plan;
    for (std::size_t at = text.find("b1"); at != std::string::npos; at = text.find("b1", at))
        text.replace(at, 2, id);
    return text;
}

TEST(JournalStore, FindsInterruptedBatchesThatNobodyHolds) {
    FakeFileSystem disk;
    JournalStore store(disk, kJournals, 2000);
    disk.addFolder("J:\\Tessaly");
    const std::string key = std::string(kJournals) + folderKey("C:\\p\\");
    disk.addFile(key + "-1.running", 0, planOf("1"));
    disk.addFile(key + "-2.running", 0, planOf("2").substr(0, 40)); // a torn plan
    disk.addFile(key + "-3.running", 0, planOf("3") + "finished\r\n");
    disk.addFile(key + "-4.undoing", 0, "not a journal");
    // Its name gives another folder than it names.
    const std::string other = std::string(kJournals) + folderKey("C:\\q\\") + "-6.running";
    disk.addFile(other, 0, planOf("6"));
    // An undo that began under the name of a finished batch.
    disk.addFile(key + "-7.finished", 0, planOf("7") + "finished\r\nundo\r\n");
    disk.addFile(key + "-8.running", 0, planOf("8") + std::string(2000, 'x'));
    disk.addFile(key + "-9.running", 0, planOf("9"));
    disk.failReadOf(key + "-9.running");
    std::string held;
    const std::unique_ptr<TextFile> running = store.create("C:\\q\\", "5", held);
    ASSERT_TRUE(running);
    running->write(planOf("5"));

    std::vector<std::pair<std::string, JournalProblem>> found;
    for (const JournalStore::Interrupted& i : store.interrupted())
        found.emplace_back(i.path, i.stored ? JournalProblem::None : i.problem);
    const std::vector<std::pair<std::string, JournalProblem>> expected = {
        {key + "-1.running", JournalProblem::None},
        {key + "-4.undoing", JournalProblem::Malformed},
        {key + "-7.finished", JournalProblem::None},
        {key + "-8.running", JournalProblem::TooLarge},
        {key + "-9.running", JournalProblem::NotReadNow},
        {other, JournalProblem::Malformed}};
    EXPECT_EQ(expected, found);
    // The torn plan touched nothing and is gone; the finished one carries its state's name.
    EXPECT_FALSE(disk.hasFile(key + "-2.running"));
    EXPECT_TRUE(disk.hasFile(key + "-3.finished"));
    EXPECT_TRUE(disk.held(held));
}

// A batch of three files, renamed with copies, then undone; or, before the undo, one old name
// taken, one copy changed, one renamed file gone.
TEST(Undo, PutsBackExactlyTheFilesBeforeTheBatchOrSaysWhatWasLeft) {
    enum Meddling {
        None,
        OldNameTaken,
        CopyChanged,
        RenamedFileGone,
        RenamedFileEdited, // and tagged: its identity tells it is the batch's all the same
        RenamedFileEditedOnFat,
        CopyEditedTimeKept // its bytes tell it is no more the batch's copy
    };
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
         "was:\n  C:\\p\\r1.jpg: its old name C:\\p\\IMG_1.jpg is taken\n\n\"Undo last Tessaly "
         "batch\" in the context menu of one of them can try again."},
        {CopyChanged,
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg", "C:\\p\\IMG_3.jpg", "C:\\p\\sml.r2.jpg"},
         "Tessaly put 3 files back under their old names and deleted 2 copies.\n\nLeft as it "
         "was:\n  C:\\p\\sml.r2.jpg: changed since the batch\n"},
        {RenamedFileGone,
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg"},
         "Tessaly put 2 files back under their old names and deleted 3 copies.\n\nLeft as it "
         "was:\n  C:\\p\\r3.jpg: missing\n"},
        {RenamedFileEdited,
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg", "C:\\p\\IMG_3.jpg"},
         "Tessaly put 3 files back under their old names and deleted 3 copies."},
        {RenamedFileEditedOnFat,
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_3.jpg", "C:\\p\\r2.jpg"},
         "Tessaly put 2 files back under their old names and deleted 3 copies.\n\nLeft as it "
         "was:\n  C:\\p\\r2.jpg: changed since the batch\n"},
        {CopyEditedTimeKept,
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg", "C:\\p\\IMG_3.jpg", "C:\\p\\sml.r2.jpg"},
         "Tessaly put 3 files back under their old names and deleted 2 copies.\n\nLeft as it "
         "was:\n  C:\\p\\sml.r2.jpg: changed since the batch\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.meddling);
        FakeFileSystem disk;
        disk.keepsIdentities = row.meddling != RenamedFileEditedOnFat;
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
        case RenamedFileEdited:
        case RenamedFileEditedOnFat:
            disk.putFile("C:\\p\\r2.jpg", "picture C:\\p\\IMG_2.jpg, tagged");
            break;
        case CopyEditedTimeKept:
            disk.putFile("C:\\p\\sml.r2.jpg",
                         std::string(disk.bytes("C:\\p\\sml.r2.jpg").size(), 'e'),
                         disk.facts("C:\\p\\sml.r2.jpg")->lastWrite);
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
        for (const std::string& path : after) {
            if (path.find("IMG_") == std::string::npos ||
                (row.meddling == OldNameTaken && path == "C:\\p\\IMG_1.jpg"))
                continue;
            const bool tagged = row.meddling == RenamedFileEdited && path == "C:\\p\\IMG_2.jpg";
            EXPECT_EQ("picture " + path + (tagged ? ", tagged" : ""), disk.bytes(path));
        }
        ASSERT_EQ(2u, messages.shown.size());
        EXPECT_EQ("Do you want to undo the last Tessaly batch in \"C:\\p\\\"?  The files it "
                  "renamed go back to their old names, and the copies it wrote are deleted, as "
                  "far as they are unchanged.",
                  messages.shown[0].text);
        EXPECT_EQ(row.message, messages.shown[1].text);
        // Undone: no undo is offered any more, but for what another undo may still put back.
        EXPECT_TRUE(UndoableBatches(selected, journals).empty());
        EXPECT_EQ(row.meddling == OldNameTaken, UndoOffered({{"C:\\p\\r1.jpg"}}, journals));
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
    // The menu asks the names kept beside the journal; the undo reads the journal: they agree.
    const auto offered = [&](const std::string& path) {
        const bool undoable = !UndoableBatches({{path}}, journals).empty();
        EXPECT_EQ(undoable, UndoOffered({{path}}, journals)) << path;
        return undoable;
    };
    EXPECT_TRUE(offered("C:\\p\\xa1.jpg"));
    EXPECT_TRUE(offered("C:\\P\\XA1.JPG"));
    EXPECT_TRUE(offered("C:\\p\\sml.xa1.jpg"));
    EXPECT_FALSE(offered("C:\\p\\b1.jpg"));
    EXPECT_FALSE(offered("C:\\p\\sml.b1.jpg"));
    EXPECT_FALSE(offered("C:\\q\\xa1.jpg"));
    // Without the names beside it (a journal of the release before), the journal tells.
    disk.removeFile(std::string(kJournals) + folderKey("C:\\p\\") + "-b1.names");
    EXPECT_TRUE(offered("C:\\p\\xa1.jpg"));
    EXPECT_FALSE(offered("C:\\p\\b1.jpg"));
}

// A swap in place that died after its first steps, kept as it was: its files wait under
// temporary names, which offer the undo too, and a batch that follows in the folder never drops
// its journal.
TEST(Undo, IsOfferedForTheTemporaryNamesOfAKeptBatch) {
    FakeFileSystem disk;
    ScriptedMessageBoxes messages;
    RecordingBatchWindows windows;
    JournalStore journals(disk, kJournals);
    const UndoPorts ports{disk, messages, journals, Patience(nullptr)};
    disk.addFolder("J:\\Tessaly");
    disk.addFile("C:\\p\\~Tessaly-1-r0.tmp", 1, "a");
    disk.addFile("C:\\p\\~Tessaly-1-r1.tmp", 2, "b");
    const auto file = [&](const std::string& old, const std::string& renamed, int k) {
        const std::string temporary = "~Tessaly-1-r" + std::to_string(k) + ".tmp";
        const FileFacts f = *disk.facts("C:\\p\\" + temporary);
        return "file\t" + old + "\t" + renamed + "\t" + temporary + "\t\t\t" +
               std::to_string(f.size) + "\t" + std::to_string(f.lastWrite) + "\t" +
               disk.identity("C:\\p\\" + temporary) + "\r\n";
    };
    disk.addFile(std::string(kJournals) + folderKey("C:\\p\\") + "-1.running", 0,
                 "Tessaly journal 2\r\nbatch\t1\r\nfolder\tC:\\p\\\r\n" +
                     file("a.jpg", "b.jpg", 0) + file("b.jpg", "a.jpg", 1) + "planned\t2\r\n");
    messages.answers = {mb::IdNo};
    RecoverInterruptedBatches(ports);
    EXPECT_TRUE(UndoOffered({{"C:\\p\\~Tessaly-1-r1.tmp"}}, journals));
    // Another batch in the folder, of a file of its own, finishes: the kept journal stays.
    disk.addFile("C:\\p\\c1.jpg", 3, "c");
    std::vector<FileEntry> files = {{"C:\\p\\c1.jpg"}};
    BatchJob job(files, std::make_unique<FakeImageResizer>());
    job.setRename(true);
    job.setNewPrefix("d");
    RunBatch(job, files,
             BatchPorts{disk, messages, windows, journals, [] { return "today"; },
                        [] { return std::string("2"); }});
    EXPECT_TRUE(UndoOffered({{"C:\\p\\~Tessaly-1-r1.tmp"}}, journals));
    messages.answers = {mb::IdYes};
    UndoLastBatches({{"C:\\p\\~Tessaly-1-r0.tmp"}}, ports);
    EXPECT_EQ("a", disk.bytes("C:\\p\\a.jpg"));
    EXPECT_EQ("b", disk.bytes("C:\\p\\b.jpg"));
}

// The menu answers from the names beside a journal in a few reads, whatever the batch's size.
TEST(Undo, TheMenuReadsAFewBytesOfALargeBatch) {
    FakeFileSystem disk;
    ScriptedMessageBoxes messages;
    RecordingBatchWindows windows;
    JournalStore journals(disk, kJournals);
    std::vector<FileEntry> files;
    for (int i = 0; i < 10000; ++i) {
        files.push_back({"C:\\p\\IMG_" + std::to_string(10000 + i) + ".jpg"});
        disk.addFile(files.back().path);
    }
    BatchJob job(files, std::make_unique<FakeImageResizer>());
    job.setRename(true);
    job.setNewPrefix("x");
    RunBatch(job, files,
             BatchPorts{disk, messages, windows, journals, [] { return "today"; },
                        [] { return std::string("b1"); }});
    disk.bytesRead = 0;
    EXPECT_TRUE(UndoOffered({{"C:\\p\\xIMG_14321.jpg"}, {"C:\\p\\other.jpg"}}, journals));
    EXPECT_FALSE(UndoOffered({{"C:\\p\\IMG_14321.jpg"}}, journals));
    EXPECT_LT(disk.bytesRead, 2000u);
}

// Journals left in the states a journal can be left in, beside the files they name, on a volume
// without file identities: the recovery (answered as given) and, when named, the undo entry of
// one file after it move and delete only what the batch's own records say it made.
TEST(Recovery, TouchesOnlyWhatTheBatchsOwnRecordsSayItMade) {
    const std::string folder = "C:\\p\\";
    struct Row {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files; // in the folder: name, bytes
        // Journal names (but for those naming their own key, the folder's key goes in front)
        // and texts, given the disk.
        std::vector<std::pair<std::string, std::function<std::string(FakeFileSystem&)>>> journals;
        std::vector<int> answers;
        std::string undo; // the file whose undo entry is chosen after the recovery
        std::vector<std::string> after;
        std::vector<std::string> told;
        // The folder cannot be listed at the first recovery (a card taken out), or the journal
        // cannot be renamed at the first undo (a scanner holds it); the next time, it can.
        enum { Reachable, UnlistedFirst, JournalHeldFirst } first = Reachable;
    };
    // A file line of the batch "b1" (of another id: planOf) with the facts of the file at.
    const auto line = [&](FakeFileSystem& d, const std::string& fields, const std::string& at) {
        const FileFacts f = *d.facts(folder + at);
        return "file\t" + fields + "\t" + std::to_string(f.size) + "\t" +
               std::to_string(f.lastWrite) + "\t\r\n";
    };
    const std::string head = "Tessaly journal 2\r\nbatch\tb1\r\nfolder\tC:\\p\\\r\n";
    const auto copyOf = [&](FakeFileSystem& d, std::size_t k, const std::string& at,
                            bool replaces) {
        CopyRecord copy;
        copy.size = d.bytes(folder + at).size();
        copy.hash = hash64(d.bytes(folder + at));
        copy.lastWrite = d.facts(folder + at)->lastWrite;
        copy.replaces = replaces;
        return journalWritingLine(k, copy) + journalCopyLine(2, k, copy);
    };
    const std::string question = "Do you want to put everything back as it was before the batch?";
    const std::string oneBack = "Tessaly put 1 file back under its old name and deleted 0 copies.";
    const std::string undoQuestion =
        "Do you want to undo the last Tessaly batch in \"C:\\p\\\"?  The files it renamed go back "
        "to their old names, and the copies it wrote are deleted, as far as they are unchanged.";
    const Row rows[] = {
        {"a user's file named as a copy's temporary name",
         {{"a.jpg", "picture a"}, {"thesis.docx", "a thesis"}},
         {{"-b1.running",
           [&](FakeFileSystem& d) {
               return head + line(d, "a.jpg\tx.jpg\t\tsml.a.jpg\tthesis.docx", "a.jpg") +
                      "planned\t1\r\n";
           }}},
         {},
         "",
         {"a.jpg", "thesis.docx"},
         {"The Tessaly journal \"J:\\Tessaly\\" + folderKey(folder) +
          "-b1.running\" can not be read, so the batch it records can not be put back.  No "
          "file was changed."}},
        {"a journal whose name is another folder's",
         {{"Holiday_1.jpg", "a photo"}},
         {{"0123456789abcdef-b1.running",
           [&](FakeFileSystem& d) {
               return head +
                      line(d, "Renamed_by_journal.jpg\tHoliday_1.jpg\t\t\t", "Holiday_1.jpg") +
                      "planned\t1\r\n";
           }}},
         {},
         "",
         {"Holiday_1.jpg"},
         {"The Tessaly journal \"J:\\Tessaly\\0123456789abcdef-b1.running\" can not be read, so "
          "the batch it records can not be put back.  No file was changed."}},
        {"an interrupted batch of the release before",
         {{"x.jpg", "picture a"}, {"b.jpg", "picture b"}},
         {{"-b1.running",
           [&](FakeFileSystem& d) {
               const FileFacts f = *d.facts(folder + "x.jpg");
               return "Tessaly journal "
                      "1\r\nbatch\tb1\r\nfolder\tC:\\p\\\r\nfile\ta.jpg\tx.jpg\t\t\t\t" +
                      std::to_string(f.size) + "\t" + std::to_string(f.lastWrite) +
                      "\r\nplanned\t1\r\n";
           }}},
         {mb::IdYes},
         "",
         {"a.jpg", "b.jpg"},
         {"Tessaly was interrupted while it renamed or resized files in \"C:\\p\\\" and left 1 "
          "file not under its old name.\n\n" +
              question,
          oneBack}},
        {"a finished batch of the release before, with its copy",
         {{"x.jpg", "picture a"}, {"sml.x.jpg", "its copy"}},
         {{"-b1.finished",
           [&](FakeFileSystem& d) {
               const FileFacts f = *d.facts(folder + "x.jpg");
               const FileFacts c = *d.facts(folder + "sml.x.jpg");
               return "Tessaly journal 1\r\nbatch\tb1\r\nfolder\tC:\\p\\\r\nfile\ta.jpg\tx.jpg\t\t"
                      "sml.x.jpg\t~Tessaly-b1-c0.tmp\t" +
                      std::to_string(f.size) + "\t" + std::to_string(f.lastWrite) +
                      "\r\nplanned\t1\r\ncopy\t0\t" + std::to_string(c.size) + "\t" +
                      std::to_string(c.lastWrite) + "\r\nfinished\r\n";
           }}},
         {mb::IdYes},
         "x.jpg",
         {"a.jpg"},
         {undoQuestion, "Tessaly put 1 file back under its old name and deleted 1 copy."}},
        {"a copy on the old name of another file",
         {{"x.jpg", "picture srb"}, {"rb.jpg", "picture y"}, {"srb.jpg", "copy of y"}},
         {{"-b1.finished",
           [&](FakeFileSystem& d) {
               return head + line(d, "srb.jpg\tx.jpg\t\t\t", "x.jpg") +
                      line(d, "y.jpg\trb.jpg\t\tsrb.jpg\t~Tessaly-b1-c1.tmp", "rb.jpg") +
                      "planned\t2\r\n" + copyOf(d, 1, "srb.jpg", false) + "finished\r\n";
           }}},
         {mb::IdYes},
         "x.jpg",
         {"srb.jpg", "y.jpg"},
         {undoQuestion, "Tessaly put 2 files back under their old names and deleted 1 copy."}},
        {"a copy that replaced a file, as the user agreed",
         {{"a.jpg", "picture a"}, {"sml.a.jpg", "copy of a"}},
         {{"-b1.finished",
           [&](FakeFileSystem& d) {
               return head + line(d, "a.jpg\t\t\tsml.a.jpg\t~Tessaly-b1-c0.tmp", "a.jpg") +
                      "planned\t1\r\n" + copyOf(d, 0, "sml.a.jpg", true) + "finished\r\n";
           }}},
         {mb::IdYes},
         "sml.a.jpg",
         {"a.jpg"},
         {undoQuestion, "Tessaly put 0 files back under their old names and deleted 1 copy.\n\n"
                        "The batch's copies replaced these files, as you agreed; they can not be "
                        "restored:\n  C:\\p\\sml.a.jpg\n"}},
        {"a batch that touched nothing: no question",
         {{"a.jpg", "picture a"}},
         {{"-b1.running",
           [&](FakeFileSystem& d) {
               return head + line(d, "a.jpg\tx.jpg\t\t\t", "a.jpg") + "planned\t1\r\n";
           }}},
         {},
         "",
         {"a.jpg"},
         {}},
        {"a torn last line, kept, then undone",
         {{"x.jpg", "picture a"}, {"b.jpg", "picture b"}},
         {{"-b1.running",
           [&](FakeFileSystem& d) {
               return head + line(d, "a.jpg\tx.jpg\t\t\t", "x.jpg") +
                      line(d, "b.jpg\ty.jpg\t\t\t", "b.jpg") + "planned\t2\r\nfinis";
           }}},
         {mb::IdNo, mb::IdOk, mb::IdYes},
         "x.jpg",
         {"a.jpg", "b.jpg"},
         {"Tessaly was interrupted while it renamed or resized files in \"C:\\p\\\" and left 1 "
          "file not under its old name.\n\n" +
              question,
          "Tessaly left the 1 file not under its old name in \"C:\\p\\\" as they are.  \"Undo "
          "last Tessaly batch\" in the context menu of one of them can still put them back.",
          undoQuestion, oneBack}},
        {"a folder that cannot be listed, then can",
         {{"x.jpg", "picture a"}},
         {{"-b1.running",
           [&](FakeFileSystem& d) {
               return head + line(d, "a.jpg\tx.jpg\t\t\t", "x.jpg") + "planned\t1\r\n";
           }}},
         {mb::IdOk, mb::IdYes},
         "",
         {"a.jpg"},
         {"Tessaly can not reach the folder \"C:\\p\\\" now, so it can not put the batch there "
          "back.  No file was changed; Tessaly will ask again next time.",
          "Tessaly was interrupted while it renamed or resized files in \"C:\\p\\\" and left 1 "
          "file not under its old name.\n\n" +
              question,
          oneBack},
         Row::UnlistedFirst},
        {"a finished journal held by a scanner, then free",
         {{"x.jpg", "picture a"}},
         {{"-b1.finished",
           [&](FakeFileSystem& d) {
               return head + line(d, "a.jpg\tx.jpg\t\t\t", "x.jpg") + "planned\t1\r\nfinished\r\n";
           }}},
         {mb::IdYes, mb::IdOk, mb::IdYes},
         "x.jpg",
         {"a.jpg"},
         {undoQuestion,
          "Tessaly put 0 files back under their old names and deleted 0 copies.\n\nLeft as it "
          "was:\n  C:\\p\\: its journal is held by another program\n",
          undoQuestion, oneBack},
         Row::JournalHeldFirst},
        {"a newer batch interrupted before the one undone",
         {{"c.jpg", "picture a"}},
         {{"-1.finished",
           [&](FakeFileSystem& d) {
               return planOf("1", head + line(d, "a.jpg\tb.jpg\t\t\t", "c.jpg") +
                                      "planned\t1\r\nfinished\r\n");
           }},
          {"-2.running",
           [&](FakeFileSystem& d) {
               return planOf("2", head + line(d, "b.jpg\tc.jpg\t\t\t", "c.jpg") + "planned\t1\r\n");
           }}},
         {mb::IdYes, mb::IdOk, mb::IdYes},
         "b.jpg",
         {"a.jpg"},
         {"Tessaly was interrupted while it renamed or resized files in \"C:\\p\\\" and left 1 "
          "file not under its old name.\n\n" +
              question,
          oneBack, undoQuestion, oneBack}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeFileSystem disk;
        disk.keepsIdentities = false;
        ScriptedMessageBoxes messages;
        messages.answers.assign(row.answers.begin(), row.answers.end());
        JournalStore journals(disk, kJournals);
        disk.addFolder("J:\\Tessaly");
        std::int32_t modified = 1000;
        for (const auto& [name, bytes] : row.files)
            disk.addFile(folder + name, modified++, bytes);
        for (const auto& [name, text] : row.journals)
            disk.addFile(kJournals + (name[0] == '-' ? folderKey(folder) : "") + name, 0,
                         text(disk));
        const UndoPorts ports{disk, messages, journals, Patience(nullptr)};
        if (row.first == Row::UnlistedFirst) {
            disk.failListingOf(folder);
            RecoverInterruptedBatches(ports);
            disk.restoreListingOf(folder);
        }
        const std::string journal = kJournals + folderKey(folder) + "-b1.finished";
        if (row.first == Row::JournalHeldFirst) {
            disk.failRenameOf(journal);
            UndoLastBatches({{folder + row.undo}}, ports);
            disk.restoreRenameOf(journal);
        }
        RecoverInterruptedBatches(ports);
        if (!row.undo.empty()) {
            EXPECT_TRUE(UndoOffered({{folder + row.undo}}, journals));
            UndoLastBatches({{folder + row.undo}}, ports);
        }
        std::vector<std::string> after;
        for (const std::string& name : disk.fileNames(folder))
            after.push_back(name);
        std::sort(after.begin(), after.end());
        EXPECT_EQ(row.after, after);
        std::vector<std::string> told;
        for (const ShownMessage& shown : messages.shown)
            told.push_back(shown.text);
        EXPECT_EQ(row.told, told);
        // Every question is answered once: nothing is left to ask.
        EXPECT_TRUE(journals.interrupted().empty());
    }
}
} // namespace
} // namespace tessaly::test
