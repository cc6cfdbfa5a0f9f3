// The log's place and its bytes, section by section, through the in-memory file system.
#include "batch/BatchLog.h"
#include "support/FakeFileSystem.h"

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

const char* const kLog = "C:\\Photos\\Tessaly.log";
const char* const kLogTemporary = "C:\\Photos\\~Tessaly-b1-l0.tmp";
const char* const kDate = "Friday, December 05, 2008  14:03:22";
const std::string kHeader =
    "Vexmoor Software Tessaly\r\nFriday, December 05, 2008  14:03:22\r\n\r\n";

TEST(LogPath, IsTheFolderOfTheFirstFile) {
    EXPECT_EQ("C:\\Photos\\2008\\Tessaly.log", LogPathFor("C:\\Photos\\2008\\IMG_0001.JPG"));
    EXPECT_EQ("\\\\server\\share\\Tessaly.log", LogPathFor("\\\\server\\share\\a.jpg"));
    EXPECT_EQ("D:Tessaly.log", LogPathFor("D:a.jpg"));
}

class Log : public ::testing::Test {
protected:
    FakeFileSystem files;
    BatchLog log;

    void SetUp() override {
        files.addFolder("C:\\Photos");
        ASSERT_TRUE(log.Open(files, kLog, kLogTemporary));
        log.WriteHeader(kDate);
    }
    std::string written() const { return files.bytes(kLog); }
};

TEST_F(Log, TwelveFilesTwoNotRenamed) {
    log.WriteRenameFailure("C:\\Photos\\IMG_0003.JPG");
    log.WriteRenameFailure("C:\\Photos\\IMG_0011.JPG");
    log.WriteSummary(10, 2, true, false);
    EXPECT_FALSE(log.IsOpen());
    EXPECT_TRUE(log.complete());
    EXPECT_EQ(kHeader + "Files which could not be renamed:\r\n"
                        "\r\n"
                        "  C:\\Photos\\IMG_0003.JPG\r\n"
                        "  C:\\Photos\\IMG_0011.JPG\r\n"
                        "\r\n"
                        "Number of files renamed successfully: 10\r\n",
              written());
}

TEST_F(Log, AFileLeftUnderItsTemporaryNameIsListedWithBothNames) {
    log.WriteLeftUnderTemporaryName("C:\\Photos\\a.jpg", "C:\\Photos\\~Tessaly-1-r0.tmp");
    log.WriteRenameFailure("C:\\Photos\\b.jpg");
    log.WriteSummary(0, 2, true, false);
    EXPECT_EQ(kHeader + "Files which could not be renamed:\r\n\r\n"
                        "  C:\\Photos\\a.jpg (left as C:\\Photos\\~Tessaly-1-r0.tmp)\r\n"
                        "  C:\\Photos\\b.jpg\r\n"
                        "\r\nNumber of files renamed successfully: 0\r\n",
              written());
}

// The log stays in the code page until a path comes that it cannot hold; then the whole file,
// from its first line, is UTF-8 (here the fake's code page is ASCII): with a byte-order mark, or
// without one where the ANSI code page itself is UTF-8.
TEST(LogFile, APathBeyondTheCodePageTurnsTheWholeLogIntoUtf8) {
    for (const bool ansiIsUtf8 : {false, true}) {
        SCOPED_TRACE(ansiIsUtf8);
        FakeFileSystem files;
        files.ansiIsUtf8 = ansiIsUtf8;
        BatchLog log;
        ASSERT_TRUE(log.Open(files, kLog, kLogTemporary));
        log.WriteHeader(kDate);
        log.WriteRenameFailure("C:\\Photos\\a.jpg");
        EXPECT_EQ(kHeader + "Files which could not be renamed:\r\n\r\n  C:\\Photos\\a.jpg\r\n",
                  files.bytes(kLog));
        log.WriteRenameFailure("C:\\Photos\\\u03a6.jpg");
        log.WriteSummary(0, 2, true, false);
        EXPECT_TRUE(log.complete());
        EXPECT_EQ(std::string(ansiIsUtf8 ? "" : "\xEF\xBB\xBF") + kHeader +
                      "Files which could not be renamed:\r\n\r\n  C:\\Photos\\a.jpg\r\n"
                      "  C:\\Photos\\\u03a6.jpg\r\n\r\nNumber of files renamed successfully: 0\r\n",
                  files.bytes(kLog));
    }
}

// A full disk or a failure at any call of that rewrite: the log stays as it was, never shorter,
// says it is not complete, and nothing is left under the temporary name.
TEST(LogFile, ARewriteThatFailsLeavesTheLogAsItWas) {
    const std::string before =
        kHeader + "Files which could not be renamed:\r\n\r\n  C:\\Photos\\a.jpg\r\n";
    for (int call = 1;; ++call) {
        SCOPED_TRACE(call);
        FakeFileSystem files;
        BatchLog log;
        ASSERT_TRUE(log.Open(files, kLog, kLogTemporary));
        log.WriteHeader(kDate);
        log.WriteRenameFailure("C:\\Photos\\a.jpg");
        files.planFault(files.calls + call, FaultKind::Fail);
        log.WriteRenameFailure("C:\\Photos\\\u03a6.jpg");
        if (!files.faultDone)
            break;
        const std::string after = files.bytes(kLog);
        EXPECT_TRUE(after == before || after.rfind("\xEF\xBB\xBF" + before, 0) == 0) << after;
        EXPECT_FALSE(log.complete());
        EXPECT_FALSE(files.hasFile(kLogTemporary));
    }
}

