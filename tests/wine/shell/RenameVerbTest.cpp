// "&Rename/Resize with Tessaly" end to end: the real DLL loaded as Explorer loads it, a real
// selection, the real registry, real files, and the real dialogs answered from a second
// thread by control id.
#include "host/SelectionDataObject.h"
#include "imaging/GdiplusObjects.h"
#include "platform/WideText.h"
#include "resources/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/ExifBuilder.h"
#include "support/LogHeader.h"
#include "support/Pictures.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempFolder.h"
#include "support/TessalyModule.h"
#include "support/TestRegistry.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>

namespace tessaly::test {
namespace {

const char kMainCaption[] = "Vexmoor Software Tessaly 3.1";
const char kNoExtensionText[] =
    "The selected files do not have a common file extension (such as .JPG or .GIF).  Please "
    "reselect files that have the same file extension.";
const char kNoPrefixText[] =
    "The selected files do not have a common file name prefix (leading file name characters).  "
    "Press Cancel to reselect related files.  Press OK to continue.";

HWND mainDialog(DWORD timeoutMs = 10000) {
    return WaitForDialogWithControl(kMainCaption, IDC_RENAME_FILES, timeoutMs);
}

std::optional<DWORD> storedDigits() {
    const std::optional<RawValue> value =
        valueOf(HKEY_CURRENT_USER, kUserSettingsKey, "RenumberDigits");
    if (!value || value->type != REG_DWORD || value->bytes.size() != 4)
        return std::nullopt;
    DWORD digits = 0;
    std::memcpy(&digits, value->bytes.data(), 4);
    return digits;
}

class RenameVerb : public ::testing::Test {
protected:
    SettingsKeysRemoved keys;
    TessalyModule module;
    TempFolder folder;
    IContextMenu* menu = nullptr;

    void SetUp() override {
        ASSERT_TRUE(module.loaded());
        ASSERT_TRUE(createKey(HKEY_LOCAL_MACHINE, kMachineSettingsKey)); // as installed
        ASSERT_EQ(S_OK, module.CreateHandler(IID_IContextMenu, reinterpret_cast<void**>(&menu)));
    }
    void TearDown() override {
        if (menu != nullptr)
            menu->Release();
    }

    std::vector<std::string> files(const std::vector<std::string>& names) {
        std::vector<std::string> paths;
        for (const std::string& name : names)
            paths.push_back(folder.write(name, "picture " + name));
        return paths;
    }

    // Chooses the entry as Explorer does, for the selection.
    HRESULT invoke(const std::vector<std::string>& paths) {
        IDataObject* data = host::CreateSelectionDataObject(paths);
        if (data == nullptr)
            return E_FAIL;
        IShellExtInit* init = nullptr;
        menu->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init));
        init->Initialize(nullptr, data, nullptr);
        init->Release();
        data->Release();
        CMINVOKECOMMANDINFO info = {};
        info.cbSize = sizeof info;
        info.lpVerb = MAKEINTRESOURCEA(0);
        info.nShow = SW_SHOWNORMAL;
        return menu->InvokeCommand(&info);
    }
};

TEST_F(RenameVerb, OpensWithTheDefaultRemovalAndTheExampleNames) {
    const std::vector<std::string> paths = files({"IMG_0013.JPG", "IMG_0001.JPG", "IMG_0002.jpg"});
    bool warned = true;
    std::string removed, original, renamed, count;
    DialogScript script([&] {
        const HWND dialog = mainDialog();
        if (dialog == nullptr)
            return;
        warned = FindWindowA("#32770", "Tessaly Warning") != nullptr ||
                 FindWindowA("#32770", "Tessaly Notice") != nullptr;
        removed = ControlText(dialog, IDC_REMOVED_COUNT);
        original = ControlText(dialog, IDC_ORIGINAL_NAME);
        renamed = ControlText(dialog, IDC_NEW_NAME);
        count = ControlText(dialog, IDC_FILE_COUNT);
        PostClick(dialog, IDC_CANCEL);
    });
    EXPECT_EQ(S_OK, invoke(paths));
    script.Join();
    EXPECT_FALSE(warned);
    EXPECT_EQ("4", removed);
    EXPECT_EQ("IMG_0001.JPG", original);
    EXPECT_EQ("0001.JPG", renamed);
    EXPECT_EQ("3", count);
    EXPECT_EQ((std::set<std::string>{"IMG_0001.JPG", "IMG_0002.jpg", "IMG_0013.JPG"}),
              namesIn(folder.path()));
}

