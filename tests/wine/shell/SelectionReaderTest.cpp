// Reading the shell's selection: every path of a real CF_HDROP, in path order.
#include "shell/SelectionReader.h"
#include "host/SelectionDataObject.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessaly::test {
namespace {

std::vector<std::string> readThroughShell(const std::vector<std::string>& paths) {
    std::vector<std::string> result;
    IDataObject* data = host::CreateSelectionDataObject(paths);
    EXPECT_NE(nullptr, data);
    if (data == nullptr)
        return result;
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    EXPECT_EQ(S_OK, data->GetData(&format, &medium));
    const HDROP drop = static_cast<HDROP>(medium.hGlobal);
    const UINT count = CountSelection(drop);
    for (const FileEntry& f : ReadSelection(drop, count))
        result.push_back(f.path);
    ReleaseStgMedium(&medium);
    data->Release();
    return result;
}

TEST(SelectionReader, ReturnsEveryPathInPathOrder) {
    TempFolder folder;
    const std::string b = folder.write("b.JPG");
    const std::string a = folder.write("A.jpg");
    const std::string c = folder.write("_c.jpg");
    EXPECT_EQ((std::vector<std::string>{c, a, b}), readThroughShell({b, a, c}));
}

// The shell's own list of names that the ANSI code page cannot hold, or holds only through
// look-alikes, next to their ASCII twins: each comes back as itself.
TEST(SelectionReader, ReturnsUnicodeNamesExactly) {
    TempFolder folder;
    std::vector<std::string> paths;
    for (const char* name :
         {"a_01.jpg", "\u0101_01.jpg", "\u039a_01.jpg", "\u30b2\u30fc\u30e02.jpg",
          "\U0001F600_01.jpg", "e\u0301_01.jpg", "\uff0e\uff0e\uff3cv_01.jpg"})
        paths.push_back(folder.write(name));
    std::vector<std::string> read = readThroughShell(paths);
    std::sort(read.begin(), read.end());
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, read);
}

TEST(SelectionReader, OrdersFilesFromSeveralFoldersByWholePath) {
    const HGLOBAL drop = host::CreateDropFiles({"D:\\b\\1.jpg", "C:\\Z\\2.jpg", "c:\\a\\3.jpg"});
    ASSERT_NE(nullptr, drop);
    std::vector<std::string> read;
    for (const FileEntry& f : ReadSelection(static_cast<HDROP>(drop), 3))
        read.push_back(f.path);
    GlobalFree(drop);
    EXPECT_EQ((std::vector<std::string>{"c:\\a\\3.jpg", "C:\\Z\\2.jpg", "D:\\b\\1.jpg"}), read);
}

TEST(SelectionReader, ReadsPathsLongerThanItsOldFixedBuffer) {
    const std::string longPath = "C:\\" + std::string(3000, 'd') + "\\p.jpg";
    const HGLOBAL drop = host::CreateDropFiles({longPath});
    ASSERT_NE(nullptr, drop);
    const std::vector<FileEntry> read = ReadSelection(static_cast<HDROP>(drop), 1);
    GlobalFree(drop);
    ASSERT_EQ(1u, read.size());
    EXPECT_EQ(longPath, read[0].path);
}

TEST(SelectionReader, ReadsNothingForNoFiles) {
    EXPECT_TRUE(ReadSelection(nullptr, 0).empty());
}

} // namespace
} // namespace tessaly::test
