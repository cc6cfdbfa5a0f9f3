// Which listed paths name a file on their own, and the selection made of them: each file once,
// in path order, and nothing that the process's current folder would have to complete.
#include "naming/FullPath.h"
#include "naming/Selection.h"
#include "support/FakeFileSystem.h"

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

TEST(FullPath, OnlyPathsThatNameAFileOnTheirOwn) {
    const std::pair<const char*, FullPathKind> rows[] = {
        {"C:\\Photos\\IMG_0001.jpg", FullPathKind::Drive},
        {"c:\\a.jpg ", FullPathKind::Drive},        // a last blank is part of the name
        {"C:\\Trip.\\a.jpg.", FullPathKind::Drive}, // and so is a last dot
        {"C:\\Photos\\", FullPathKind::Drive},
        {"\\\\server\\share\\a.jpg", FullPathKind::Network},
        {"\\\\?\\C:\\Photos\\a.jpg", FullPathKind::Extended},
        {"\\\\?\\UNC\\server\\share\\a.jpg", FullPathKind::Extended},
        {"IMG_0001.jpg", FullPathKind::NotFull},
        {"C:IMG_0001.jpg", FullPathKind::NotFull},
        {"C:", FullPathKind::NotFull},
        {"\\Photos\\a.jpg", FullPathKind::NotFull},
        {"\\\\.\\C:\\a.jpg", FullPathKind::NotFull},
        {"\\\\server", FullPathKind::NotFull},
        {"\\\\server\\\\a.jpg", FullPathKind::NotFull},
        {"C:\\Photos\\..\\a.jpg", FullPathKind::NotFull},
        {"C:\\.\\a.jpg", FullPathKind::NotFull},
        {"C:\\Photos\\\\a.jpg", FullPathKind::NotFull},
        {"C:/Photos/a.jpg", FullPathKind::NotFull},
        {"C:\\Photos\\a.jpg:stream", FullPathKind::NotFull},
        {"\\\\?\\C:a.jpg", FullPathKind::NotFull},
        {"", FullPathKind::NotFull},
    };
    for (const auto& [path, kind] : rows)
        EXPECT_EQ(kind, fullPathKind(path)) << path;
}

TEST(Selection, FullPathsOnlyEachFileOnceInPathOrder) {
    const struct {
        std::vector<std::string> listed;
        std::vector<std::string> selected;
    } rows[] = {
        {{"C:\\p\\b.JPG", "C:\\p\\A.jpg", "C:\\p\\_c.jpg"},
         {"C:\\p\\_c.jpg", "C:\\p\\A.jpg", "C:\\p\\b.JPG"}},
        // Relative and drive-relative entries are left out, never completed.
        {{"IMG_0001.jpg", "C:\\p\\IMG_0002.jpg", "C:IMG_0003.jpg"}, {"C:\\p\\IMG_0002.jpg"}},
        {{"IMG_0001.jpg", "C:IMG_0001.jpg"}, {}},
        // The same file listed twice, also in another letter case, counts once.
        {{"C:\\p\\a.jpg", "C:\\P\\A.JPG", "C:\\p\\b.jpg", "C:\\p\\a.jpg"},
         {"C:\\p\\a.jpg", "C:\\p\\b.jpg"}},
        // Names that differ by a last blank or dot are other files.
        {{"C:\\p\\a.jpg", "C:\\p\\a.jpg ", "C:\\p\\a.jpg."},
         {"C:\\p\\a.jpg", "C:\\p\\a.jpg ", "C:\\p\\a.jpg."}},
    };
    for (const auto& row : rows) {
        std::vector<std::string> selected;
        for (const FileEntry& file : selectionFromPaths(row.listed))
            selected.push_back(file.path);
        EXPECT_EQ(row.selected, selected) << row.listed.front();
    }
}

// A folder among the selected files is left out, as a relative entry is, whether the files of
// its folder are looked at one by one or the folder is listed; a file that is gone stays.
TEST(Selection, LeavesOutFolders) {
    for (const int many : {0, 300}) {
        FakeFileSystem disk;
        std::vector<FileEntry> files = {
            {"C:\\p\\D_1.jpg"}, {"C:\\p\\D_2.jpg"}, {"C:\\p\\gone.jpg"}};
        disk.addFile("C:\\p\\D_1.jpg");
        disk.addFolder("C:\\p\\D_2.jpg");
        std::vector<std::string> expected = {"C:\\p\\D_1.jpg", "C:\\p\\gone.jpg"};
        for (int i = 0; i < many; ++i) {
            files.push_back({"C:\\p\\f" + std::to_string(i) + ".jpg"});
            disk.addFile(files.back().path);
            expected.push_back(files.back().path);
        }
        std::vector<std::string> kept;
        for (const FileEntry& file : withoutFolders(files, disk))
            kept.push_back(file.path);
        EXPECT_EQ(expected, kept) << many;
        EXPECT_TRUE(withoutFolders({{"C:\\p\\D_2.jpg"}}, disk).empty());
    }
}

} // namespace
} // namespace tessaly::test