TEST_F(RenameVerb, WithoutACommonExtensionOnlyTheNoticeIsShown) {
    AnsweredBox notice;
    bool dialogSeen = false;
    DialogScript script([&] {
        notice = AnswerMessageBox("Tessaly Notice", IDOK);
        if (!notice.shown)
            return;
        dialogSeen = mainDialog(1000) != nullptr;
    });
    EXPECT_EQ(S_OK, invoke(files({"a.jpg", "b.gif"})));
    script.Join();
    EXPECT_EQ(kNoExtensionText, notice.text);
    EXPECT_NE(nullptr, notice.icon);
    EXPECT_FALSE(dialogSeen);
}

TEST_F(RenameVerb, WithoutACommonPrefixTheWarningLetsTheUserStopOrGoOn) {
    const std::vector<std::string> paths = files({"img_01.jpg", "IMG_02.jpg"});
    for (const int answer : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(answer);
        std::string text, removed = "<no dialog>";
        DialogScript script([&] {
            const HWND box = WaitForDialog("Tessaly Warning");
            if (box == nullptr)
                return;
            text = MessageBoxText(box);
            PostClick(box, answer);
            const HWND dialog = mainDialog(answer == IDOK ? 10000 : 1000);
            if (dialog == nullptr)
                return;
            removed = ControlText(dialog, IDC_REMOVED_COUNT);
            PostClick(dialog, IDC_CANCEL);
        });
        EXPECT_EQ(S_OK, invoke(paths));
        script.Join();
        EXPECT_EQ(kNoPrefixText, text);
        EXPECT_EQ(answer == IDOK ? "0" : "<no dialog>", removed);
    }
}

TEST_F(RenameVerb, ASingleFileOpensWithoutAWarning) {
    bool warned = true;
    std::string removed;
    DialogScript script([&] {
        const HWND dialog = mainDialog();
        if (dialog == nullptr)
            return;
        warned = FindWindowA("#32770", "Tessaly Warning") != nullptr;
        removed = ControlText(dialog, IDC_REMOVED_COUNT);
        PostClick(dialog, IDC_CANCEL);
    });
    EXPECT_EQ(S_OK, invoke(files({"DSC01234.JPG"})));
    script.Join();
    EXPECT_FALSE(warned);
    EXPECT_EQ("3", removed);
}

// In the main dialog: renumbering on, and the digit count chosen in its settings.
void chooseDigits(HWND dialog, int digitItem) {
    ClickControl(dialog, IDC_RENUMBER);
    PostClick(dialog, IDC_RENUMBER_SETTINGS);
    const HWND settings = WaitForDialog("Tessaly 3.1 Renumber Settings");
    if (settings == nullptr)
        return;
    ChooseItem(settings, IDC_DIGITS, digitItem);
    PostClick(settings, IDC_OK);
    WaitUntilGone(settings);
}

TEST_F(RenameVerb, CancellingKeepsTheStoredDigitCount) {
    ASSERT_TRUE(putDword(HKEY_CURRENT_USER, kUserSettingsKey, "RenumberDigits", 4));
    DialogScript script([&] {
        const HWND dialog = mainDialog();
        if (dialog == nullptr)
            return;
        chooseDigits(dialog, 5); // the list starts at 1: 6 digits
        PostClick(dialog, IDC_CANCEL);
    });
    EXPECT_EQ(S_OK, invoke(files({"IMG_0001.JPG", "IMG_0002.JPG"})));
    script.Join();
    EXPECT_EQ(std::optional<DWORD>(4), storedDigits());
}

