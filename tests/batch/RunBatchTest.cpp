// A whole batch over the in-memory file system, a scripted resizer and recorded windows: the
// order of every step, the counts, the numbering, the log's bytes and the result.
#include "naming/NameConflicts.h"
#include "batch/RunBatch.h"
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

// One invocation: its files on the fake disk, its job, and what the batch showed.
struct Invocation {
    FakeFileSystem& fs;
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
        RunBatch(*job, files, BatchPorts{fs, messages, windows, [this] {
                                             ++dateRequests;
                                             eventsAtDateRequest = windows.events;
                                             return std::string(kDate);
                                         }});
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
              fs.files());
    EXPECT_EQ("picture C:\\p\\IMG_0013.JPG", fs.bytes("C:\\p\\Rome_003.JPG"));
    EXPECT_EQ(kHeader + "All files were renamed successfully\r\n\r\nNumber of files renamed: 3\r\n",
              fs.bytes("C:\\p\\Tessaly.log"));
    // Dated when it is created: after the progress window opened, before any rename.
    EXPECT_EQ(1, b.dateRequests);
    EXPECT_EQ((Events{"open", "done 0", "not done 0", "labels 1 0"}), b.eventsAtDateRequest);
    EXPECT_TRUE(b.messages.shown.empty());
    EXPECT_TRUE(b.resizer->resizes.empty());
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
    ASSERT_EQ(std::nullopt, CheckNameConflicts(*b.job, fs));
    b.run();

    EXPECT_EQ((std::vector<std::string>{"C:\\p\\Tessaly.log", "C:\\p\\a2.jpg", "C:\\p\\a3.jpg",
                                        "C:\\p\\x.jpg"}),
              fs.files());
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
    b.resizer->results = {resize::Written, resize::Written, resize::CancelAll};
    b.run();

    ASSERT_EQ(3u, b.resizer->resizes.size());
    const ResizeCall& third = b.resizer->resizes[2];
    EXPECT_EQ("C:\\p\\IMG_3.jpg", third.source);
    EXPECT_EQ("C:\\p\\sml.IMG_3.jpg", third.target);
    EXPECT_EQ(640u, third.width);
    EXPECT_EQ(0u, third.height);
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
    r.resizer->results = {resize::CancelAll};
    r.run();
    EXPECT_EQ(1u, r.resizer->resizes.size());
    EXPECT_EQ(3u, other.renames.size());
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
    ASSERT_EQ(2u, b.resizer->resizes.size());
    EXPECT_EQ("C:\\p\\n01.jpg", b.resizer->resizes[0].source);
    EXPECT_EQ("C:\\p\\sml.n01.jpg", b.resizer->resizes[0].target);
    EXPECT_EQ("C:\\p\\n03.jpg", b.resizer->resizes[1].source);
    EXPECT_EQ("C:\\p\\sml.n03.jpg", b.resizer->resizes[1].target);
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
        EXPECT_TRUE(disk.renames.empty());
        EXPECT_TRUE(b.resizer->resizes.empty());
        EXPECT_EQ(0, b.dateRequests);
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
        for (const ResizeCall& call : b.resizer->resizes)
            targets.push_back(call.target);
        EXPECT_EQ(row.targets, targets);
        EXPECT_EQ(kHeader + "Files which could not be resized:\r\n\r\n" + row.notResized +
                      "\r\nNumber of files " + (row.rename ? "renamed and " : "") +
                      "resized successfully: " + std::to_string(row.targets.size()) + "\r\n",
                  disk.bytes("C:\\p\\Tessaly.log"));
    }
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
    // becomes a\t3.
    fs.addFile("C:\\a\\t3.jpg");
    ASSERT_EQ(std::nullopt, CheckNameConflicts(*b.job, fs));
    b.run();

    EXPECT_EQ(
        (std::vector<std::string>{"C:\\b\\IMG_2.jpg", "C:\\a\\IMG_3.jpg", "C:\\a\\IMG_1.jpg"}),
        b.paths());
    EXPECT_EQ((std::vector<std::string>{"C:\\a\\IMG_1.jpg", "C:\\a\\t2.jpg", "C:\\a\\t3.jpg",
                                        "C:\\b\\Tessaly.log", "C:\\b\\t1.jpg"}),
              fs.files());
    EXPECT_EQ(kHeader + "Files which could not be renamed:\r\n\r\n  C:\\a\\IMG_1.jpg\r\n"
                        "\r\nNumber of files renamed successfully: 2\r\n",
              fs.bytes("C:\\b\\Tessaly.log"));
    EXPECT_EQ("result 1 2 C:\\b\\Tessaly.log 1 0", b.windows.events.back());
}

TEST_F(Batch, ByPictureDateTheRecordedDatesGiveTheNumbers) {
    Invocation b(fs, {"C:\\p\\a.jpg", "C:\\p\\b.jpg", "C:\\p\\c.jpg"},
                 {1140000000, 1200000000, 1270000000});
    b.resizer->dateTags = {{"C:\\p\\a.jpg", "2009:01:01 00:00:00"},
                           {"C:\\p\\b.jpg", "2011:01:01 00:00:00"},
                           {"C:\\p\\c.jpg", "2007:01:01 00:00:00"}};
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
            b.resizer->results = {resize::NotWritten};
        b.run();
        EXPECT_EQ(kHeader + row.log, disk.bytes("C:\\p\\Tessaly.log"));
        if (!row.rename && !row.resize) {
            // Nothing at all is done to the files, and each counts as done.
            EXPECT_TRUE(disk.renames.empty());
            EXPECT_TRUE(b.resizer->resizes.empty());
            EXPECT_EQ("result 0 2 C:\\p\\Tessaly.log 0 0", b.windows.events.back());
        }
    }
}

