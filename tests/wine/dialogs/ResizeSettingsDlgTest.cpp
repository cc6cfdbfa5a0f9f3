// The resize settings dialog on its real template, driven from a second thread: the stored
// choice, the custom fields taking the focus, the refusals, and runs again by its owner.
#include "dialogs/ResizeSettingsDlg.h"
#include "dialogs/TestDialogIds.h"
#include "dialogs/Win32Dialog.h"
#include "resources/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/TemplateLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly::test {
namespace {

const char* const kCaption = "Tessaly 3.1 Resize Settings";

const DWORD kButton = BS_TYPEMASK | WS_TABSTOP | WS_GROUP;
const DWORD kLabel = SS_TYPEMASK | WS_BORDER | WS_GROUP;
const DWORD kEdit = ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP;

ExpectedControl Label(const char* text, RECT units) {
    return {kNoId, "Static", text, units, kLabel, SS_LEFT | WS_GROUP};
}

ExpectedControl Size(int id, const char* text, RECT units) {
    return {id, "Button", text, units, kButton, BS_AUTORADIOBUTTON};
}

const ExpectedTemplate kResize = {
    IDD_RESIZE_SETTINGS,
    kCaption,
    "MS Shell Dlg",
    226,
    135,
    true,
    {
        {IDC_OK, "Button", "OK", Units(169, 7, 50, 14), kButton, BS_DEFPUSHBUTTON | WS_TABSTOP},
        {IDC_CANCEL, "Button", "Cancel", Units(169, 24, 50, 14), kButton,
         BS_PUSHBUTTON | WS_TABSTOP},
        Label("Size:", Units(7, 7, 20, 8)),
        Label("Width", Units(71, 7, 20, 8)),
        Label("Height", Units(117, 7, 20, 8)),
        Label("Thumbnail", Units(14, 23, 33, 8)),
        Label("Small", Units(14, 36, 33, 8)),
        Label("Medium", Units(14, 49, 33, 8)),
        Label("VGA", Units(14, 62, 33, 8)),
        Label("Large", Units(14, 75, 33, 8)),
        Label("Custom", Units(14, 88, 33, 8)),
        // The group of all twelve size buttons starts here and runs through the custom fields.
        {IDC_WIDTH_THUMBNAIL, "Button", "160", Units(66, 23, 31, 8), kButton,
         BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
        Size(IDC_HEIGHT_THUMBNAIL, "120", Units(115, 23, 31, 8)),
        Size(IDC_WIDTH_SMALL, "320", Units(66, 36, 31, 8)),
        Size(IDC_HEIGHT_SMALL, "240", Units(115, 36, 31, 8)),
        Size(IDC_WIDTH_MEDIUM, "500", Units(66, 49, 31, 8)),
        Size(IDC_HEIGHT_MEDIUM, "375", Units(115, 49, 31, 8)),
        Size(IDC_WIDTH_VGA, "640", Units(66, 62, 31, 8)),
        Size(IDC_HEIGHT_VGA, "480", Units(115, 62, 31, 8)),
        Size(IDC_WIDTH_LARGE, "700", Units(66, 75, 31, 8)),
        Size(IDC_HEIGHT_LARGE, "525", Units(115, 75, 31, 8)),
        Size(IDC_CUSTOM_WIDTH, "", Units(66, 88, 8, 8)),
        {IDC_CUSTOM_WIDTH_FIELD, "Edit", "", Units(77, 86, 28, 12), kEdit,
         ES_NUMBER | WS_BORDER | WS_TABSTOP},
        Size(IDC_CUSTOM_HEIGHT, "", Units(115, 88, 8, 8)),
        {IDC_CUSTOM_HEIGHT_FIELD, "Edit", "", Units(127, 86, 28, 12), kEdit,
         ES_NUMBER | WS_BORDER | WS_TABSTOP},
        Label("Resize file prefix:", Units(7, 112, 56, 8)),
        {IDC_RESIZE_PREFIX, "Edit", "", Units(67, 110, 72, 14), kEdit,
         ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
    }};

const int kSizeButtons[] = {1040, 1029, 1041, 1030, 1042, 1031, 1043, 1032, 1044, 1033, 1047, 1046};

std::vector<int> CheckedSizes(HWND dialog) {
    std::vector<int> checked;
    for (const int id : kSizeButtons)
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
            checked.push_back(id);
    return checked;
}

TEST(ResizeSettingsDialog, Template) {
    Dialog bare(IDD_RESIZE_SETTINGS);
    Win32Dialog window(bare);
    ASSERT_TRUE(window.CreateModeless(nullptr));
    ExpectTemplate(window.window(), kResize);
}

// A stored custom height of 0: OK is refused until a size is chosen.
TEST(ResizeSettingsDialog, OpensWithTheStoredChoiceAndRefusesASizeOfZero) {
    CResizeSettingsDlg resize;
    resize.values = {"sml.", 1046, 300, 0};
    std::vector<int> opened, after;
    std::string width, height, prefix;
    AnsweredBox notice;
    bool openAfter = false;
    DialogScript script([&] {
        const HWND dialog = WaitForDialog(kCaption);
        if (dialog == nullptr)
            return;
        opened = CheckedSizes(dialog);
        width = ControlText(dialog, IDC_CUSTOM_WIDTH_FIELD);
        height = ControlText(dialog, IDC_CUSTOM_HEIGHT_FIELD);
        prefix = ControlText(dialog, IDC_RESIZE_PREFIX);
        PostClick(dialog, IDOK);
        notice = AnswerMessageBox("Notice", IDOK);
        if (!notice.shown)
            return;
        openAfter = IsWindowVisible(dialog) != FALSE;
        ClickControl(dialog, IDC_HEIGHT_THUMBNAIL);
        after = CheckedSizes(dialog);
        ClickButton(dialog, IDOK);
    });
    Win32Dialog binding(resize);
    EXPECT_EQ(IDOK, binding.RunModal(nullptr));
    script.Join();
    EXPECT_EQ((std::vector<int>{1046}), opened);
    EXPECT_EQ("300", width);
    EXPECT_EQ("0", height);
    EXPECT_EQ("sml.", prefix);
    EXPECT_EQ("The selected width or height must not be zero", notice.text);
    EXPECT_EQ(nullptr, notice.icon);
    EXPECT_TRUE(openAfter);
    EXPECT_EQ((std::vector<int>{1029}), after);
    EXPECT_EQ(1029, resize.values.selectedSizeId);
    EXPECT_EQ(0, resize.SelectedWidth());
    EXPECT_EQ(120, resize.SelectedHeight());
}

TEST(ResizeSettingsDialog, CustomButtonsTakeTheFocusIntoTheirFieldWithTheTextSelected) {
    CResizeSettingsDlg resize;
    resize.values = {"sml.", 1044, 300, 4567};
    std::vector<int> widthChosen, heightChosen;
    bool widthFocused = false, heightFocused = false;
    std::pair<DWORD, DWORD> widthSelection, heightSelection;
    DialogScript script([&] {
        const HWND dialog = WaitForDialog(kCaption);
        if (dialog == nullptr)
            return;
        ClickControl(dialog, IDC_CUSTOM_WIDTH);
        widthChosen = CheckedSizes(dialog);
        widthFocused = FocusedWindow(dialog) == GetDlgItem(dialog, IDC_CUSTOM_WIDTH_FIELD);
        widthSelection = EditSelection(dialog, IDC_CUSTOM_WIDTH_FIELD);
        ClickControl(dialog, IDC_CUSTOM_HEIGHT);
        heightChosen = CheckedSizes(dialog);
        heightFocused = FocusedWindow(dialog) == GetDlgItem(dialog, IDC_CUSTOM_HEIGHT_FIELD);
        heightSelection = EditSelection(dialog, IDC_CUSTOM_HEIGHT_FIELD);
        PostKey(dialog, VK_ESCAPE);
    });
    Win32Dialog binding(resize);
    EXPECT_EQ(IDCANCEL, binding.RunModal(nullptr));
    script.Join();
    // One group across the fields: each click leaves its own button alone on.
    EXPECT_EQ((std::vector<int>{1047}), widthChosen);
    EXPECT_TRUE(widthFocused);
    EXPECT_EQ((std::pair<DWORD, DWORD>{0, 3}), widthSelection);
    EXPECT_EQ((std::vector<int>{1046}), heightChosen);
    EXPECT_TRUE(heightFocused);
    EXPECT_EQ((std::pair<DWORD, DWORD>{0, 4}), heightSelection);
    // Cancel keeps the earlier choice.
    EXPECT_EQ(1044, resize.values.selectedSizeId);
    EXPECT_EQ(700, resize.SelectedWidth());
}

TEST(ResizeSettingsDialog, APrefixWithAForbiddenCharacterIsRefused) {
    CResizeSettingsDlg resize;
    resize.values = {"sml.", 1044, 0, 0};
    AnsweredBox problem;
    bool openAfter = false;
    DialogScript script([&] {
        const HWND dialog = WaitForDialog(kCaption);
        if (dialog == nullptr)
            return;
        TypeText(dialog, IDC_RESIZE_PREFIX, "a/b");
        PostClick(dialog, IDOK);
        problem = AnswerMessageBox("Resize file prefix problem", IDOK);
        if (!problem.shown)
            return;
        openAfter = IsWindowVisible(dialog) != FALSE;
        TypeText(dialog, IDC_RESIZE_PREFIX, "a+b");
        PostKey(dialog, VK_RETURN);
    });
    Win32Dialog binding(resize);
    EXPECT_EQ(IDOK, binding.RunModal(nullptr));
    script.Join();
    EXPECT_EQ("The prefix may not contain any of the following characters: /*\\:?<>/",
              problem.text);
    EXPECT_EQ(nullptr, problem.icon);
    EXPECT_TRUE(openAfter);
    EXPECT_EQ("a+b", resize.values.resizePrefix);
}

// The main dialog keeps one resize settings dialog and runs it as its child again and again.
class Owner : public Dialog {
public:
    explicit Owner(Dialog& child) : Dialog(IDD_PROBE), child_(child) {}
    std::vector<int> results;

    bool OnCommand(int id, int code) override {
        if (id != IDC_PROBE_BUTTON)
            return Dialog::OnCommand(id, code);
        results.push_back(controls().runChild(child_));
        return true;
    }

private:
    Dialog& child_;
};

TEST(ResizeSettingsDialog, RunsAgainAsTheOwnersChildFromWhatTheLastRunLeft) {
    CResizeSettingsDlg resize;
    resize.values = {"sml.", 1044, 0, 0};
    Owner owner(resize);
    HWND ownerWindow = nullptr, firstOwner = nullptr, secondOwner = nullptr;
    std::vector<int> secondOpened;
    std::string secondWidth, secondPrefix;
    DialogScript script([&] {
        ownerWindow = WaitForDialog("Binding probe");
        if (ownerWindow == nullptr)
            return;
        PostClick(ownerWindow, IDC_PROBE_BUTTON);
        HWND dialog = WaitForDialog(kCaption);
        if (dialog == nullptr)
            return;
        firstOwner = GetWindow(dialog, GW_OWNER);
        ClickControl(dialog, IDC_CUSTOM_WIDTH);
        TypeText(dialog, IDC_CUSTOM_WIDTH_FIELD, "333");
        TypeText(dialog, IDC_RESIZE_PREFIX, "web_");
        ClickButton(dialog, IDOK);
        WaitUntilGone(dialog);

        PostClick(ownerWindow, IDC_PROBE_BUTTON);
        dialog = WaitForDialog(kCaption);
        if (dialog == nullptr)
            return;
        secondOwner = GetWindow(dialog, GW_OWNER);
        secondOpened = CheckedSizes(dialog);
        secondWidth = ControlText(dialog, IDC_CUSTOM_WIDTH_FIELD);
        secondPrefix = ControlText(dialog, IDC_RESIZE_PREFIX);
        ClickControl(dialog, IDC_HEIGHT_VGA);
        ClickButton(dialog, IDCANCEL);
        WaitUntilGone(dialog);
        ClickButton(ownerWindow, IDCANCEL);
    });
    Win32Dialog binding(owner);
    EXPECT_EQ(IDCANCEL, binding.RunModal(nullptr));
    script.Join();
    EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL}), owner.results);
    ASSERT_NE(nullptr, ownerWindow);
    EXPECT_EQ(ownerWindow, firstOwner);
    EXPECT_EQ(ownerWindow, secondOwner);
    EXPECT_EQ((std::vector<int>{1047}), secondOpened);
    EXPECT_EQ("333", secondWidth);
    EXPECT_EQ("web_", secondPrefix);
    EXPECT_EQ(1047, resize.values.selectedSizeId);
    EXPECT_EQ(333, resize.SelectedWidth());
    EXPECT_FALSE(resize.hasWindow());
}

} // namespace
} // namespace tessaly::test