TEST_F(RenameVerb, ConfirmingSavesTheDigitCountBeforeAnyFileIsTouched) {
    const std::vector<std::string> paths = files({"IMG_0001.JPG", "IMG_0002.JPG"});
    // The log cannot be made: the batch stops at its first file, before touching any.
    ASSERT_TRUE(CreateDirectoryW(wideFromUtf8(folder.path() + "Tessaly.log").c_str(), nullptr));
    std::optional<DWORD> digitsAtTheBatch;
    std::string notDone;
    DialogScript script([&] {
        const HWND dialog = mainDialog();
        if (dialog == nullptr)
            return;
        chooseDigits(dialog, 2); // 3 digits
        PostClick(dialog, IDC_RENAME_FILES);
        const HWND box = WaitForDialog("File write error");
        if (box == nullptr)
            return;
        digitsAtTheBatch = storedDigits();
        PostClick(box, IDOK);
        const HWND result = WaitForDialogWithControl(kMainCaption, IDC_LOG_FILE);
        if (result == nullptr)
            return;
        notDone = ControlText(result, IDC_NOT_DONE_COUNT);
        PostClick(result, IDC_OK);
    });
    EXPECT_EQ(S_OK, invoke(paths));
    script.Join();
    EXPECT_EQ(std::optional<DWORD>(3), digitsAtTheBatch);
    EXPECT_EQ("2", notDone);
    EXPECT_EQ((std::set<std::string>{"IMG_0001.JPG", "IMG_0002.JPG", "Tessaly.log"}),
              namesIn(folder.path()));
}

