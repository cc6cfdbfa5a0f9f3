#include "naming/SplitPath.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

struct SplitCase {
    const char* path;
    const char* drive;
    const char* directory;
    const char* baseName;
    const char* extension;
};

const SplitCase kCases[] = {
    {"C:\\Photos\\2008\\IMG_0001.JPG", "C:", "\\Photos\\2008\\", "IMG_0001", ".JPG"},
    {"IMG_0001.jpg", "", "", "IMG_0001", ".jpg"},
    {"C:IMG.jpg", "C:", "", "IMG", ".jpg"},
    {"C:/Photos/a.gif", "C:", "/Photos/", "a", ".gif"},
    {"C:\\Photos/mixed\\b.png", "C:", "\\Photos/mixed\\", "b", ".png"},
    {"\\\\server\\share\\c.jpg", "", "\\\\server\\share\\", "c", ".jpg"},
    // A dot in the directory is never an extension.
    {"C:\\trip.2008\\README", "C:", "\\trip.2008\\", "README", ""},
    // Only the last dot starts the extension.
    {"C:\\a\\archive.tar.gz", "C:", "\\a\\", "archive.tar", ".gz"},
    // A name that begins with its only dot has an empty base name.
    {"C:\\a\\.jpg", "C:", "\\a\\", "", ".jpg"},
    {"C:\\a\\name.", "C:", "\\a\\", "name", "."},
    {"C:\\a\\", "C:", "\\a\\", "", ""},
    {"C:", "C:", "", "", ""},
    {"", "", "", "", ""},
    {"Holiday 1.jpg", "", "", "Holiday 1", ".jpg"},
};

TEST(SplitPath, GivesTheFourPartsAndTheyMakeThePathAgain) {
    for (const SplitCase& c : kCases) {
        SCOPED_TRACE(c.path);
        const PathParts parts = splitPath(c.path);
        EXPECT_EQ(c.drive, parts.drive);
        EXPECT_EQ(c.directory, parts.directory);
        EXPECT_EQ(c.baseName, parts.baseName);
        EXPECT_EQ(c.extension, parts.extension);
        EXPECT_EQ(c.path, parts.drive + parts.directory + parts.baseName + parts.extension);
    }
}

TEST(SplitPath, KeepsEveryByteOfALongPath) {
    const std::string directory = "C:\\" + std::string(300, 'd') + "\\";
    const std::string path = directory + std::string(250, 'n') + ".jpeg";
    const PathParts parts = splitPath(path);
    EXPECT_EQ(directory.substr(2), parts.directory);
    EXPECT_EQ(std::string(250, 'n'), parts.baseName);
    EXPECT_EQ(".jpeg", parts.extension);
}

} // namespace
} // namespace tessaly