// A full disk: the log keeps what reached it and says it is not complete, also when only its
// close fails.
TEST(LogFile, AWriteOrCloseThatFailsLeavesTheLogIncomplete) {
    // The calls: create, header, failure heading, failure line, summary, close.
    for (int call = 2; call <= 6; ++call) {
        FakeFileSystem files;
        BatchLog log;
        files.planFault(call, FaultKind::Fail);
        ASSERT_TRUE(log.Open(files, kLog, kLogTemporary));
        log.WriteHeader(kDate);
        log.WriteRenameFailure("C:\\Photos\\a.jpg");
        log.WriteSummary(0, 1, true, false);
        EXPECT_FALSE(log.complete()) << call;
        EXPECT_FALSE(log.IsOpen()) << call;
    }
}

TEST_F(Log, TheHeadingComesOnceEvenWhenOnlyTheLastFileFails) {
    log.WriteRenameFailure("C:\\Photos\\z.jpg");
    log.WriteSummary(4, 1, true, true);
    EXPECT_EQ(kHeader + "Files which could not be renamed:\r\n\r\n  C:\\Photos\\z.jpg\r\n"
                        "\r\nNumber of files renamed and resized successfully: 4\r\n",
              written());
}

TEST(LogSummary, EveryRowOfTheTable) {
    const struct {
        int done;
        int notDone;
        bool rename;
        bool resize;
        const char* text;
    } rows[] = {
        {5, 0, true, true,
         "All files were renamed and resized successfully\r\n\r\n"
         "Number of files renamed/resized: 5\r\n"},
        {5, 0, true, false,
         "All files were renamed successfully\r\n\r\nNumber of files renamed: 5\r\n"},
        {5, 0, false, true,
         "All files were resized successfully\r\n\r\nNumber of files resized: 5\r\n"},
        {5, 0, false, false, ""},
        {3, 2, true, true, "\r\nNumber of files renamed and resized successfully: 3\r\n"},
        {3, 2, true, false, "\r\nNumber of files renamed successfully: 3\r\n"},
        {0, 5, false, true, "\r\nNumber of files resized successfully: 0\r\n"},
    };
    for (const auto& row : rows) {
        FakeFileSystem files;
        BatchLog log;
        ASSERT_TRUE(log.Open(files, kLog, kLogTemporary));
        log.WriteHeader(kDate);
        log.WriteSummary(row.done, row.notDone, row.rename, row.resize);
        EXPECT_EQ(kHeader + row.text, files.bytes(kLog))
            << row.done << " done, " << row.notDone << " not done, rename " << row.rename
            << ", resize " << row.resize;
    }
}

TEST(LogFile, ReplacesTheLogOfAnEarlierBatch) {
    FakeFileSystem files;
    files.addFile(kLog, 0, "an earlier log that is longer than the new one");
    BatchLog log;
    ASSERT_TRUE(log.Open(files, kLog, kLogTemporary));
    log.WriteHeader("");
    log.WriteSummary(1, 0, true, false);
    EXPECT_EQ("Vexmoor Software Tessaly\r\n\r\n\r\nAll files were renamed successfully\r\n\r\n"
              "Number of files renamed: 1\r\n",
              files.bytes(kLog));
}

TEST(LogFile, ThatCannotBeCreatedTakesNoWrites) {
    FakeFileSystem files;
    files.failCreateOf(kLog);
    BatchLog log;
    EXPECT_FALSE(log.Open(files, kLog, kLogTemporary));
    EXPECT_FALSE(log.IsOpen());
    log.WriteHeader(kDate);
    log.WriteRenameFailure("C:\\Photos\\a.jpg");
    log.WriteSummary(0, 1, true, false);
    EXPECT_FALSE(files.hasFile(kLog));
}

TEST(LogFile, AnotherBatchStartsItsOwnFailureList) {
    FakeFileSystem files;
    BatchLog log;
    for (int batch = 0; batch < 2; ++batch) {
        ASSERT_TRUE(log.Open(files, kLog, kLogTemporary));
        log.WriteHeader(kDate);
        log.WriteRenameFailure("C:\\Photos\\a.jpg");
        log.WriteSummary(0, 1, true, false);
    }
    EXPECT_EQ(kHeader + "Files which could not be renamed:\r\n\r\n  C:\\Photos\\a.jpg\r\n"
                        "\r\nNumber of files renamed successfully: 0\r\n",
              files.bytes(kLog));
}

} // namespace
} // namespace tessaly::test
