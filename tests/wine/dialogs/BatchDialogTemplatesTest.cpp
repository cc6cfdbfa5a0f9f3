// Templates 134 and 135 as Windows builds them: the dialog's frame, font and size, and every
// control's id, class, text, visibility, style and place in dialog units.
#include "dialogs/Dialog.h"
#include "dialogs/Win32Dialog.h"
#include "resources/ResourceIds.h"
#include "support/TemplateLayout.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

const DWORD kButtonType = BS_TYPEMASK;
const DWORD kStaticType = SS_TYPEMASK | WS_BORDER;

const ExpectedTemplate kProgress = {
    IDD_PROGRESS,
    "Vexmoor Software Tessaly 3.1",
    "MS Sans Serif",
    272,
    64,
    false,
    {
        {IDC_OK, "Button", "OK", Units(110, 25, 50, 14), kButtonType, BS_DEFPUSHBUTTON, false},
        {IDC_CANCEL, "Button", "Cancel", Units(220, 35, 50, 14), kButtonType, BS_PUSHBUTTON, false},
        {IDC_DONE_LABEL, "Static", "Files renamed/resized:", Units(5, 5, 72, 8), kStaticType,
         SS_LEFT},
        {IDC_DONE_COUNT, "Static", "", Units(81, 5, 35, 10), kStaticType, SS_LEFT},
        {IDC_NOT_DONE_LABEL, "Static", "Files not renamed/resized:", Units(138, 5, 85, 8),
         kStaticType, SS_LEFT},
        {IDC_NOT_DONE_COUNT, "Static", "", Units(230, 5, 35, 10), kStaticType, SS_LEFT},
        // The control draws its border its own way once created: the template says it.
        {IDC_PROGRESS_BAR, "msctls_progress32", "", Units(5, 20, 260, 20), WS_BORDER, WS_BORDER},
        {IDC_STOP, "Button", "&Stop", Units(215, 45, 50, 14), kButtonType, BS_PUSHBUTTON},
    }};

const ExpectedTemplate kResult = {
    IDD_RESULT,
    "Vexmoor Software Tessaly 3.1",
    "MS Sans Serif",
    300,
    76,
    true,
    {
        {IDC_OK, "Button", "OK", Units(124, 55, 50, 14), kButtonType, BS_DEFPUSHBUTTON},
        {IDC_UNDO, "Button", "&Undo", Units(178, 55, 50, 14), kButtonType, BS_PUSHBUTTON},
        {IDC_CANCEL, "Button", "Cancel", Units(250, 0, 50, 14), kButtonType, BS_PUSHBUTTON, false},
        {IDC_DONE_LABEL, "Static", "Files renamed/resized:", Units(5, 5, 75, 8), kStaticType,
         SS_LEFT},
        {IDC_DONE_COUNT, "Static", "", Units(101, 5, 35, 10), kStaticType, SS_LEFT},
        {IDC_NOT_DONE_LABEL, "Static", "Files not renamed/resized:", Units(5, 20, 85, 8),
         kStaticType, SS_LEFT},
        {IDC_NOT_DONE_COUNT, "Static", "", Units(101, 20, 35, 10), kStaticType, SS_LEFT},
        {kNoId, "Static", "Log file:", Units(5, 35, 26, 8), kStaticType, SS_LEFT},
        {IDC_LOG_FILE, "Static", "", Units(35, 35, 260, 10), kStaticType, SS_LEFT},
    }};

// Bare dialogs on the templates: what the templates make, before any handler writes.
TEST(BatchDialogTemplates, ProgressWindow) {
    Dialog bare(IDD_PROGRESS);
    Win32Dialog window(bare);
    ASSERT_TRUE(window.CreateModeless(nullptr));
    // Not visible until shown.
    EXPECT_FALSE(IsWindowVisible(window.window()));
    ExpectTemplate(window.window(), kProgress);
    EXPECT_EQ(100, SendDlgItemMessageA(window.window(), IDC_PROGRESS_BAR, PBM_GETRANGE, FALSE, 0));
    EXPECT_EQ(0, SendDlgItemMessageA(window.window(), IDC_PROGRESS_BAR, PBM_GETRANGE, TRUE, 0));
}

TEST(BatchDialogTemplates, ResultDialog) {
    Dialog bare(IDD_RESULT);
    Win32Dialog window(bare);
    ASSERT_TRUE(window.CreateModeless(nullptr));
    ExpectTemplate(window.window(), kResult);
}

TEST(BatchDialogTemplates, AreInTheModule) {
    const HMODULE module = LoadLibraryA("Tessaly.dll");
    ASSERT_NE(nullptr, module);
    EXPECT_NE(nullptr, FindResourceA(module, MAKEINTRESOURCEA(IDD_PROGRESS), RT_DIALOG));
    EXPECT_NE(nullptr, FindResourceA(module, MAKEINTRESOURCEA(IDD_RESULT), RT_DIALOG));
    FreeLibrary(module);
}

} // namespace
} // namespace tessaly::test
