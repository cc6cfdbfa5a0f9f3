// The picture page, byte for byte, and when it is opened.
#include "viewpage/ViewPageWriter.h"

#include "support/FakeFileSystem.h"
#include "support/RecordingPageOpener.h"
#include "support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

// Lines 7 to 11 of the page, for one picture, as stored.
std::string pictureRows(const std::string& firstRow, const std::string& path,
                        const std::string& reference) {
    return firstRow + "\r\n" + path +
           "\r\n</td></tr>\r\n<tr><td width=\"100%\"><img src = \"file://" + reference +
           "\"></td></tr>\r\n<tr><td width=\"100%\" height=\"15\"></td></tr>\r\n";
}

std::string page(const std::string& title, const std::string& rows) {
    return "<html>\r\n<head>\r\n<title>" + title +
           "</title>\r\n</head>\r\n<body>\r\n<table border=\"0\" width=\"100%\">\r\n" + rows +
           "</body>\r\n</html>\r\n";
}

class ViewPage : public ::testing::Test {
protected:
    FakeFileSystem fs;
    RecordingPageOpener opener;
    ScriptedMessageBoxes messages;
    ViewPageWriter writer{fs, opener, messages};
};

TEST_F(ViewPage, OnePictureThroughEachVariant) {
    struct Row {
        PageVariant variant;
        std::string pagePath;
        std::string bytes;
    };
    const Row rows[] = {
        {PageVariant::FromViewVerb, "C:\\Photos\\Orrinde.htm",
         "<html>\r\n<head>\r\n<title>Orrinde Picture View</title>\r\n</head>\r\n<body>\r\n"
         "<table border=\"0\" width=\"100%\">\r\n<tr><td width=\"800\">\r\nC:\\Photos\\a.jpg\r\n"
         "</td></tr>\r\n<tr><td width=\"100%\"><img src = \"file://C:\\Photos\\a.jpg\"></td></tr>"
         "\r\n<tr><td width=\"100%\" height=\"15\"></td></tr>\r\n</body>\r\n</html>\r\n"},
        {PageVariant::FromRenameDialog, "C:\\Photos\\Tessaly.htm",
         "<html>\r\n<head>\r\n<title>Tessaly Picture View</title>\r\n</head>\r\n<body>\r\n"
         "<table border=\"0\" width=\"100%\">\r\n<tr><td width=\"100%\">\r\nC:\\Photos\\a.jpg\r\n"
         "</td></tr>\r\n<tr><td width=\"100%\"><img src = \"file://C:\\Photos\\a.jpg\"></td></tr>"
         "\r\n<tr><td width=\"100%\" height=\"15\"></td></tr>\r\n</body>\r\n</html>\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pagePath);
        FakeFileSystem files;
        RecordingPageOpener opened;
        ViewPageWriter(files, opened, messages).ShowPictures({{"C:\\Photos\\a.jpg"}}, row.variant);
        EXPECT_EQ(std::vector<std::string>{row.pagePath}, files.files());
        EXPECT_EQ(row.bytes, files.bytes(row.pagePath));
        EXPECT_EQ(std::vector<std::string>{row.pagePath}, opened.opened);
    }
}

TEST_F(ViewPage, ListsThePicturesInTheirGivenOrderInTheFolderOfTheFirst) {
    // A search-results selection spans folders; a time-ordered list is not in path order.
    writer.ShowPictures({{"D:\\b\\2.jpg"}, {"C:\\a\\1.jpg"}, {"D:\\b\\3.jpg"}},
                        PageVariant::FromViewVerb);
    const std::string first = "<tr><td width=\"800\">";
    EXPECT_EQ(page("Orrinde Picture View", pictureRows(first, "D:\\b\\2.jpg", "D:\\b\\2.jpg") +
                                               pictureRows(first, "C:\\a\\1.jpg", "C:\\a\\1.jpg") +
                                               pictureRows(first, "D:\\b\\3.jpg", "D:\\b\\3.jpg")),
              fs.bytes("D:\\b\\Orrinde.htm"));
    EXPECT_EQ(std::vector<std::string>{"D:\\b\\Orrinde.htm"}, fs.files());
    EXPECT_EQ(std::vector<std::string>{"D:\\b\\Orrinde.htm"}, opener.opened);
}

// A page that the ANSI code page cannot hold is stored as UTF-8 and says so; here the fake's
// code page is ASCII. Where the ANSI code page is UTF-8 the page has no byte-order mark, and an
// ASCII page stays as it is.
TEST(ViewPageText, APageBeyondTheCodePageDeclaresItsCharacterSet) {
    for (const bool ansiIsUtf8 : {false, true}) {
        SCOPED_TRACE(ansiIsUtf8);
        FakeFileSystem files;
        files.ansiIsUtf8 = ansiIsUtf8;
        RecordingPageOpener opened;
        ScriptedMessageBoxes told;
        ViewPageWriter writer(files, opened, told);
        const std::string path = "C:\\\u03a6\\\u039a_01.jpg";
        writer.ShowPictures({{path}}, PageVariant::FromViewVerb);
        EXPECT_EQ(
            std::string(ansiIsUtf8 ? "" : "\xEF\xBB\xBF") +
                "<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>Orrinde Picture "
                "View</title>\r\n</head>\r\n<body>\r\n<table border=\"0\" width=\"100%\">\r\n" +
                pictureRows("<tr><td width=\"800\">", path, path) + "</body>\r\n</html>\r\n",
            files.bytes("C:\\\u03a6\\Orrinde.htm"));
        writer.ShowPictures({{"C:\\p\\a.jpg"}}, PageVariant::FromViewVerb);
        EXPECT_EQ(page("Orrinde Picture View",
                       pictureRows("<tr><td width=\"800\">", "C:\\p\\a.jpg", "C:\\p\\a.jpg")),
                  files.bytes("C:\\p\\Orrinde.htm"));
    }
}

TEST_F(ViewPage, OnlyTheReferenceEscapesPercentAndHash) {
    const std::string path = "C:\\My Photos\\Tom & Jerry 100% #2.jpg";
    writer.ShowPictures({{path}}, PageVariant::FromViewVerb);
    EXPECT_EQ(
        page("Orrinde Picture View", pictureRows("<tr><td width=\"800\">", path,
                                                 "C:\\My Photos\\Tom & Jerry 100%25 %232.jpg")),
        fs.bytes("C:\\My Photos\\Orrinde.htm"));
}

TEST(FileReference, EscapesExactlyPercentAndHash) {
    const std::pair<std::string, std::string> rows[] = {
        {"C:\\a b\\c&d.jpg", "C:\\a b\\c&d.jpg"},
        {"%", "%25"},
        {"%25", "%2525"},
        {"##", "%23%23"},
        {"C:\\\xE9t\xE9\\x;y=z?.jpg", "C:\\\xE9t\xE9\\x;y=z?.jpg"},
        {"", ""},
    };
    for (const auto& [path, reference] : rows)
        EXPECT_EQ(reference, fileReference(path)) << path;
}

TEST_F(ViewPage, AnEarlierPageIsReplacedWithoutAsking) {
    fs.addFile("C:\\Photos\\Orrinde.htm", 0, std::string(5000, 'x'));
    writer.ShowPictures({{"C:\\Photos\\a.jpg"}}, PageVariant::FromViewVerb);
    EXPECT_EQ(page("Orrinde Picture View",
                   pictureRows("<tr><td width=\"800\">", "C:\\Photos\\a.jpg", "C:\\Photos\\a.jpg")),
              fs.bytes("C:\\Photos\\Orrinde.htm"));
    EXPECT_EQ(1u, opener.opened.size());
}

// The page is complete under its name or not there: an earlier page stays whole, no temporary
// file is left, and the user is told. A page over a selected file is never written.
TEST_F(ViewPage, APageThatCannotBeWrittenWholeIsNotOpenedAndIsTold) {
    const std::string earlier = "an earlier page";
    // The calls: create the temporary file, write it, close it, give it the page's name.
    for (int call = 1; call <= 4; ++call) {
        SCOPED_TRACE(call);
        FakeFileSystem disk;
        RecordingPageOpener opened;
        ScriptedMessageBoxes told;
        disk.addFile("C:\\Photos\\a.jpg");
        disk.addFile("C:\\Photos\\Orrinde.htm", 0, earlier);
        disk.planFault(call, FaultKind::Fail);
        ViewPageWriter(disk, opened, told)
            .ShowPictures({{"C:\\Photos\\a.jpg"}}, PageVariant::FromViewVerb);
        EXPECT_EQ((std::vector<std::string>{"C:\\Photos\\Orrinde.htm", "C:\\Photos\\a.jpg"}),
                  disk.files());
        EXPECT_EQ(earlier, disk.bytes("C:\\Photos\\Orrinde.htm"));
        EXPECT_TRUE(opened.opened.empty());
        ASSERT_EQ(1u, told.shown.size());
        EXPECT_EQ("Can not write the picture page \"C:\\Photos\\Orrinde.htm\".",
                  told.shown[0].text);
        EXPECT_EQ("File write error", told.shown[0].caption);
    }

    fs.addFile("C:\\Photos\\orrinde.HTM", 0, "the user's own page");
    writer.ShowPictures({{"C:\\Photos\\a.jpg"}, {"C:\\Photos\\orrinde.HTM"}},
                        PageVariant::FromViewVerb);
    EXPECT_EQ("the user's own page", fs.bytes("C:\\Photos\\Orrinde.htm"));
    EXPECT_EQ(std::vector<std::string>{"C:\\Photos\\orrinde.HTM"}, fs.files());
    EXPECT_TRUE(opener.opened.empty());
    ASSERT_EQ(1u, messages.shown.size());
    EXPECT_EQ("The picture page can not be written over the selected file "
              "\"C:\\Photos\\orrinde.HTM\". Nothing was written.",
              messages.shown[0].text);

    opener.succeeds = false;
    writer.ShowPictures({{"C:\\Photos\\a.jpg"}}, PageVariant::FromRenameDialog);
    EXPECT_TRUE(fs.hasFile("C:\\Photos\\Tessaly.htm"));
    ASSERT_EQ(2u, messages.shown.size());
    EXPECT_EQ("The picture page \"C:\\Photos\\Tessaly.htm\" was written, but no program could be "
              "started to show it.",
              messages.shown[1].text);
}

TEST_F(ViewPage, NoPicturesWriteAndOpenNothing) {
    writer.ShowPictures({}, PageVariant::FromRenameDialog);
    EXPECT_TRUE(fs.files().empty());
    EXPECT_TRUE(opener.opened.empty());
}

} // namespace
} // namespace tessaly::test
