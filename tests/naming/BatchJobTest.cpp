#include "naming/BatchJob.h"
#include "support/FakeImageResizer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessaly {
namespace {

using test::FakeImageResizer;

TEST(BatchJob, AnswersTheAnalysisOfItsSelection) {
    std::vector<FileEntry> files = {
        {"C:\\P\\IMG_0001.JPG"}, {"C:\\P\\IMG_0002.jpg"}, {"C:\\P\\IMG_0013.JPG"}};
    const BatchJob job(files, std::make_unique<FakeImageResizer>());
    EXPECT_TRUE(job.sameExtension());
    EXPECT_EQ("IMG_0001", job.exampleName());
    EXPECT_EQ("IMG_0001.JPG", job.exampleFileName());
    EXPECT_EQ(".JPG", job.extension());
    EXPECT_EQ("IMG_00", job.commonPrefix());
    EXPECT_EQ(6, job.prefixLength());
    EXPECT_EQ(3, job.fileCount());
}

TEST(BatchJob, RefersToTheVerbsListSoReorderingIsSeen) {
    std::vector<FileEntry> files = {{"C:\\P\\a.jpg"}, {"C:\\P\\b.jpg"}};
    const BatchJob job(files, std::make_unique<FakeImageResizer>());
    std::reverse(files.begin(), files.end());
    EXPECT_EQ("C:\\P\\b.jpg", job.files().front().path);
    // The analysis was made once, in path order, and stays.
    EXPECT_EQ("a", job.exampleName());
}

TEST(BatchJob, OptionsStartAsNothingToDoInPathOrder) {
    std::vector<FileEntry> files = {{"C:\\P\\a.jpg"}};
    const BatchJob job(files, std::make_unique<FakeImageResizer>());
    EXPECT_FALSE(job.rename());
    EXPECT_FALSE(job.resize());
    EXPECT_EQ(0, job.removedCount());
    EXPECT_FALSE(job.entirePrefixRemoved());
    EXPECT_EQ("", job.newPrefix());
    EXPECT_EQ(0, job.renumber());
    EXPECT_EQ(0, job.digits());
    EXPECT_EQ(0, job.startNumber());
    EXPECT_EQ(RenumberOrder::ByPath, job.order());
    EXPECT_EQ(0, job.resizeWidth());
    EXPECT_EQ(0, job.resizeHeight());
    EXPECT_EQ("", job.resizePrefix());
}

TEST(BatchJob, OwnsItsResizerAndReleasesItWithTheJob) {
    std::vector<FileEntry> files = {{"C:\\P\\a.jpg"}};
    bool destroyed = false;
    {
        auto resizer = std::make_unique<FakeImageResizer>(&destroyed);
        FakeImageResizer* raw = resizer.get();
        const BatchJob job(files, std::move(resizer));
        EXPECT_EQ(raw, &job.resizer());
        EXPECT_FALSE(destroyed);
    }
    EXPECT_TRUE(destroyed);
}

} // namespace
} // namespace tessaly
