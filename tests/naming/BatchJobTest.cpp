#include "naming/BatchJob.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessaly {
namespace {

TEST(BatchJob, AnswersTheAnalysisOfItsSelection) {
    std::vector<FileEntry> files = {
        {"C:\\P\\IMG_0001.JPG"}, {"C:\\P\\IMG_0002.jpg"}, {"C:\\P\\IMG_0013.JPG"}};
    const BatchJob job(files);
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
    const BatchJob job(files);
    std::reverse(files.begin(), files.end());
    EXPECT_EQ("C:\\P\\b.jpg", job.files().front().path);
    // The analysis was made once, in path order, and stays.
    EXPECT_EQ("a", job.exampleName());
}

} // namespace
} // namespace tessaly
