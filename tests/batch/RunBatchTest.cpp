// A whole batch over the in-memory file system, a scripted resizer and recorded windows: the
// order of every step, the counts, the numbering, the log's bytes and the result.
#include "batch/RunBatch.h"
#include "naming/NameConflicts.h"
#include "platform/Patience.h"
#include "support/FakeFileSystem.h"
#include "support/FakeImageResizer.h"
#include "support/RecordingBatchWindows.h"
#include "support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessaly::test {
namespace {

using Events = std::vector<std::string>;

const char* const kDate = "Friday, December 05, 2008  14:03:22";
const std::string kHeader =
    "Vexmoor Software Tessaly\r\nFriday, December 05, 2008  14:03:22\r\n\r\n";

const char* const kJournals = "J:\\Tessaly\\";

// The files of the disk but the journals.
std::vector<std::string> onDisk(const FakeFileSystem& fs) {
    std::vector<std::string> files = fs.files();
    files.erase(std::remove_if(files.begin(), files.end(),
                               [](const std::string& f) { return f.rfind(kJournals, 0) == 0; }),
                files.end());
    return files;
}

// The renames of files but the journals'.
std::size_t fileRenames(const FakeFileSystem& fs) {
    return static_cast<std::size_t>(
        std::count_if(fs.renames.begin(), fs.renames.end(),
                      [](const auto& rename) { return rename.first.rfind(kJournals, 0) != 0; }));
}

// One invocation: its files on the fake disk, its job, and what the batch showed.
struct Invocation {
    FakeFileSystem& fs;
    JournalStore journals{fs, kJournals};
    std::vector<FileEntry> files;
    FakeImageResizer* resizer = nullptr;
    std::unique_ptr<BatchJob> job;
    ScriptedMessageBoxes messages;
    RecordingBatchWindows windows;
    int dateRequests = 0;
    Events eventsAtDateRequest;

    // The files are created on the disk, modified at the given times when there are any.
    Invocation(FakeFileSystem& fileSystem, const std::vector<std::string>& paths,
               const std::vector<std::int32_t>& modified = {})
        : fs(fileSystem) {
        for (std::size_t i = 0; i < paths.size(); ++i) {
            fs.addFile(paths[i], i < modified.size() ? modified[i] : 0, "picture " + paths[i]);
            files.push_back({paths[i]});
        }
        auto owned = std::make_unique<FakeImageResizer>();
        resizer = owned.get();
        job = std::make_unique<BatchJob>(files, std::move(owned));
        job->setResizePrefix("sml.");
        job->setResizeWidth(640);
    }

    void run() {
        RunBatch(*job, files,
                 BatchPorts{fs, messages, windows, journals,
                            [this] {
                                ++dateRequests;
                                eventsAtDateRequest = windows.events;
                                return std::string(kDate);
                            },
                            [] { return std::string("b1"); }});
    }

