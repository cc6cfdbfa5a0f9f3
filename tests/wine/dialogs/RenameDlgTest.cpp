// The main dialog on its real template, driven from a second thread as a user would: the
// example as the user types, real clicks on the removal adjuster and the question they can
// lead to, the About dialog both ways, Enter that must not close it, and a taken name on disk.
#include "dialogs/RenameDlg.h"
#include "dialogs/Win32Dialog.h"
#include "naming/BatchJob.h"
#include "platform/Win32FileSystem.h"
#include "resources/ResourceIds.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsStore.h"
#include "support/DialogDriver.h"
#include "support/FakeImageResizer.h"
#include "support/RecordingPageOpener.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempFolder.h"
#include "support/TemplateLayout.h"
#include "support/TestRegistry.h"
#include "viewpage/ViewPageWriter.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace tessaly::test {
namespace {

const char* const kCaption = "Vexmoor Software Tessaly 3.1";
const char* const kQuestion =
    "All of the common file prefix characters have been removed.  If you continue, the entire "
    "file prefix will be removed from all selected files during the rename operation.  The "
    "renumber option will be automatically set if you choose to continue.  Would you like to "
    "continue?";

const DWORD kButton = BS_TYPEMASK | WS_TABSTOP | WS_GROUP;
const DWORD kLabel = SS_TYPEMASK | SS_NOPREFIX | WS_BORDER | WS_GROUP;
const DWORD kUpDown = UDS_HORZ | UDS_ARROWKEYS | UDS_ALIGNRIGHT | UDS_ALIGNLEFT | UDS_AUTOBUDDY |
                      UDS_SETBUDDYINT | UDS_WRAP | WS_TABSTOP;

ExpectedControl Label(int id, const char* text, RECT units, DWORD extra = 0) {
    return {id, "Static", text, units, kLabel, SS_LEFT | WS_GROUP | extra};
}
ExpectedControl Name(int id, RECT units) {
    return Label(id, "", units, SS_NOPREFIX);
}
ExpectedControl Check(int id, const char* text, RECT units) {
    return {id, "Button", text, units, kButton, BS_AUTOCHECKBOX | WS_TABSTOP};
}
ExpectedControl Push(int id, const char* text, RECT units, bool visible = true) {
    return {id, "Button", text, units, kButton, BS_PUSHBUTTON | WS_TABSTOP, visible};
}

const ExpectedTemplate kRename = {
    IDD_RENAME,
    kCaption,
    "MS Sans Serif",
    347,
    206,
    true,
    {
        {IDC_NEW_PREFIX, "Edit", "", Units(71, 66, 172, 12),
         ES_AUTOHSCROLL | ES_NUMBER | WS_BORDER | WS_TABSTOP | WS_GROUP,
         ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
        Check(IDC_RENAME, "Rename", Units(7, 27, 43, 10)),
        Label(kNoId, "Number of selected files:", Units(7, 7, 78, 8)),
        Label(IDC_FILE_COUNT, "", Units(90, 7, 29, 8)),
        Label(kNoId, "Adjust removed prefix:", Units(8, 47, 70, 8)),
        {IDC_REMOVAL_ADJUSTER, "msctls_updown32", "", Units(91, 47, 16, 10), kUpDown,
         UDS_HORZ | UDS_ARROWKEYS | UDS_ALIGNRIGHT},
        {IDC_REMOVED_COUNT, "Static", "0", Units(245, 27, 20, 15), kLabel, SS_LEFT | WS_GROUP,
         false},
        Name(IDC_REMOVED_PREFIX, Units(117, 48, 130, 8)),
        Label(kNoId, "Type new prefix:", Units(8, 66, 53, 8)),
        Check(IDC_RENUMBER, "Renumber", Units(7, 89, 49, 10)),
        Push(IDC_RENUMBER_SETTINGS, "Settings", Units(70, 88, 35, 14)),
        Check(IDC_RESIZE, "Resize", Units(7, 114, 37, 10)),
        Push(IDC_RESIZE_SETTINGS, "Settings", Units(70, 112, 35, 14)),
        Label(IDC_RESIZE_SIZE, "", Units(125, 114, 51, 9)),
        Name(IDC_RESIZE_PREFIX_TEXT, Units(185, 114, 155, 9)),
        {kNoId, "Button", "Example:", Units(7, 136, 335, 63), kButton, BS_GROUPBOX},
        Label(kNoId, "Original Name:", Units(18, 151, 47, 8)),
        Name(IDC_ORIGINAL_NAME, Units(68, 151, 265, 8)),
        Label(IDC_NEW_NAME_LABEL, "New Name:", Units(18, 167, 38, 8)),
        Name(IDC_NEW_NAME, Units(68, 167, 265, 8)),
        Label(IDC_RESIZE_NAME_LABEL, "Resize Name:", Units(18, 183, 45, 8)),
        Name(IDC_RESIZE_NAME, Units(68, 183, 265, 8)),
        // None of the push buttons is a default one.
        Push(IDC_RENAME_FILES, "Rename Files", Units(275, 7, 65, 14)),
        Push(IDC_PREVIEW, "Pre&view\u2026", Units(206, 7, 65, 14)),
        Push(IDC_CANCEL, "Cancel", Units(275, 28, 65, 14)),
        Push(IDC_ABOUT, "About", Units(275, 49, 65, 15)),
        Push(IDC_VIEW_SELECTED, "View Selected", Units(320, 87, 20, 20), false),
    },
    false,
    true,
    true};

TEST(RenameDialogWindow, Template) {
    Dialog bare(IDD_RENAME);
    Win32Dialog window(bare);
    ASSERT_TRUE(window.CreateModeless(nullptr));
    ExpectTemplate(window.window(), kRename);
}

// The dialog as the verb sets it up, over the real registry, disk and binding. Both settings
// keys are gone before and after.
struct MainDialog {
    SettingsKeysRemoved keys;
    RegistryStore registry;
    SettingsStore store{registry};
    Win32FileSystem disk;
    RecordingPageOpener opener;
    ScriptedMessageBoxes messages;
    ViewPageWriter viewPage{disk, opener, messages};
    std::vector<FileEntry> files;
    BatchJob job;
    CRenameDlg dialog{{store, disk, viewPage, nullptr}};

    explicit MainDialog(std::vector<FileEntry> selection)
        : files(std::move(selection)), job(files, std::make_unique<FakeImageResizer>()) {
        dialog.TakeInputsFrom(job);
    }
    INT_PTR Run() {
        Win32Dialog binding(dialog);
        return binding.RunModal(nullptr);
    }
};

const std::vector<FileEntry> kPhotos = {
    {"C:\\Photos\\IMG_0001.JPG"}, {"C:\\Photos\\IMG_0002.JPG"}, {"C:\\Photos\\IMG_0013.JPG"}};

// Typing goes into the new-prefix edit, which has the focus from the start; Enter there is the
// OK command, which leaves the dialog open. The About button posted after it finds the dialog
// still there.
TEST(RenameDialogWindow, TypingUpdatesTheExampleAndEnterLeavesTheDialogOpen) {
    MainDialog main(kPhotos);
    bool editFocused = false, openAfterEnter = false, aboutOwned = false;
    std::string opened, typed, resized;
    DialogScript script([&] {
        const HWND dialog = WaitForDialog(kCaption);
        if (dialog == nullptr)
            return;
        editFocused = FocusedWindow(dialog) == GetDlgItem(dialog, IDC_NEW_PREFIX);
        opened = ControlText(dialog, IDC_NEW_NAME);
        TypeText(dialog, IDC_NEW_PREFIX, "Rome_");
        typed = ControlText(dialog, IDC_NEW_NAME);
        resized = ControlText(dialog, IDC_RESIZE_NAME);
        PostKey(GetDlgItem(dialog, IDC_NEW_PREFIX), VK_RETURN);
        PostClick(dialog, IDC_ABOUT);
        const HWND about = WaitForDialog("About Tessaly 3.1");
        if (about == nullptr)
            return;
        openAfterEnter = IsWindowVisible(dialog) != FALSE;
        aboutOwned = GetWindow(about, GW_OWNER) == dialog;
        ClickButton(about, IDOK);
        WaitUntilGone(about);
        PostKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(IDCANCEL, main.Run());
    script.Join();
    EXPECT_TRUE(editFocused);
    EXPECT_EQ("0001.JPG", opened);
    EXPECT_EQ("Rome_0001.JPG", typed);
    EXPECT_EQ("sml.Rome_0001.JPG", resized);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_TRUE(aboutOwned);
}

// Real clicks on the adjuster's halves: right removes one character more, until the question;
// No keeps the adjuster where it was, Yes removes the entire prefix.
TEST(RenameDialogWindow, AdjusterClicksAndTheEntirePrefixQuestion) {
    MainDialog main(kPhotos);
    std::vector<std::string> counts;
    std::vector<LRESULT> positions;
    std::string question, display, newName;
    bool renumberChecked = false, renumberEnabled = true, stray = false;
    DialogScript script([&] {
        const HWND dialog = WaitForDialog(kCaption);
        if (dialog == nullptr)
            return;
        const auto seen = [&](const std::string& count) {
            counts.push_back(WaitForControlText(dialog, IDC_REMOVED_COUNT, count));
            positions.push_back(
                SendDlgItemMessageA(dialog, IDC_REMOVAL_ADJUSTER, UDM_GETPOS32, 0, 0));
        };
        seen("4");
        PostArrowClick(dialog, IDC_REMOVAL_ADJUSTER, true);
        seen("5");
        PostArrowClick(dialog, IDC_REMOVAL_ADJUSTER, true);
        seen("6");
        for (const int answer : {IDNO, IDYES}) {
            PostArrowClick(dialog, IDC_REMOVAL_ADJUSTER, true);
            const HWND box = WaitForDialog("Notice");
            if (box == nullptr)
                return;
            question = MessageBoxText(box);
            ClickButton(box, answer);
            WaitUntilGone(box);
            seen(answer == IDNO ? "6" : "8");
            // Past the control's auto-repeat delay: the click was one step, however long the
            // question stood.
            Sleep(700);
            stray = stray || FindWindowA("#32770", "Notice") != nullptr;
        }
        display = ControlText(dialog, IDC_REMOVED_PREFIX);
        newName = ControlText(dialog, IDC_NEW_NAME);
        renumberChecked = IsDlgButtonChecked(dialog, IDC_RENUMBER) == BST_CHECKED;
        renumberEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_RENUMBER)) != FALSE;
        PostArrowClick(dialog, IDC_REMOVAL_ADJUSTER, false);
        seen("6");
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(IDCANCEL, main.Run());
    script.Join();
    EXPECT_EQ((std::vector<std::string>{"4", "5", "6", "6", "8", "6"}), counts);
    EXPECT_EQ((std::vector<LRESULT>{4, 5, 6, 6, 7, 6}), positions);
    EXPECT_EQ(kQuestion, question);
    EXPECT_FALSE(stray);
    EXPECT_EQ("<Entire prefix removed>", display);
    EXPECT_EQ("1.JPG", newName);
    EXPECT_TRUE(renumberChecked);
    EXPECT_FALSE(renumberEnabled);
}

TEST(RenameDialogWindow, WindowMenuEntryOpensAbout) {
    MainDialog main(kPhotos);
    std::string entry;
    UINT entryId = 0;
    bool aboutSeen = false, minimized = false;
    DialogScript script([&] {
        const HWND dialog = WaitForDialog(kCaption);
        if (dialog == nullptr)
            return;
        const HMENU menu = GetSystemMenu(dialog, FALSE);
        const int last = GetMenuItemCount(menu) - 1;
        char text[64] = {};
        GetMenuStringA(menu, last, text, sizeof text, MF_BYPOSITION);
        entry = text;
        entryId = GetMenuItemID(menu, last);
        PostMessageA(dialog, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        const HWND about = WaitForDialog("About Tessaly 3.1");
        if (about == nullptr)
            return;
        aboutSeen = true;
        ClickButton(about, IDOK);
        WaitUntilGone(about);
        // Other window-menu commands keep their default handling.
        SendMessageA(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        minimized = IsIconic(dialog) != FALSE;
        ClickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, main.Run());
    script.Join();
    EXPECT_EQ("&About Tessaly...", entry);
    EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), entryId);
    EXPECT_TRUE(aboutSeen);
    EXPECT_TRUE(minimized);
}

// Real files: the second new name is taken, so "Rename Files" keeps the dialog open with the
// taken path; another prefix lets it close. The dialog itself never touches a file, and it
// saves the resize settings, but not the digit count.
TEST(RenameDialogWindow, ATakenNameOnDiskKeepsTheDialogOpen) {
    TempFolder folder;
    const std::vector<FileEntry> photos = {{folder.write("IMG_0001.JPG")},
                                           {folder.write("IMG_0002.JPG")},
                                           {folder.write("IMG_0013.JPG")}};
    const std::string taken = folder.write("Rome_0002.JPG");
    MainDialog main(photos);
    ASSERT_TRUE(createKey(HKEY_LOCAL_MACHINE, kMachineSettingsKey));
    AnsweredBox notice;
    bool openAfter = false;
    DialogScript script([&] {
        const HWND dialog = WaitForDialog(kCaption);
        if (dialog == nullptr)
            return;
        TypeText(dialog, IDC_NEW_PREFIX, "Rome_");
        PostClick(dialog, IDC_RENAME_FILES);
        notice = AnswerMessageBox("Tessaly Notice", IDOK);
        if (!notice.shown)
            return;
        openAfter = IsWindowVisible(dialog) != FALSE;
        TypeText(dialog, IDC_NEW_PREFIX, "Trip_");
        ClickButton(dialog, IDC_RENAME_FILES);
    });
    EXPECT_EQ(IDOK, main.Run());
    script.Join();
    EXPECT_EQ("One or more of the destination file names is already in use.  The first "
              "conflicting file name is \"" +
                  taken +
                  "\".  Please modify your selected rename options or choose a different set "
                  "of files.",
              notice.text);
    EXPECT_EQ(LoadIconA(nullptr, IDI_EXCLAMATION), notice.icon);
    EXPECT_TRUE(openAfter);
    EXPECT_EQ("Trip_", main.job.newPrefix());
    for (const FileEntry& photo : photos)
        EXPECT_TRUE(fileExists(photo.path)) << photo.path;
    const std::optional<RawValue> prefix =
        valueOf(HKEY_LOCAL_MACHINE, kMachineSettingsKey, "ResizePrefix");
    ASSERT_TRUE(prefix);
    EXPECT_EQ(std::string("sml.\0", 5), prefix->bytes);
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, kUserSettingsKey));
}

} // namespace
} // namespace tessaly::test
