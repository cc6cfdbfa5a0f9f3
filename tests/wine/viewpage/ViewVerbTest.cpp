// "&View with Orrinde" from the real DLL: the page on disk and the one request to open it. The
// shell's "open" of .htm pages goes to a recorder program instead of a browser.
#include "platform/WideText.h"
#include "support/DialogDriver.h"
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
    // Every character of this page has its form in Windows-1252, so the page is stored there,
    // as always: e-acute is the byte 0xE9.
    ASSERT_EQ(1252u, GetACP());
    const std::string pictures = folder.path() + "Summer \u00e9t\u00e9 & Co\\";
    const std::string stored = folder.path() + "Summer \xE9t\xE9 & Co\\";
    ASSERT_TRUE(CreateDirectoryW(wideFromUtf8(pictures).c_str(), nullptr));
    for (const char* name : {"c.jpg", "A.jpg", "b.jpg"})
        folder.write(std::string("Summer \u00e9t\u00e9 & Co\\") + name);
    // An earlier, longer page is replaced.
    folder.write("Summer \u00e9t\u00e9 & Co\\Orrinde.htm", std::string(10000, 'x'));

    EXPECT_EQ(S_OK, view({pictures + "c.jpg", pictures + "A.jpg", pictures + "b.jpg"}));

    EXPECT_EQ("<html>\r\n<head>\r\n<title>Orrinde Picture View</title>\r\n</head>\r\n<body>\r\n"
              "<table border=\"0\" width=\"100%\">\r\n" +
                  pictureRows(stored + "A.jpg") + pictureRows(stored + "b.jpg") +
                  pictureRows(stored + "c.jpg") + "</body>\r\n</html>\r\n",
              readFile(pictures + "Orrinde.htm"));
    const std::wstring expected =
        wideFromUtf8(folder.path()) + L"Summer \u00e9t\u00e9 & Co\\Orrinde.htm";
    EXPECT_EQ(std::vector<std::wstring>{expected}, recorder.opened(1));
}

// Names beyond the code page: the page is UTF-8 with a byte-order mark and says so, in the
// selected folder and not in a look-alike one.
TEST_F(ViewVerb, APageBeyondTheCodePageIsUtf8InTheSelectedFolder) {
    const std::string pictures = folder.path() + "Fotos_\u0101\\";
    ASSERT_TRUE(CreateDirectoryW(wideFromUtf8(pictures).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(wideFromUtf8(folder.path() + "Fotos_a\\").c_str(), nullptr));
    const std::string picture = folder.write("Fotos_\u0101\\\u039a_\U0001F600.jpg");

    EXPECT_EQ(S_OK, view({picture}));

    EXPECT_EQ("\xEF\xBB\xBF<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
              "<title>Orrinde Picture View</title>\r\n</head>\r\n<body>\r\n"
              "<table border=\"0\" width=\"100%\">\r\n" +
                  pictureRows(picture) + "</body>\r\n</html>\r\n",
              readFile(pictures + "Orrinde.htm"));
    EXPECT_TRUE(namesIn(folder.path() + "Fotos_a\\").empty());
    EXPECT_EQ(std::vector<std::wstring>{wideFromUtf8(pictures + "Orrinde.htm")},
              recorder.opened(1));
}

TEST_F(ViewVerb, APageThatCannotBeCreatedIsNotOpenedAndIsTold) {
    // A folder holds the page's name, so the page cannot take its name there.
    const std::string blocked = folder.path() + "Orrinde.htm";
    ASSERT_TRUE(CreateDirectoryW(wideFromUtf8(blocked).c_str(), nullptr));
    std::string told;
    DialogScript script([&] {
        const HWND message = WaitForDialog("File write error");
        if (message == nullptr)
            return;
        told = ControlText(message, 0xFFFF);
        ClickButton(message, IDOK);
    });
    EXPECT_EQ(S_OK, view({folder.write("a.jpg")}));
    script.Join();
    EXPECT_EQ("Can not write the picture page \"" + blocked + "\".", told);
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY),
              GetFileAttributesW(wideFromUtf8(blocked).c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ((std::set<std::string>{"a.jpg", "Orrinde.htm"}), namesIn(folder.path()));
    EXPECT_TRUE(recorder.opened(0).empty());
}

TEST_F(ViewVerb, NoFilesOpenNothing) {
    EXPECT_EQ(S_OK, view({}));
    EXPECT_TRUE(recorder.opened(0).empty());
}

} // namespace
} // namespace tessaly::test
