// The renumber settings dialog on its real template, driven from a second thread as a user
// would: what it opens with, the range as the user types, and what OK refuses.
#include "dialogs/RenumberSettingsDlg.h"
#include "dialogs/Win32Dialog.h"
#include "resources/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/TemplateLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly::test {
namespace {

const char* const kCaption = "Tessaly 3.1 Renumber Settings";

const DWORD kButton = BS_TYPEMASK | WS_TABSTOP | WS_GROUP;
const DWORD kLabel = SS_TYPEMASK | WS_BORDER | WS_GROUP;
const DWORD kEdit = ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP;

const ExpectedTemplate kRenumber = {
    IDD_RENUMBER_SETTINGS,
    kCaption,
    "MS Sans Serif",
    207,
    123,
    true,
    {
        {IDC_OK, "Button", "OK", Units(150, 10, 50, 14), kButton, BS_DEFPUSHBUTTON | WS_TABSTOP},
        {IDC_CANCEL, "Button", "Cancel", Units(150, 27, 50, 14), kButton,
         BS_PUSHBUTTON | WS_TABSTOP},
        {kNoId, "Static", "Digits:", Units(10, 12, 20, 8), kLabel, SS_LEFT | WS_GROUP},
        {IDC_DIGITS, "ComboBox", "", Units(40, 10, 25, 100),
         CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP,
         CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
        {kNoId, "Static", "Starting Number:", Units(10, 34, 54, 8), kLabel, SS_LEFT | WS_GROUP},
        {IDC_START_NUMBER, "Edit", "", Units(70, 32, 60, 12), kEdit,
         ES_NUMBER | WS_BORDER | WS_TABSTOP},
        {kNoId, "Static", "Order:", Units(10, 67, 20, 8), kLabel, SS_LEFT | WS_GROUP},
        {IDC_ORDER_ALPHANUMERIC, "Button", "Alphanumeric (case insensitive)",
         Units(40, 53, 160, 10), kButton, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
        {IDC_ORDER_FILE_TIME, "Button", "File modification time", Units(40, 67, 81, 10), kButton,
         BS_AUTORADIOBUTTON},
        {IDC_ORDER_IMAGE_TIME, "Button", "Image creation time (file time if unavailable)",
         Units(40, 81, 150, 10), kButton, BS_AUTORADIOBUTTON},
        // Its group start ends the radio group.
        {kNoId, "Static", "Range:", Units(10, 99, 24, 8), kLabel, SS_LEFT | WS_GROUP},
        {IDC_RANGE, "Static", "", Units(40, 99, 145, 8), kLabel, SS_LEFT | WS_GROUP},
    }};

TEST(RenumberSettingsDialog, Template) {
    Dialog bare(IDD_RENUMBER_SETTINGS);
    Win32Dialog window(bare);
    ASSERT_TRUE(window.CreateModeless(nullptr));
    ExpectTemplate(window.window(), kRenumber);
}

std::vector<int> CheckedOrders(HWND dialog) {
    std::vector<int> checked;
    for (const int id : {IDC_ORDER_ALPHANUMERIC, IDC_ORDER_FILE_TIME, IDC_ORDER_IMAGE_TIME})
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
            checked.push_back(id);
    return checked;
}

TEST(RenumberSettingsDialog, OpensWithItsChoicesAndTheRangeFollowsTheUser) {
    CRenumberSettingsDlg renumber;
    renumber.fileCount = 25;
    renumber.digits = 3;
    renumber.startNumber = 1;
    renumber.order = RenumberOrder::ByModificationTime;
    std::vector<std::string> items;
    int selected = -1;
    std::string start, opened, typed, chosen, emptied, keyed;
    LRESULT limit = 0;
    std::vector<int> orders;
    DialogScript script([&] {
        const HWND dialog = WaitForDialog(kCaption);
        if (dialog == nullptr)
            return;
        items = ComboItems(dialog, IDC_DIGITS);
        selected = ComboSelection(dialog, IDC_DIGITS);
        start = ControlText(dialog, IDC_START_NUMBER);
        limit = SendDlgItemMessageA(dialog, IDC_START_NUMBER, EM_GETLIMITTEXT, 0, 0);
        opened = ControlText(dialog, IDC_RANGE);
        orders = CheckedOrders(dialog);

        TypeText(dialog, IDC_START_NUMBER, "90");
        typed = ControlText(dialog, IDC_RANGE);
        ChooseItem(dialog, IDC_DIGITS, 0); // "2"
        chosen = ControlText(dialog, IDC_RANGE);
        TypeText(dialog, IDC_START_NUMBER, "");
        emptied = ControlText(dialog, IDC_RANGE);
        // Keys: letters are not taken, and no more than nine digits.
        const HWND edit = GetDlgItem(dialog, IDC_START_NUMBER);
        for (const char key : std::string("12a34567890"))
            SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(key), 1);
        keyed = ControlText(dialog, IDC_START_NUMBER) + " " + ControlText(dialog, IDC_RANGE);
        ClickButton(dialog, IDCANCEL);
    });
    Win32Dialog binding(renumber);
    EXPECT_EQ(IDCANCEL, binding.RunModal(nullptr));
    script.Join();

    EXPECT_EQ((std::vector<std::string>{"2", "3", "4", "5", "6", "7", "8", "9"}), items);
    EXPECT_EQ(1, selected);
    EXPECT_EQ("1", start);
    EXPECT_EQ(9, limit);
    EXPECT_EQ("001-025", opened);
    EXPECT_EQ((std::vector<int>{IDC_ORDER_FILE_TIME}), orders);
    EXPECT_EQ("090-114", typed);
    EXPECT_EQ("90-114", chosen);
    EXPECT_EQ("00-24", emptied);
    EXPECT_EQ("123456789 123456789-123456813", keyed);
    // Cancel takes nothing.
    EXPECT_EQ(3, renumber.digits);
    EXPECT_EQ(1u, renumber.startNumber);
    EXPECT_EQ(RenumberOrder::ByModificationTime, renumber.order);
}

TEST(RenumberSettingsDialog, TooFewDigitsShowTheNoticeAndTheDialogStaysOpen) {
    CRenumberSettingsDlg renumber;
    renumber.fileCount = 9;
    renumber.digits = 1;
    renumber.startNumber = 2;
    AnsweredBox notice;
    bool openAfter = false;
    DialogScript script([&] {
        const HWND dialog = WaitForDialog(kCaption);
        if (dialog == nullptr)
            return;
        ClickControl(dialog, IDC_ORDER_IMAGE_TIME);
        PostClick(dialog, IDOK);
        notice = AnswerMessageBox("Notice", IDOK);
        if (!notice.shown)
            return;
        openAfter = IsWindowVisible(dialog) != FALSE;
        TypeText(dialog, IDC_START_NUMBER, "0");
        ClickButton(dialog, IDOK);
    });
    Win32Dialog binding(renumber);
    EXPECT_EQ(IDOK, binding.RunModal(nullptr));
    script.Join();
    EXPECT_EQ("The number of digits is too small.  Increase the number of digits or lower the "
              "start number.",
              notice.text);
    EXPECT_EQ(LoadIconA(nullptr, IDI_EXCLAMATION), notice.icon);
    EXPECT_TRUE(openAfter);
    EXPECT_EQ(1, renumber.digits);
    EXPECT_EQ(0u, renumber.startNumber);
    EXPECT_EQ(RenumberOrder::ByPictureDate, renumber.order);
}

TEST(RenumberSettingsDialog, AStartWithoutANumberIsSelectedForCorrection) {
    CRenumberSettingsDlg renumber;
    renumber.fileCount = 7;
    renumber.digits = 2;
    renumber.startNumber = 1;
    AnsweredBox box;
    bool focused = false;
    std::pair<DWORD, DWORD> selection;
    DialogScript script([&] {
        const HWND dialog = WaitForDialog(kCaption);
        if (dialog == nullptr)
            return;
        // Not from the keyboard, which takes digits only; a message puts anything there.
        TypeText(dialog, IDC_START_NUMBER, "12a");
        PostClick(dialog, IDOK);
        box = AnswerMessageBox("Tessaly", IDOK);
        if (!box.shown)
            return;
        // The dialog's thread sets focus and selection once the box has returned there.
        for (const DWORD end = GetTickCount() + 5000;; Sleep(10)) {
            focused = FocusedWindow(dialog) == GetDlgItem(dialog, IDC_START_NUMBER);
            selection = EditSelection(dialog, IDC_START_NUMBER);
            const bool settled = focused && selection == std::pair<DWORD, DWORD>{0, 3};
            if (settled || static_cast<LONG>(end - GetTickCount()) <= 0)
                break;
        }
        TypeText(dialog, IDC_START_NUMBER, "5");
        PostKey(dialog, VK_RETURN);
    });
    Win32Dialog binding(renumber);
    EXPECT_EQ(IDOK, binding.RunModal(nullptr));
    script.Join();
    EXPECT_EQ("Please enter a positive integer.", box.text);
    EXPECT_EQ(LoadIconA(nullptr, IDI_EXCLAMATION), box.icon);
    EXPECT_TRUE(focused);
    EXPECT_EQ((std::pair<DWORD, DWORD>{0, 3}), selection);
    EXPECT_EQ(5u, renumber.startNumber);
}

} // namespace
} // namespace tessaly::test