// In a folder whose name has no form in the code page, next to its look-alike, which keeps
// its pictures of the same names untouched.
TEST_F(RenameVerb, AConfirmedRenameAndResizeLeavesRenamedFilesCopiesLogAndCounts) {
    const GdiplusSession pictureMaker; // keeps GDI+ started for making the pictures
    const std::string pictures = folder.path() + "Fotos_\u0101\\";
    const std::string lookAlike = folder.path() + "Fotos_a\\";
    ASSERT_TRUE(CreateDirectoryW(wideFromUtf8(pictures).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(wideFromUtf8(lookAlike).c_str(), nullptr));
    std::vector<std::string> paths;
    for (const char* name : {"\u039a_0001.JPG", "\u039a_0002.JPG", "\u039a_0013.JPG"}) {
        paths.push_back(pictures + name);
        ASSERT_TRUE(writePicture(paths.back(), 640, 480, L"image/jpeg"));
        folder.write(std::string("Fotos_a\\") + name, "look-alike");
    }
    std::string caption, sizeText, done, notDone, doneLabel, logFile;
    DialogScript script([&] {
        const HWND dialog = mainDialog();
        if (dialog == nullptr)
            return;
        TypeText(dialog, IDC_NEW_PREFIX, "Rome_");
        ClickControl(dialog, IDC_RESIZE);
        PostClick(dialog, IDC_RESIZE_SETTINGS);
        const HWND settings = WaitForDialog("Tessaly 3.1 Resize Settings");
        if (settings == nullptr)
            return;
        ClickControl(settings, IDC_WIDTH_SMALL);
        PostClick(settings, IDC_OK);
        WaitUntilGone(settings);
        caption = ControlText(dialog, IDC_RENAME_FILES);
        sizeText = ControlText(dialog, IDC_RESIZE_SIZE);
        PostClick(dialog, IDC_RENAME_FILES);
        const HWND result = WaitForDialogWithControl(kMainCaption, IDC_LOG_FILE, 60000);
        if (result == nullptr)
            return;
        doneLabel = ControlText(result, IDC_DONE_LABEL);
        done = ControlText(result, IDC_DONE_COUNT);
        notDone = ControlText(result, IDC_NOT_DONE_COUNT);
        logFile = ControlText(result, IDC_LOG_FILE);
        PostClick(result, IDC_OK);
    });
    EXPECT_EQ(S_OK, invoke(paths));
    script.Join();

    EXPECT_EQ("Rename && Resize", caption);
    EXPECT_EQ("Width: 320", sizeText);
    EXPECT_EQ("Files renamed/resized:", doneLabel);
    EXPECT_EQ("3", done);
    EXPECT_EQ("0", notDone);
    EXPECT_EQ(pictures + "Tessaly.log", logFile);
    EXPECT_EQ((std::set<std::string>{"Rome_0001.JPG", "Rome_0002.JPG", "Rome_0013.JPG",
                                     "sml.Rome_0001.JPG", "sml.Rome_0002.JPG", "sml.Rome_0013.JPG",
                                     "Tessaly.log"}),
              namesIn(pictures));
    EXPECT_EQ((std::set<std::string>{"\u039a_0001.JPG", "\u039a_0002.JPG", "\u039a_0013.JPG"}),
              namesIn(lookAlike));
    EXPECT_EQ("look-alike", readFile(lookAlike + "\u039a_0001.JPG"));
    const PictureFacts copy = readPicture(pictures + "sml.Rome_0013.JPG");
    EXPECT_EQ(320u, copy.width);
    EXPECT_EQ(240u, copy.height);
    EXPECT_EQ("All files were renamed and resized successfully\r\n\r\n"
              "Number of files renamed/resized: 3\r\n",
              logAfterHeader(readFile(pictures + "Tessaly.log")));
    // The choices are kept for the next time.
    EXPECT_EQ(std::optional<DWORD>(1), storedDigits());
    const std::optional<RawValue> size =
        valueOf(HKEY_LOCAL_MACHINE, kMachineSettingsKey, "ResizeSelectedSize");
    ASSERT_TRUE(size);
    EXPECT_EQ(std::string("\x11\x04\0\0", 4), size->bytes); // 1041
}

// The preview opened from the main dialog lists, on the real list view, the names that the
// batch then gives: the files and copies on the disk afterwards are its rows.
TEST_F(RenameVerb, ThePreviewListsTheNamesTheBatchThenGives) {
    const GdiplusSession pictureMaker;
    std::vector<std::string> paths;
    for (const char* name : {"IMG_0013.JPG", "IMG_0001.JPG", "IMG_0002.JPG"}) {
        paths.push_back(folder.path() + name);
        ASSERT_TRUE(writePicture(paths.back(), 64, 48, L"image/jpeg"));
    }
    std::vector<std::vector<std::string>> rows;
    DialogScript script([&] {
        const HWND dialog = mainDialog();
        if (dialog == nullptr)
            return;
        TypeText(dialog, IDC_NEW_PREFIX, "Rome_");
        ClickControl(dialog, IDC_RENUMBER);
        ClickControl(dialog, IDC_RESIZE);
        PostClick(dialog, IDC_PREVIEW);
        const HWND preview = WaitForDialog("Tessaly 3.1 Preview");
        if (preview == nullptr)
            return;
        const HWND list = GetDlgItem(preview, IDC_PREVIEW_LIST);
        const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
        const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
        const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) {
            std::vector<std::string> cells;
            for (int column = 0; column < columns; ++column) {
                wchar_t text[512] = {};
                LVITEMW cell = {};
                cell.iSubItem = column;
                cell.pszText = text;
                cell.cchTextMax = 512;
                SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(&cell));
                cells.push_back(utf8FromWide(text, wcslen(text)));
            }
            rows.push_back(cells);
        }
        PostKey(preview, VK_ESCAPE);
        WaitUntilGone(preview);
        PostClick(dialog, IDC_RENAME_FILES);
        const HWND result = WaitForDialogWithControl(kMainCaption, IDC_LOG_FILE, 60000);
        if (result != nullptr)
            PostClick(result, IDC_OK);
    });
    EXPECT_EQ(S_OK, invoke(paths));
    script.Join();
    // Name, new name, copy, note: in the batch's order, nothing to note.
    ASSERT_EQ(3u, rows.size());
    std::set<std::string> shown = {"Tessaly.log"};
    for (const std::vector<std::string>& row : rows) {
        ASSERT_EQ(4u, row.size());
        EXPECT_EQ("", row[3]) << row[0];
        shown.insert(row[1]);
        shown.insert(row[2]);
    }
    EXPECT_EQ("IMG_0001.JPG", rows[0][0]);
    EXPECT_EQ("Rome_1.JPG", rows[0][1]);
    EXPECT_EQ(shown, namesIn(folder.path()));
}

