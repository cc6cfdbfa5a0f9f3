#include "naming/FolderBound.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(StaysInFolder, OnlyANameDirectlyInTheFilesOwnFolder) {
    const struct {
        const char* target;
        bool stays;
    } rows[] = {
        {"C:\\p\\new.jpg", true},         {"C:\\p\\..jpg", true}, // an odd name, still a file of
                                                                  // the folder
        {"C:\\p\\sub\\new.jpg", false},   {"C:\\p\\..\\new.jpg", false}, {"C:\\p/new.jpg", false},
        {"C:\\new.jpg", false},           {"D:\\p\\new.jpg", false},     {"C:\\p\\..", false},
        {"C:\\p\\new.jpg:stream", false}, {"C:\\p\\C:new.jpg", false},
    };
    const PathParts file = splitPath("C:\\p\\IMG_1.jpg");
    for (const auto& row : rows)
        EXPECT_EQ(row.stays, staysInFolder(file, row.target)) << row.target;
}

} // namespace
} // namespace tessaly