    std::vector<std::string> paths() const {
        std::vector<std::string> result;
        for (const FileEntry& file : files)
            result.push_back(file.path);
        return result;
    }
};

class Batch : public ::testing::Test {
protected:
    FakeFileSystem fs;
};

TEST_F(Batch, RenamesFileByFileWithProgressLogAndResult) {
    Invocation b(fs, {"C:\\p\\IMG_0001.JPG", "C:\\p\\IMG_0002.JPG", "C:\\p\\IMG_0013.JPG"});
    b.job->setRename(true);
    b.job->setRemovedCount(4);
    b.job->setNewPrefix("Rome_");
    b.job->setRenumber(1, 3, 1);
    b.run();

    EXPECT_EQ((Events{"open", "done 0", "not done 0", "labels 1 0",   //
                      "done 1", "percent 33", "pump",                 //
                      "done 2", "percent 66", "pump",                 //
                      "done 3", "percent 100", "pump",                //
                      "close", "result 0 3 C:\\p\\Tessaly.log 1 0"}), //
              b.windows.events);
    EXPECT_EQ(0, b.windows.openProgressWindows);
    EXPECT_EQ((std::vector<std::string>{"C:\\p\\Rome_001.JPG", "C:\\p\\Rome_002.JPG",
                                        "C:\\p\\Rome_003.JPG", "C:\\p\\Tessaly.log"}),
              onDisk(fs));
    EXPECT_EQ("picture C:\\p\\IMG_0013.JPG", fs.bytes("C:\\p\\Rome_003.JPG"));
    EXPECT_EQ(kHeader + "All files were renamed successfully\r\n\r\nNumber of files renamed: 3\r\n",
              fs.bytes("C:\\p\\Tessaly.log"));
    // Dated when it is created: after the progress window opened, before any rename.
    EXPECT_EQ(1, b.dateRequests);
    EXPECT_EQ((Events{"open", "done 0", "not done 0", "labels 1 0"}), b.eventsAtDateRequest);
    EXPECT_TRUE(b.messages.shown.empty());
    EXPECT_TRUE(b.resizer->scaled.empty());
    // The list keeps the paths it was given.
    EXPECT_EQ("C:\\p\\IMG_0001.JPG", b.files.front().path);
}

TEST_F(Batch, TheBarMovesThroughEveryPercentOnceUpToTheEnd) {
    std::vector<std::string> paths;
    for (int i = 0; i < 250; ++i)
        paths.push_back("C:\\p\\IMG_" + std::to_string(1000 + i) + ".jpg");
    Invocation b(fs, paths);
    b.job->setRename(true);
    b.job->setNewPrefix("n");
    b.run();
    std::vector<int> expected;
    for (int percent = 0; percent <= 100; ++percent)
        expected.push_back(percent);
    EXPECT_EQ(expected, b.windows.percents);
    EXPECT_EQ(250, std::count(b.windows.events.begin(), b.windows.events.end(), "pump"));
}

TEST_F(Batch, EntirePrefixRemovedWithoutNumbersRenamesOnlyTheFirst) {
    Invocation b(fs, {"C:\\p\\a1.jpg", "C:\\p\\a2.jpg", "C:\\p\\a3.jpg"});
    b.job->setRename(true);
    b.job->setEntirePrefixRemoved(true);
    b.job->setNewPrefix("x");
    ASSERT_EQ(std::nullopt, CheckNameConflicts(*b.job, b.files, fs).firstTaken);
    b.run();

    EXPECT_EQ((std::vector<std::string>{"C:\\p\\Tessaly.log", "C:\\p\\a2.jpg", "C:\\p\\a3.jpg",
                                        "C:\\p\\x.jpg"}),
              onDisk(fs));
    EXPECT_EQ("picture C:\\p\\a1.jpg", fs.bytes("C:\\p\\x.jpg"));
    EXPECT_EQ(kHeader + "Files which could not be renamed:\r\n\r\n"
                        "  C:\\p\\a2.jpg\r\n"
                        "  C:\\p\\a3.jpg\r\n"
                        "\r\nNumber of files renamed successfully: 1\r\n",
              fs.bytes("C:\\p\\Tessaly.log"));
    EXPECT_EQ("result 2 1 C:\\p\\Tessaly.log 1 0", b.windows.events.back());
}

TEST_F(Batch, CancelAtTheOverwriteQuestionStopsResizingOnly) {
    Invocation b(fs, {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg", "C:\\p\\IMG_3.jpg",
                      "C:\\p\\IMG_4.jpg", "C:\\p\\IMG_5.jpg"});
    b.job->setResize(true);
    fs.addFile("C:\\p\\sml.IMG_3.jpg", 0, "an earlier copy");
    b.messages.answers = {mb::IdCancel};
    b.run();

    ASSERT_EQ(1u, b.messages.shown.size());
    EXPECT_EQ("The resize file name already exists: C:\\p\\sml.IMG_3.jpg\nDo you want to "
              "overwrite the file?  Select Cancel to cancel further resize operations.",
              b.messages.shown[0].text);
    EXPECT_EQ("Warning", b.messages.shown[0].caption);
    EXPECT_EQ(mb::YesNoCancel, b.messages.shown[0].style);
    EXPECT_EQ(MessageOwner::None, b.messages.shown[0].owner);
    // Pictures ahead may have been scaled already: that work is dropped.
    ASSERT_LE(2u, b.resizer->scaled.size());
    EXPECT_EQ("picture C:\\p\\IMG_2.jpg", b.resizer->scaled[1].picture);
    EXPECT_EQ(640u, b.resizer->scaled[1].width);
    EXPECT_EQ(0u, b.resizer->scaled[1].height);
    EXPECT_FALSE(fs.hasFile("C:\\p\\sml.IMG_4.jpg"));
    EXPECT_EQ("copy of picture C:\\p\\IMG_2.jpg", fs.bytes("C:\\p\\sml.IMG_2.jpg"));
    EXPECT_EQ("an earlier copy", fs.bytes("C:\\p\\sml.IMG_3.jpg"));
    // Files 4 and 5 have no copy either: they are not done, and logged with file 3.
    EXPECT_EQ((Events{"open",        "done 0",
                      "not done 0",  "labels 0 1", //
                      "done 1",      "not done 0",
                      "percent 20",  "pump", //
                      "done 2",      "not done 0",
                      "percent 40",  "pump", //
                      "done 2",      "not done 1",
                      "percent 60",  "pump", //
                      "done 2",      "not done 2",
                      "percent 80",  "pump", //
                      "done 2",      "not done 3",
                      "percent 100", "pump",                                //
                      "close",       "result 3 2 C:\\p\\Tessaly.log 0 1"}), //
              b.windows.events);
    EXPECT_EQ(kHeader + "Files which could not be resized:\r\n\r\n"
                        "  C:\\p\\IMG_3.jpg\r\n  C:\\p\\IMG_4.jpg\r\n  C:\\p\\IMG_5.jpg\r\n"
                        "\r\nNumber of files resized successfully: 2\r\n",
              fs.bytes("C:\\p\\Tessaly.log"));

    // With renaming on, the files after the Cancel are still renamed.
    FakeFileSystem other;
    Invocation r(other, {"C:\\q\\a1.jpg", "C:\\q\\a2.jpg", "C:\\q\\a3.jpg"});
    r.job->setRename(true);
    r.job->setResize(true);
    r.job->setNewPrefix("b");
    r.job->setRemovedCount(1);
    other.addFile("C:\\q\\sml.b1.jpg");
    r.messages.answers = {mb::IdCancel};
    r.run();
    // The pictures scaled ahead, if any, were dropped: no copy was written.
    EXPECT_EQ("", other.bytes("C:\\q\\sml.b1.jpg"));
    EXPECT_FALSE(other.hasFile("C:\\q\\sml.b2.jpg"));
    EXPECT_FALSE(other.hasFile("C:\\q\\sml.b3.jpg"));
    EXPECT_EQ(3u, fileRenames(other));
    EXPECT_EQ("result 3 0 C:\\q\\Tessaly.log 1 1", r.windows.events.back());
    EXPECT_EQ(kHeader + "Files which could not be resized:\r\n\r\n"
                        "  C:\\q\\b1.jpg\r\n  C:\\q\\b2.jpg\r\n  C:\\q\\b3.jpg\r\n"
                        "\r\nNumber of files renamed and resized successfully: 0\r\n",
              other.bytes("C:\\q\\Tessaly.log"));
}

TEST_F(Batch, AFailedRenameCountsOnceIsLoggedAndIsNotResized) {
    Invocation b(fs, {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg", "C:\\p\\IMG_3.jpg"});
    b.job->setRename(true);
    b.job->setResize(true);
    b.job->setRemovedCount(4);
    b.job->setNewPrefix("n");
    b.job->setRenumber(1, 2, 1);
    fs.failRenameOf("C:\\p\\IMG_2.jpg");
    b.run();

    // The number advances past the failed file: it leaves a gap.
    EXPECT_EQ(
        (std::vector<std::string>{"C:\\p\\IMG_2.jpg", "C:\\p\\Tessaly.log", "C:\\p\\n01.jpg",
                                  "C:\\p\\n03.jpg", "C:\\p\\sml.n01.jpg", "C:\\p\\sml.n03.jpg"}),
        onDisk(fs));
    EXPECT_EQ("copy of picture C:\\p\\IMG_3.jpg", fs.bytes("C:\\p\\sml.n03.jpg"));
    EXPECT_EQ((Events{"open", "done 0", "not done 0", "labels 1 1",   //
                      "done 1", "not done 0", "percent 33", "pump",   //
                      "not done 1", "percent 66", "pump",             //
                      "done 2", "not done 1", "percent 100", "pump",  //
                      "close", "result 1 2 C:\\p\\Tessaly.log 1 1"}), //
              b.windows.events);
    EXPECT_EQ(kHeader + "Files which could not be renamed:\r\n\r\n  C:\\p\\IMG_2.jpg\r\n"
                        "\r\nNumber of files renamed and resized successfully: 2\r\n",
              fs.bytes("C:\\p\\Tessaly.log"));
}

TEST_F(Batch, ALogThatCannotBeCreatedStopsBeforeAnyFileIsTouched) {
    const struct {
        const char* selectedLog; // a file of the selection, or null
        bool createFails;
        const char* message;
    } rows[] = {
        {nullptr, true, "Can not write to the selected directory"},
        // Created first, the log would destroy the user's own file before its rename.
        {"C:\\p\\TESSALY.log", false,
         "The log file can not be written over the selected file \"C:\\p\\Tessaly.log\". "
         "No file was renamed or resized."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        FakeFileSystem disk;
        std::vector<std::string> paths = {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg"};
        if (row.selectedLog != nullptr)
            paths.push_back(row.selectedLog);
        Invocation b(disk, paths);
        b.job->setRename(true);
        b.job->setResize(true);
        b.job->setNewPrefix("n");
        if (row.createFails)
            disk.failCreateOf("C:\\p\\Tessaly.log");
        b.run();

        ASSERT_EQ(1u, b.messages.shown.size());
        EXPECT_EQ(MessageOwner::None, b.messages.shown[0].owner);
        EXPECT_EQ(row.message, b.messages.shown[0].text);
        EXPECT_EQ("File write error", b.messages.shown[0].caption);
        EXPECT_EQ(mb::Ok | mb::IconError, b.messages.shown[0].style);
        EXPECT_EQ(0u, fileRenames(disk));
        EXPECT_TRUE(b.resizer->scaled.empty());
        EXPECT_EQ(0, b.dateRequests);
        // No journal offers to put back what never happened.
        EXPECT_TRUE(disk.fileNames(kJournals).empty());
        const std::string notDone = std::to_string(paths.size());
        EXPECT_EQ((Events{"open", "done 0", "not done 0", "labels 1 1", "close",
                          "result " + notDone + " 0 C:\\p\\Tessaly.log 1 1"}),
                  b.windows.events);
        if (row.selectedLog != nullptr) {
            EXPECT_EQ(std::string("picture ") + row.selectedLog, disk.bytes(row.selectedLog));
        }
    }
}

// A copy that would replace a selected file, under its old name or its new one, or the very
// file it is made from, is never attempted: no overwrite question comes up for it.
TEST_F(Batch, ACopyNeverReplacesASelectedFile) {
    const struct {
        std::vector<std::string> paths;
        bool rename;
        const char* resizePrefix;
        std::vector<std::string> targets; // of the copies attempted
        const char* notResized;           // the log's list
    } rows[] = {
        {{"C:\\p\\IMG_0001.jpg", "C:\\p\\IMG_0002.jpg", "C:\\p\\sml.IMG_0001.jpg"},
         false,
         "sml.",
         {"C:\\p\\sml.IMG_0002.jpg", "C:\\p\\sml.sml.IMG_0001.jpg"},
         "  C:\\p\\IMG_0001.jpg\r\n"},
        // a.xb becomes x.xb, whose name is the copy of bb after its rename to xb.
        {{"C:\\p\\a.xb.jpg", "C:\\p\\bb.jpg"},
         true,
         "x.",
         {"C:\\p\\x.x.xb.jpg"},
         "  C:\\p\\xb.jpg\r\n"},
        {{"C:\\p\\a1.jpg", "C:\\p\\A2.jpg"},
         false,
         "",
         {},
         "  C:\\p\\a1.jpg\r\n  C:\\p\\A2.jpg\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.paths.front());
        FakeFileSystem disk;
        Invocation b(disk, row.paths);
        b.job->setRename(row.rename);
        b.job->setResize(true);
        b.job->setRemovedCount(1);
        b.job->setNewPrefix("x");
        b.job->setResizePrefix(row.resizePrefix);
        b.run();
        std::vector<std::string> targets;
        for (const std::string& file : onDisk(disk))
            if (disk.bytes(file).rfind("copy of ", 0) == 0)
                targets.push_back(file);
        EXPECT_EQ(row.targets, targets);
        EXPECT_EQ(kHeader + "Files which could not be resized:\r\n\r\n" + row.notResized +
                      "\r\nNumber of files " + (row.rename ? "renamed and " : "") +
                      "resized successfully: " + std::to_string(row.targets.size()) + "\r\n",
                  disk.bytes("C:\\p\\Tessaly.log"));
    }

    // A name that a selected file gave up by its rename is free for a copy: ax1 becomes xx1
    // before b1's copy takes the name ax1.
    Invocation b(fs, {"C:\\p\\ax1.jpg", "C:\\p\\b1.jpg"});
    b.job->setRename(true);
    b.job->setResize(true);
    b.job->setRemovedCount(1);
    b.job->setNewPrefix("x");
    b.job->setResizePrefix("a");
    b.run();
    EXPECT_EQ("copy of picture C:\\p\\b1.jpg", fs.bytes("C:\\p\\ax1.jpg"));
    EXPECT_EQ("result 0 2 C:\\p\\Tessaly.log 1 1", b.windows.events.back());
}

TEST_F(Batch, ByTimeAcrossFoldersTheLogGoesWithTheFirstFileProcessed) {
    Invocation b(fs, {"C:\\a\\IMG_1.jpg", "C:\\a\\IMG_3.jpg", "C:\\b\\IMG_2.jpg"},
                 {1270000000, 1200000000, 1140000000});
    b.job->setRename(true);
    b.job->setRemovedCount(4);
    b.job->setNewPrefix("t");
    b.job->setRenumber(1, 1, 1);
    b.job->setOrder(RenumberOrder::ByModificationTime);
    // Free in selection order (a\t1, a\t2, b\t3); in time order a\IMG_1, the last file,
    // becomes a\t3, which the check in the batch's order finds.
    fs.addFile("C:\\a\\t3.jpg");
    ASSERT_EQ(std::nullopt, CheckNameConflicts(*b.job, b.files, fs).firstTaken);
    const std::vector<FileEntry> byTime = {b.files[2], b.files[1], b.files[0]};
    ASSERT_EQ(std::optional<std::string>("C:\\a\\t3.jpg"),
              CheckNameConflicts(*b.job, byTime, fs).firstTaken);
    b.run();

    EXPECT_EQ(
        (std::vector<std::string>{"C:\\b\\IMG_2.jpg", "C:\\a\\IMG_3.jpg", "C:\\a\\IMG_1.jpg"}),
        b.paths());
    EXPECT_EQ((std::vector<std::string>{"C:\\a\\IMG_1.jpg", "C:\\a\\t2.jpg", "C:\\a\\t3.jpg",
                                        "C:\\b\\Tessaly.log", "C:\\b\\t1.jpg"}),
              onDisk(fs));
    EXPECT_EQ(kHeader + "Files which could not be renamed:\r\n\r\n  C:\\a\\IMG_1.jpg\r\n"
                        "\r\nNumber of files renamed successfully: 2\r\n",
              fs.bytes("C:\\b\\Tessaly.log"));
    EXPECT_EQ("result 1 2 C:\\b\\Tessaly.log 1 0", b.windows.events.back());
}

TEST_F(Batch, ByPictureDateTheRecordedDatesGiveTheNumbers) {
    Invocation b(fs, {"C:\\p\\a.jpg", "C:\\p\\b.jpg", "C:\\p\\c.jpg"},
                 {1140000000, 1200000000, 1270000000});
    b.resizer->dateTags = {{"picture C:\\p\\a.jpg", "2009:01:01 00:00:00"},
                           {"picture C:\\p\\b.jpg", "2011:01:01 00:00:00"},
                           {"picture C:\\p\\c.jpg", "2007:01:01 00:00:00"}};
    b.job->setRename(true);
    b.job->setNewPrefix("n");
    b.job->setRenumber(1, 1, 1);
    b.job->setOrder(RenumberOrder::ByPictureDate);
    b.run();
    EXPECT_EQ("picture C:\\p\\c.jpg", fs.bytes("C:\\p\\nc1.jpg"));
    EXPECT_EQ("picture C:\\p\\a.jpg", fs.bytes("C:\\p\\na2.jpg"));
    EXPECT_EQ("picture C:\\p\\b.jpg", fs.bytes("C:\\p\\nb3.jpg"));
}

TEST_F(Batch, EverySummaryOfTheLogThroughAWholeBatch) {
    enum Failure { None, SecondRename, FirstResize, Both };
    const struct {
        bool rename;
        bool resize;
        Failure failure;
        const char* log; // after the header
    } rows[] = {
        {true, true, None,
         "All files were renamed and resized successfully\r\n\r\n"
         "Number of files renamed/resized: 2\r\n"},
        {true, false, None,
         "All files were renamed successfully\r\n\r\nNumber of files renamed: 2\r\n"},
        {false, true, None,
         "All files were resized successfully\r\n\r\nNumber of files resized: 2\r\n"},
        {false, false, None, ""},
        {true, true, SecondRename,
         "Files which could not be renamed:\r\n\r\n  C:\\p\\IMG_2.jpg\r\n"
         "\r\nNumber of files renamed and resized successfully: 1\r\n"},
        {true, true, FirstResize,
         "Files which could not be resized:\r\n\r\n  C:\\p\\xIMG_1.jpg\r\n"
         "\r\nNumber of files renamed and resized successfully: 1\r\n"},
        {true, true, Both,
         "Files which could not be renamed:\r\n\r\n  C:\\p\\IMG_2.jpg\r\n"
         "\r\nFiles which could not be resized:\r\n\r\n  C:\\p\\xIMG_1.jpg\r\n"
         "\r\nNumber of files renamed and resized successfully: 0\r\n"},
        {true, false, SecondRename,
         "Files which could not be renamed:\r\n\r\n  C:\\p\\IMG_2.jpg\r\n"
         "\r\nNumber of files renamed successfully: 1\r\n"},
        {false, true, FirstResize,
         "Files which could not be resized:\r\n\r\n  C:\\p\\IMG_1.jpg\r\n"
         "\r\nNumber of files resized successfully: 1\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "rename " << row.rename << ", resize " << row.resize
                                        << ", failure " << row.failure);
        FakeFileSystem disk;
        Invocation b(disk, {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg"});
        b.job->setRename(row.rename);
        b.job->setResize(row.resize);
        b.job->setNewPrefix("x");
        if (row.failure == SecondRename || row.failure == Both)
            disk.failRenameOf("C:\\p\\IMG_2.jpg");
        if (row.failure == FirstResize || row.failure == Both)
            b.resizer->unreadable.insert("picture C:\\p\\IMG_1.jpg");
        b.run();
        EXPECT_EQ(kHeader + row.log, disk.bytes("C:\\p\\Tessaly.log"));
        if (!row.rename && !row.resize) {
            // Nothing at all is done to the files, and each counts as done.
            EXPECT_EQ(0u, fileRenames(disk));
            EXPECT_TRUE(b.resizer->scaled.empty());
            EXPECT_EQ("result 0 2 C:\\p\\Tessaly.log 0 0", b.windows.events.back());
        }
    }
}

TEST_F(Batch, ANameThatStaysTheSameIsDoneWithoutARename) {
    Invocation b(fs, {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg"});
    b.job->setRename(true);
    b.files.push_back({"C:\\p\\IMG_3.jpg"}); // selected, but gone before the batch
    b.run();
    EXPECT_EQ(0u, fileRenames(fs));
    EXPECT_EQ("result 1 2 C:\\p\\Tessaly.log 1 0", b.windows.events.back());
    EXPECT_EQ(kHeader + "Files which could not be renamed:\r\n\r\n  C:\\p\\IMG_3.jpg\r\n"
                        "\r\nNumber of files renamed successfully: 2\r\n",
              fs.bytes("C:\\p\\Tessaly.log"));
}

// Files whose new names other selected files hold go through temporary names when the user
// agreed; every file ends under its new name and no temporary name survives the batch.
TEST_F(Batch, RenamesInPlaceThroughTemporaryNames) {
    // n100 ... n(100 + count - 1), each modified at its own time so that the batch's order by
    // time turns the numbers round by shift.
    const auto cycle = [](int count, int shift) {
        std::vector<std::string> paths;
        std::vector<std::int32_t> modified;
        for (int i = 0; i < count; ++i) {
            paths.push_back("C:\\p\\n" + std::to_string(100 + i) + ".jpg");
            modified.push_back(1000 + (i + count - shift) % count);
        }
        return std::make_pair(paths, modified);
    };
    const struct {
        const char* name;
        std::pair<std::vector<std::string>, std::vector<std::int32_t>> files;
        int start;
    } rows[] = {
        {"a swap", cycle(2, 1), 100},
        {"a cycle of 40", cycle(40, 1), 100},
        {"a chain", cycle(3, 0), 101},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeFileSystem disk;
        Invocation b(disk, row.files.first, row.files.second);
        b.job->setRename(true);
        b.job->setRemovedCount(1);
        b.job->setNewPrefix("n");
        b.job->setRenumber(1, 3, row.start);
        b.job->setOrder(RenumberOrder::ByModificationTime);
        b.job->setInPlace(true);
        b.run();
        const std::size_t count = row.files.first.size();
        EXPECT_EQ("result 0 " + std::to_string(count) + " C:\\p\\Tessaly.log 1 0",
                  b.windows.events.back());
        // The file at position k of the batch's order holds number start + k.
        for (std::size_t k = 0; k < count; ++k)
            EXPECT_EQ(
                "picture " + b.files[k].path,
                disk.bytes("C:\\p\\n" + std::to_string(row.start + static_cast<int>(k)) + ".jpg"));
        EXPECT_EQ(count + 1, onDisk(disk).size());
        for (const std::string& file : onDisk(disk))
            EXPECT_EQ(std::string::npos, file.find("~Tessaly-")) << file;
    }

    // A change of letter case only shows in the name itself.
    FakeFileSystem disk;
    Invocation upper(disk, {"C:\\p\\img_1.jpg", "C:\\p\\img_2.jpg"});
    upper.job->setRename(true);
    upper.job->setRemovedCount(3);
    upper.job->setNewPrefix("IMG");
    upper.job->setInPlace(true);
    upper.run();
    EXPECT_EQ("C:\\p\\IMG_1.jpg", disk.storedPath("C:\\p\\img_1.jpg"));
    EXPECT_EQ("C:\\p\\IMG_2.jpg", disk.storedPath("C:\\p\\img_2.jpg"));
    EXPECT_EQ("result 0 2 C:\\p\\Tessaly.log 1 0", upper.windows.events.back());
}

// A second step that fails sends the file back to its old name; when that is taken as well,
// it stays under its temporary name and the log names both.
TEST_F(Batch, AFailedSecondStepGoesBackOrStaysAndIsLogged) {
    for (const bool oldNameTaken : {false, true}) {
        SCOPED_TRACE(oldNameTaken);
        FakeFileSystem disk;
        Invocation b(disk, {"C:\\p\\n1.jpg", "C:\\p\\n2.jpg"});
        b.job->setRename(true);
        b.job->setRemovedCount(1);
        b.job->setNewPrefix("n");
        b.job->setRenumber(1, 1, 2);
        b.job->setInPlace(true);
        // n2 cannot leave its name, so n1 cannot take it.
        disk.failRenameOf("C:\\p\\n2.jpg");
        if (oldNameTaken)
            b.windows.onPump = [&] {
                if (!disk.hasFile("C:\\p\\n1.jpg"))
                    disk.putFile("C:\\p\\n1.jpg", "someone else's");
            };
        b.run();
        const std::string temporary = "C:\\p\\~Tessaly-b1-r0.tmp";
        EXPECT_EQ("picture C:\\p\\n1.jpg", disk.bytes(oldNameTaken ? temporary : "C:\\p\\n1.jpg"));
        EXPECT_EQ("result 2 0 C:\\p\\Tessaly.log 1 0", b.windows.events.back());
        EXPECT_EQ(kHeader + "Files which could not be renamed:\r\n\r\n  C:\\p\\n2.jpg\r\n" +
                      (oldNameTaken ? "  C:\\p\\n1.jpg (left as " + temporary + ")\r\n"
                                    : std::string("  C:\\p\\n1.jpg\r\n")) +
                      "\r\nNumber of files renamed successfully: 0\r\n",
                  disk.bytes("C:\\p\\Tessaly.log"));
    }
}

// A photo that another program holds for a moment is tried again, about 100 ms later, with
// the messages served meanwhile; one that stays held counts as not renamed.
TEST_F(Batch, ARenameMeetingAFileHeldForAMomentIsTriedAgain) {
    for (const int busy : {2, 5}) {
        FakeFileSystem disk;
        Invocation b(disk, {"C:\\p\\a1.jpg", "C:\\p\\a2.jpg"});
        b.job->setRename(true);
        b.job->setNewPrefix("x");
        disk.busyRenamesOf("C:\\p\\a1.jpg", busy);
        b.run();
        const bool renamed = busy < Patience::kTries;
        EXPECT_EQ(renamed, disk.hasFile("C:\\p\\xa1.jpg")) << busy;
        EXPECT_EQ(std::vector<int>(static_cast<std::size_t>(std::min(busy, Patience::kTries - 1)),
                                   Patience::kPauseMilliseconds),
                  b.windows.waits)
            << busy;
        EXPECT_EQ(renamed ? "result 0 2 C:\\p\\Tessaly.log 1 0"
                          : "result 1 1 C:\\p\\Tessaly.log 1 0",
                  b.windows.events.back());
    }
}

// The journal of a finished batch: the plan of its folder and its end, under a name that says
// so; the result dialog can undo what the batch did.
TEST_F(Batch, TheJournalRecordsThePlanAndTheResultCanUndoIt) {
    Invocation b(fs, {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg"}, {1000, 2000});
    b.job->setRename(true);
    b.job->setResize(true);
    b.job->setRemovedCount(4);
    b.job->setNewPrefix("r");
    const std::vector<std::string> journals = fs.fileNames(kJournals);
    b.run();
    std::vector<std::string> names = fs.fileNames(kJournals);
    std::sort(names.begin(), names.end());
    // Beside the journal, the names the menu offers the undo for.
    EXPECT_EQ((std::vector<std::string>{folderKey("C:\\p\\") + "-b1.finished",
                                        folderKey("C:\\p\\") + "-b1.names"}),
              names);
    const std::optional<Journal> journal = parseJournal(fs.bytes(kJournals + names[0]));
    ASSERT_TRUE(journal);
    EXPECT_EQ(JournalState::Finished, journal->state);
    EXPECT_EQ("C:\\p\\", journal->folder);
    ASSERT_EQ(2u, journal->entries.size());
    EXPECT_EQ("IMG_1.jpg", journal->entries[0].oldName);
    EXPECT_EQ("r1.jpg", journal->entries[0].newName);
    EXPECT_EQ("sml.r1.jpg", journal->entries[0].copyName);
    EXPECT_EQ(2u, journal->copies.size());
    EXPECT_TRUE(b.windows.results.at(0).canUndo);

    // Undone at once from the result dialog.
    FakeFileSystem disk;
    Invocation u(disk, {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg"}, {1000, 2000});
    u.job->setRename(true);
    u.job->setResize(true);
    u.job->setRemovedCount(4);
    u.job->setNewPrefix("r");
    u.windows.chooseUndo = true;
    u.run();
    EXPECT_EQ(
        (std::vector<std::string>{"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg", "C:\\p\\Tessaly.log"}),
        onDisk(disk));
    ASSERT_EQ(1u, u.messages.shown.size());
    EXPECT_EQ("Tessaly put 2 files back under their old names and deleted 2 copies.",
              u.messages.shown[0].text);
    EXPECT_EQ(std::vector<std::string>{folderKey("C:\\p\\") + "-b1.undone"},
              disk.fileNames(kJournals));
    EXPECT_TRUE(journals.empty());
}

TEST_F(Batch, ABatchStartedWhileThisOnePumpsRunsOnItsOwn) {
    Invocation outer(fs, {"C:\\p\\a1.jpg", "C:\\p\\a2.jpg", "C:\\p\\a3.jpg"});
    outer.job->setRename(true);
    outer.job->setRemovedCount(1);
    outer.job->setNewPrefix("o");
    outer.job->setRenumber(1, 1, 1);
    Invocation inner(fs, {"C:\\q\\b1.jpg", "C:\\q\\b2.jpg"});
    inner.job->setRename(true);
    inner.job->setResize(true);
    inner.job->setRemovedCount(1);
    inner.job->setNewPrefix("i");
    inner.job->setRenumber(1, 1, 7);
    inner.resizer->unreadable.insert("picture C:\\q\\b1.jpg");
    // Explorer's window handles a second request between the outer batch's first two files.
    outer.windows.onPump = [&] {
        if (inner.windows.results.empty())
            inner.run();
    };
    outer.run();

    EXPECT_EQ((std::vector<std::string>{"C:\\p\\Tessaly.log", "C:\\p\\o1.jpg", "C:\\p\\o2.jpg",
                                        "C:\\p\\o3.jpg", "C:\\q\\Tessaly.log", "C:\\q\\i7.jpg",
                                        "C:\\q\\i8.jpg", "C:\\q\\sml.i8.jpg"}),
              onDisk(fs));
    EXPECT_EQ("result 0 3 C:\\p\\Tessaly.log 1 0", outer.windows.events.back());
    EXPECT_EQ("result 1 1 C:\\q\\Tessaly.log 1 1", inner.windows.events.back());
    EXPECT_EQ(kHeader + "All files were renamed successfully\r\n\r\nNumber of files renamed: 3\r\n",
              fs.bytes("C:\\p\\Tessaly.log"));
    EXPECT_EQ(kHeader + "Files which could not be resized:\r\n\r\n  C:\\q\\i7.jpg\r\n"
                        "\r\nNumber of files renamed and resized successfully: 1\r\n",
              fs.bytes("C:\\q\\Tessaly.log"));
}

// Stop in the progress window after the second file: the batch finishes the file in hand and
// leaves the rest untouched, counted as not done; the log says so, the journal ends, and the
// batch can be undone as any other. In place, a file already under its temporary name is in
// hand: it takes its new name, or goes back to its old one when that is still held.
TEST_F(Batch, StopLeavesTheFilesWhoseTurnHasNotCome) {
    const struct {
        const char* name;
        std::vector<std::string> paths;
        std::vector<std::int32_t> modified;
        std::function<void(BatchJob&)> options;
        std::vector<std::string> after;
        std::string result;
    } rows[] = {
        {"renamed and resized",
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg", "C:\\p\\IMG_3.jpg", "C:\\p\\IMG_4.jpg"},
         {},
         [](BatchJob& job) {
             job.setRename(true);
             job.setResize(true);
             job.setRemovedCount(4);
             job.setNewPrefix("r");
         },
         {"C:\\p\\IMG_3.jpg", "C:\\p\\IMG_4.jpg", "C:\\p\\Tessaly.log", "C:\\p\\r1.jpg",
          "C:\\p\\r2.jpg", "C:\\p\\sml.r1.jpg", "C:\\p\\sml.r2.jpg"},
         "result 2 2 C:\\p\\Tessaly.log 1 1"},
        {"a cycle in place",
         {"C:\\p\\n1.jpg", "C:\\p\\n2.jpg", "C:\\p\\n3.jpg"},
         {3, 1, 2},
         [](BatchJob& job) {
             job.setRename(true);
             job.setRenumber(1, 1, 1);
             job.setInPlace(true);
             job.setOrder(RenumberOrder::ByModificationTime);
         },
         {"C:\\p\\Tessaly.log", "C:\\p\\n1.jpg", "C:\\p\\n2.jpg", "C:\\p\\n3.jpg"},
         "result 3 0 C:\\p\\Tessaly.log 1 0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeFileSystem disk;
        Invocation b(disk, row.paths, row.modified);
        row.options(*b.job);
        int pumps = 0;
        b.windows.onPump = [&] {
            b.windows.stopRequested = ++pumps == (row.modified.empty() ? 2 : 1);
        };
        b.run();
        EXPECT_EQ(row.after, onDisk(disk));
        EXPECT_EQ(row.result, b.windows.events.back());
        const std::vector<std::string> files = onDisk(disk);
        for (const std::string& path : row.paths)
            EXPECT_EQ(1, std::count_if(files.begin(), files.end(),
                                       [&](const std::string& f) {
                                           return disk.bytes(f) == "picture " + path;
                                       }))
                << path;
        const std::string log = disk.bytes("C:\\p\\Tessaly.log");
        EXPECT_NE(std::string::npos, log.find("The batch was stopped by the user.\r\n")) << log;
        const std::vector<std::string> journals = disk.fileNames(kJournals);
        EXPECT_NE(journals.end(), std::find(journals.begin(), journals.end(),
                                            folderKey("C:\\p\\") + "-b1.finished"));
    }
}

} // namespace
} // namespace tessaly::test