TEST_F(RenameVerb, RenumberingByPictureDateFollowsTheDatesTheCamerasRecorded) {
    const GdiplusSession pictureMaker;
    // Recorded dates in the order b, c, a; file times in the order a, b, c.
    const std::pair<const char*, const char*> photos[] = {{"IMG_a.JPG", "2010:01:03 10:00:00"},
                                                          {"IMG_b.JPG", "2010:01:01 10:00:00"},
                                                          {"IMG_c.JPG", "2010:01:02 10:00:00"}};
    std::vector<std::string> paths;
    std::int64_t fileTime = 1500000000;
    for (const auto& [name, date] : photos) {
        paths.push_back(folder.path() + name);
        ASSERT_TRUE(writePicture(paths.back(), 64, 48, L"image/jpeg"));
        ExifSpec spec;
        spec.dateTime = date;
        const std::string jpeg = readFile(paths.back());
        folder.write(name, jpeg.substr(0, 2) + exifSegment(exifBlock(spec)) + jpeg.substr(2));
        ASSERT_TRUE(setModificationTime(paths.back(), fileTime += 60));
    }
    DialogScript script([&] {
        const HWND dialog = mainDialog();
        if (dialog == nullptr)
            return;
        TypeText(dialog, IDC_NEW_PREFIX, "Day_");
        ClickControl(dialog, IDC_RENUMBER);
        PostClick(dialog, IDC_RENUMBER_SETTINGS);
        const HWND settings = WaitForDialog("Tessaly 3.1 Renumber Settings");
        if (settings == nullptr)
            return;
        ClickControl(settings, IDC_ORDER_IMAGE_TIME);
        PostClick(settings, IDC_OK);
        WaitUntilGone(settings);
        PostClick(dialog, IDC_RENAME_FILES);
        const HWND result = WaitForDialogWithControl(kMainCaption, IDC_LOG_FILE, 60000);
        if (result != nullptr)
            PostClick(result, IDC_OK);
    });
    EXPECT_EQ(S_OK, invoke(paths));
    script.Join();
    // By file time they would be a1, b2, c3.
    EXPECT_EQ((std::set<std::string>{"Day_a3.JPG", "Day_b1.JPG", "Day_c2.JPG", "Tessaly.log"}),
              namesIn(folder.path()));
}

// Runs a function on the thread that owns the window, from within whatever loop dispatches its
// messages there, as Explorer's window procedures run inside a batch's message pumping.
class NestedCall {
public:
    explicit NestedCall(std::function<void()> call) : call_(std::move(call)) {
        window_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
    }
    ~NestedCall() { DestroyWindow(window_); }
    void Post() const { PostMessageA(window_, WM_APP, 0, 0); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<NestedCall*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_APP) {
            self->call_();
            return 0;
        }
        return CallWindowProcA(self->previous_, window, message, wParam, lParam);
    }
    std::function<void()> call_;
    HWND window_ = nullptr;
    WNDPROC previous_ = nullptr;
};

