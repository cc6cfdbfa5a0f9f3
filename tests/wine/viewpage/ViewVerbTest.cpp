// "&View with Orrinde" from the real DLL: the page on disk and the one request to open it. The
// shell's "open" of .htm pages goes to a recorder program instead of a browser.
#include "platform/AnsiWide.h"
#include "support/HtmlOpenRecorder.h"
#include "host/SelectionDataObject.h"
#include "support/TempFolder.h"
#include "support/TessalyModule.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

class ViewVerb : public ::testing::Test {
protected:
    TessalyModule module;
    HtmlOpenRecorder recorder;
    TempFolder folder;
    IShellExtInit* init = nullptr;
    IContextMenu* menu = nullptr;

    void SetUp() override {
        ASSERT_TRUE(recorder.ready());
        ASSERT_TRUE(module.loaded());
        ASSERT_EQ(S_OK, module.CreateHandler(IID_IShellExtInit, reinterpret_cast<void**>(&init)));
        ASSERT_EQ(S_OK, init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)));
    }
    void TearDown() override {
        if (menu != nullptr)
            menu->Release();
        if (init != nullptr)
            init->Release();
    }

    // Selects the files as Explorer would and chooses the view entry.
    HRESULT view(const std::vector<std::string>& paths) {
        IDataObject* data = paths.empty() ? nullptr : host::CreateSelectionDataObject(paths);
        EXPECT_EQ(paths.empty(), data == nullptr);
        init->Initialize(nullptr, data, nullptr);
        if (data != nullptr)
            data->Release();
        CMINVOKECOMMANDINFO info = {};
        info.cbSize = sizeof info;
        info.lpVerb = MAKEINTRESOURCEA(1);
        info.nShow = SW_SHOWNORMAL;
        const HRESULT hr = menu->InvokeCommand(&info);
        init->Initialize(nullptr, nullptr, nullptr);
        return hr;
    }
};

std::string pictureRows(const std::string& path) {
    return "<tr><td width=\"800\">\r\n" + path +
           "\r\n</td></tr>\r\n<tr><td width=\"100%\"><img src = \"file://" + path +
           "\"></td></tr>\r\n<tr><td width=\"100%\" height=\"15\"></td></tr>\r\n";
}

TEST_F(ViewVerb, WritesThePageInPathOrderAndOpensItOnceByItsUtf16Path) {
    // The test's folder names are in Windows-1252: e-acute is 0xE9 there and U+00E9 in UTF-16.
    ASSERT_EQ(1252u, GetACP());
    const std::string pictures = folder.path() + "Summer \xE9t\xE9 & Co\\";
    ASSERT_TRUE(CreateDirectoryA(pictures.c_str(), nullptr));
    for (const char* name : {"c.jpg", "A.jpg", "b.jpg"})
        folder.write(std::string("Summer \xE9t\xE9 & Co\\") + name);
    // An earlier, longer page is replaced.
    folder.write("Summer \xE9t\xE9 & Co\\Orrinde.htm", std::string(10000, 'x'));

    EXPECT_EQ(S_OK, view({pictures + "c.jpg", pictures + "A.jpg", pictures + "b.jpg"}));

    EXPECT_EQ("<html>\r\n<head>\r\n<title>Orrinde Picture View</title>\r\n</head>\r\n<body>\r\n"
              "<table border=\"0\" width=\"100%\">\r\n" +
                  pictureRows(pictures + "A.jpg") + pictureRows(pictures + "b.jpg") +
                  pictureRows(pictures + "c.jpg") + "</body>\r\n</html>\r\n",
              readFile(pictures + "Orrinde.htm"));
    const std::wstring expected =
        wideFromAnsi(folder.path()) + L"Summer \u00e9t\u00e9 & Co\\Orrinde.htm";
    EXPECT_EQ(std::vector<std::wstring>{expected}, recorder.opened(1));
}

TEST_F(ViewVerb, APageThatCannotBeCreatedIsNotOpened) {
    // A folder holds the page's name, so the page file cannot be created there.
    const std::string blocked = folder.path() + "Orrinde.htm";
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
    EXPECT_EQ(S_OK, view({folder.write("a.jpg")}));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY),
              GetFileAttributesA(blocked.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(recorder.opened(0).empty());
}

TEST_F(ViewVerb, NoFilesOpenNothing) {
    EXPECT_EQ(S_OK, view({}));
    EXPECT_TRUE(recorder.opened(0).empty());
}

} // namespace
} // namespace tessaly::test