TEST_F(Batch, ANameThatStaysTheSameIsDoneWithoutARename) {
    Invocation b(fs, {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg"});
    b.job->setRename(true);
    b.files.push_back({"C:\\p\\IMG_3.jpg"}); // selected, but gone before the batch
    b.run();
    EXPECT_TRUE(fs.renames.empty());
    EXPECT_EQ("result 1 2 C:\\p\\Tessaly.log 1 0", b.windows.events.back());
    EXPECT_EQ(kHeader + "Files which could not be renamed:\r\n\r\n  C:\\p\\IMG_3.jpg\r\n"
                        "\r\nNumber of files renamed successfully: 2\r\n",
              fs.bytes("C:\\p\\Tessaly.log"));
}

// The platform takes paths of up to 259 bytes. A longer one is never cut to fit: that would
// give the file another name than the one the user chose.
TEST_F(Batch, PathsLongerThanThePlatformTakesAreNotAttempted) {
    const std::string folder = "C:\\p\\";
    const std::size_t room = kMaxPathLength - folder.size() - std::string("1.jpg").size();
    // The length counts UTF-16 units: one for ム (three bytes), two for an emoji (four).
    const struct {
        const char* character;
        std::size_t count;
        bool fits;
    } prefixes[] = {{"n", room, true},
                    {"n", room + 1, false},
                    {"\u30e0", room, true},
                    {"\U0001F600", room / 2, true},
                    {"\U0001F600", room / 2 + 1, false}};
    for (const auto& p : prefixes) {
        std::string prefix;
        for (std::size_t i = 0; i < p.count; ++i)
            prefix += p.character;
        FakeFileSystem disk;
        Invocation b(disk, {folder + "a1.jpg"});
        b.job->setRename(true);
        b.job->setRemovedCount(1);
        b.job->setNewPrefix(prefix);
        b.run();
        const std::string target = folder + prefix + "1.jpg";
        const bool fits = p.fits;
        EXPECT_EQ(fits, disk.hasFile(target)) << p.count << " of " << p.character;
        EXPECT_EQ(!fits, disk.hasFile(folder + "a1.jpg")) << p.count << " of " << p.character;
        EXPECT_EQ(fits ? "result 0 1 C:\\p\\Tessaly.log 1 0" : "result 1 0 C:\\p\\Tessaly.log 1 0",
                  b.windows.events.back());
        if (!fits) {
            EXPECT_EQ(kHeader + "Files which could not be renamed:\r\n\r\n  C:\\p\\a1.jpg\r\n"
                                "\r\nNumber of files renamed successfully: 0\r\n",
                      disk.bytes(folder + "Tessaly.log"));
        }
    }

    // A resized copy whose name would be too long is not written, and the file is logged.
    FakeFileSystem disk;
    Invocation b(disk, {folder + "a1.jpg", folder + "a2.jpg"});
    b.job->setResize(true);
    b.job->setResizePrefix(std::string(room + 1, 's'));
    b.run();
    EXPECT_TRUE(b.resizer->resizes.empty());
    EXPECT_EQ("result 2 0 C:\\p\\Tessaly.log 0 1", b.windows.events.back());
    EXPECT_EQ(kHeader + "Files which could not be resized:\r\n\r\n"
                        "  C:\\p\\a1.jpg\r\n  C:\\p\\a2.jpg\r\n"
                        "\r\nNumber of files resized successfully: 0\r\n",
              disk.bytes(folder + "Tessaly.log"));

    // Nor is a log whose path would be too long: the batch stops as for any log it cannot
    // create.
    FakeFileSystem deep;
    const std::string deepFolder = "C:\\" + std::string(kMaxPathLength - 12, 'f') + "\\";
    Invocation d(deep, {deepFolder + "a.jpg"});
    ASSERT_LE(d.files[0].path.size(), kMaxPathLength);
    d.job->setRename(true);
    d.job->setNewPrefix("n");
    d.run();
    EXPECT_EQ(1u, d.messages.shown.size());
    EXPECT_TRUE(deep.renames.empty());
    EXPECT_FALSE(deep.hasFile(deepFolder + "Tessaly.log"));
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
    inner.resizer->results = {resize::NotWritten};
    // Explorer's window handles a second request between the outer batch's first two files.
    outer.windows.onPump = [&] {
        if (inner.windows.results.empty())
            inner.run();
    };
    outer.run();

    EXPECT_EQ((std::vector<std::string>{"C:\\p\\Tessaly.log", "C:\\p\\o1.jpg", "C:\\p\\o2.jpg",
                                        "C:\\p\\o3.jpg", "C:\\q\\Tessaly.log", "C:\\q\\i7.jpg",
                                        "C:\\q\\i8.jpg"}),
              fs.files());
    EXPECT_EQ("result 0 3 C:\\p\\Tessaly.log 1 0", outer.windows.events.back());
    EXPECT_EQ("result 1 1 C:\\q\\Tessaly.log 1 1", inner.windows.events.back());
    EXPECT_EQ(kHeader + "All files were renamed successfully\r\n\r\nNumber of files renamed: 3\r\n",
              fs.bytes("C:\\p\\Tessaly.log"));
    EXPECT_EQ(kHeader + "Files which could not be resized:\r\n\r\n  C:\\q\\i7.jpg\r\n"
                        "\r\nNumber of files renamed and resized successfully: 1\r\n",
              fs.bytes("C:\\q\\Tessaly.log"));
}

} // namespace
} // namespace tessaly::test