TEST_F(RenameVerb, ASecondBatchWhileOneRunsIsRefusedWithANotice) {
    const GdiplusSession pictureMaker;
    const std::string photo = folder.path() + "IMG_0001.JPG";
    ASSERT_TRUE(writePicture(photo, 64, 48, L"image/jpeg"));
    folder.write("sml.IMG_0001.JPG", "an older copy"); // the batch stops at its question
    const std::vector<std::string> others = files({"DSC_1.JPG", "DSC_2.JPG"});
    HRESULT nested = E_FAIL;
    NestedCall call([&] { nested = invoke(others); });

    host::AnsweredBox notice;
    DialogScript script([&] {
        const HWND dialog = mainDialog();
        if (dialog == nullptr)
            return;
        ClickControl(dialog, IDC_RENAME);
        ClickControl(dialog, IDC_RESIZE);
        PostClick(dialog, IDC_RENAME_FILES);
        // The batch asks about the older copy; meanwhile the verb is chosen again.
        if (WaitForDialog("Warning") == nullptr)
            return;
        call.Post();
        notice = host::AnswerMessageBox("Tessaly Notice", IDOK);
        host::AnswerMessageBox("Warning", IDNO);
        const HWND result = WaitForDialogWithControl(kMainCaption, IDC_LOG_FILE, 60000);
        if (result != nullptr)
            PostClick(result, IDC_OK);
    });
    EXPECT_EQ(S_OK, invoke({photo}));
    script.Join();
    EXPECT_EQ(S_OK, nested);
    EXPECT_EQ("Tessaly is still renaming or resizing files.  Please choose the command again when "
              "it has finished.",
              notice.text);
    EXPECT_EQ((std::set<std::string>{"DSC_1.JPG", "DSC_2.JPG", "IMG_0001.JPG", "sml.IMG_0001.JPG",
                                     "Tessaly.log"}),
              namesIn(folder.path()));
    EXPECT_EQ("an older copy", readFile(folder.path() + "sml.IMG_0001.JPG"));
}

// The guard holds from the start of the command: while the main dialog is open on a
// selection, a second invocation on the same files renames nothing.
TEST_F(RenameVerb, ASecondInvocationWhileTheMainDialogIsOpenIsRefused) {
    const std::vector<std::string> paths = files({"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG"});
    HRESULT nested = E_FAIL;
    NestedCall call([&] { nested = invoke(paths); });
    host::AnsweredBox notice;
    DialogScript script([&] {
        const HWND dialog = mainDialog();
        if (dialog == nullptr)
            return;
        call.Post();
        notice = host::AnswerMessageBox("Tessaly Notice", IDOK);
        PostClick(dialog, IDC_CANCEL);
    });
    EXPECT_EQ(S_OK, invoke(paths));
    script.Join();
    EXPECT_EQ(S_OK, nested);
    EXPECT_EQ("Tessaly is still renaming or resizing files.  Please choose the command again when "
              "it has finished.",
              notice.text);
    EXPECT_EQ((std::set<std::string>{"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG"}),
              namesIn(folder.path()));
}

// Every file under the folder, by its path inside it; a subfolder's files after "name\".
std::set<std::string> tree(const std::string& root, const std::string& inside = "") {
    std::set<std::string> found;
    for (const std::string& name : namesIn(root + inside)) {
        const std::string relative = inside + name;
        const DWORD attributes = GetFileAttributesW(wideFromUtf8(root + relative).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            const std::set<std::string> below = tree(root, relative + "\\");
            found.insert(below.begin(), below.end());
        } else {
            found.insert(relative);
        }
    }
    return found;
}

// Names in other scripts and their look-alikes, each selection renamed with the default removal
// and a typed prefix: only the selected files change, and nothing leaves its folder.
TEST_F(RenameVerb, OnlyTheSelectedFilesChangeWhateverTheirNames) {
    const struct {
        const char* label;
        std::vector<std::string> files;    // under the test's folder
        std::vector<std::string> selected; // among them
        const char* prefix;
        std::set<std::string> after;
        const char* log; // the folder of the log, inside the test's folder
    } rows[] = {
        {"a look-alike of the selected names",
         {"\u0101_01.jpg", "\u0101_02.jpg", "a_01.jpg", "a_02.jpg"},
         {"\u0101_01.jpg", "\u0101_02.jpg"},
         "Moved_",
         {"Moved_01.jpg", "Moved_02.jpg", "a_01.jpg", "a_02.jpg", "Tessaly.log"},
         ""},
        {"a look-alike of the selected folder",
         {"Fotos_\u0101\\IMG_01.jpg", "Fotos_\u0101\\IMG_02.jpg", "Fotos_a\\IMG_01.jpg",
          "Fotos_a\\IMG_02.jpg"},
         {"Fotos_\u0101\\IMG_01.jpg", "Fotos_\u0101\\IMG_02.jpg"},
         "Rome_",
         {"Fotos_\u0101\\Rome_01.jpg", "Fotos_\u0101\\Rome_02.jpg", "Fotos_\u0101\\Tessaly.log",
          "Fotos_a\\IMG_01.jpg", "Fotos_a\\IMG_02.jpg"},
         "Fotos_\u0101\\"},
        {"fullwidth dots and backslash next to the files they look like",
         {"in\\\uff0e\uff0e\uff3cvictim_01.jpg", "in\\\uff0e\uff0e\uff3cvictim_02.jpg",
          "victim_01.jpg", "victim_02.jpg"},
         {"in\\\uff0e\uff0e\uff3cvictim_01.jpg", "in\\\uff0e\uff0e\uff3cvictim_02.jpg"},
         "X_",
         {"in\\X_01.jpg", "in\\X_02.jpg", "in\\Tessaly.log", "victim_01.jpg", "victim_02.jpg"},
         "in\\"},
        {"Greek, with names of no look-alike",
         {"\u039a_01.jpg", "\u039a_02.jpg", "K_01.jpg"},
         {"\u039a_01.jpg", "\u039a_02.jpg"},
         "Trip_",
         {"Trip_01.jpg", "Trip_02.jpg", "K_01.jpg", "Tessaly.log"},
         ""},
        {"Japanese, sharing bytes but not characters, with a Japanese prefix",
         {"\u30b2\u30fc\u30e02.jpg", "\u30b2\u30c83.jpg"},
         {"\u30b2\u30fc\u30e02.jpg", "\u30b2\u30c83.jpg"},
         "\u65b0",
         {"\u65b0\u30fc\u30e02.jpg", "\u65b0\u30c83.jpg", "Tessaly.log"},
         ""},
        {"an emoji beyond the basic plane and a combining mark",
         {"\U0001F600e\u0301_01.jpg", "\U0001F600e\u0301_02.jpg", "\U0001F600e_01.jpg"},
         {"\U0001F600e\u0301_01.jpg", "\U0001F600e\u0301_02.jpg"},
         "\u03a9_",
         {"\u03a9_01.jpg", "\u03a9_02.jpg", "\U0001F600e_01.jpg", "Tessaly.log"},
         ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TempFolder place;
        std::vector<std::string> selected;
        for (const std::string& file : row.files) {
            const std::string path = place.path() + file;
            const std::string::size_type folderEnd = file.rfind('\\');
            if (folderEnd != std::string::npos)
                CreateDirectoryW(wideFromUtf8(place.path() + file.substr(0, folderEnd)).c_str(),
                                 nullptr);
            place.write(file, "picture " + file);
        }
        for (const std::string& file : row.selected)
            selected.push_back(place.path() + file);
        std::string done, notDone, logFile;
        DialogScript script([&] {
            const HWND dialog = mainDialog();
            if (dialog == nullptr)
                return;
            TypeText(dialog, IDC_NEW_PREFIX, row.prefix);
            PostClick(dialog, IDC_RENAME_FILES);
            const HWND result = WaitForDialogWithControl(kMainCaption, IDC_LOG_FILE, 60000);
            if (result == nullptr)
                return;
            done = ControlText(result, IDC_DONE_COUNT);
            notDone = ControlText(result, IDC_NOT_DONE_COUNT);
            logFile = ControlText(result, IDC_LOG_FILE);
            PostClick(result, IDC_OK);
        });
        EXPECT_EQ(S_OK, invoke(selected));
        script.Join();
        EXPECT_EQ(std::to_string(row.selected.size()), done);
        EXPECT_EQ("0", notDone);
        EXPECT_EQ(place.path() + row.log + "Tessaly.log", logFile);
        EXPECT_EQ(row.after, tree(place.path()));
        // The files that were not selected keep their content.
        for (const std::string& file : row.files) {
            if (row.after.count(file) != 0) {
                EXPECT_EQ("picture " + file, readFile(place.path() + file)) << file;
            }
        }
        EXPECT_EQ("All files were renamed successfully\r\n\r\nNumber of files renamed: " +
                      std::to_string(row.selected.size()) + "\r\n",
                  logAfterHeader(readFile(place.path() + row.log + "Tessaly.log")));
    }
}

} // namespace
} // namespace tessaly::test
