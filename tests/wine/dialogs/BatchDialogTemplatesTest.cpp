// Templates 134 and 135 as Windows builds them: the dialog's frame, font and size, and every
// control's id, class, text, visibility, style and place in dialog units.
#include "dialogs/Dialog.h"
#include "dialogs/Win32Dialog.h"
#include "resources/ResourceIds.h"
#include "support/DialogDriver.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

namespace tessaly::test {
namespace {

struct ExpectedControl {
    int id;
    const char* className;
    const char* text;
    RECT units; // x, y, width, height in dialog units
    bool visible;
    DWORD typeMask; // the style bits that make the kind of control
    DWORD type;
};

struct ExpectedTemplate {
    int width;
    int height;
    bool systemMenu;
    std::vector<ExpectedControl> controls;
};

RECT Units(int x, int y, int width, int height) {
    return RECT{x, y, width, height};
}

const DWORD kButtonType = BS_TYPEMASK;
const DWORD kStaticType = SS_TYPEMASK;
const int kLogFileLabel = 0xFFFF; // a static without an id of its own

const ExpectedTemplate kProgress = {
    272,
    50,
    false,
    {
        {IDC_OK, "Button", "OK", Units(110, 25, 50, 14), false, kButtonType, BS_DEFPUSHBUTTON},
        {IDC_CANCEL, "Button", "Cancel", Units(220, 35, 50, 14), false, kButtonType, BS_PUSHBUTTON},
        {IDC_DONE_LABEL, "Static", "Files renamed/resized:", Units(5, 5, 72, 8), true, kStaticType,
         SS_LEFT},
        {IDC_DONE_COUNT, "Static", "", Units(81, 5, 35, 10), true, kStaticType, SS_LEFT},
        {IDC_NOT_DONE_LABEL, "Static", "Files not renamed/resized:", Units(138, 5, 85, 8), true,
         kStaticType, SS_LEFT},
        {IDC_NOT_DONE_COUNT, "Static", "", Units(230, 5, 35, 10), true, kStaticType, SS_LEFT},
        // Its border: see ProgressBarIsBordered.
        {IDC_PROGRESS_BAR, "msctls_progress32", "", Units(5, 20, 260, 20), true, 0, 0},
    }};

const ExpectedTemplate kResult = {
    300,
    76,
    true,
    {
        {IDC_OK, "Button", "OK", Units(124, 55, 50, 14), true, kButtonType, BS_DEFPUSHBUTTON},
        {IDC_CANCEL, "Button", "Cancel", Units(250, 0, 50, 14), false, kButtonType, BS_PUSHBUTTON},
        {IDC_DONE_LABEL, "Static", "Files renamed/resized:", Units(5, 5, 75, 8), true, kStaticType,
         SS_LEFT},
        {IDC_DONE_COUNT, "Static", "", Units(101, 5, 35, 10), true, kStaticType, SS_LEFT},
        {IDC_NOT_DONE_LABEL, "Static", "Files not renamed/resized:", Units(5, 20, 85, 8), true,
         kStaticType, SS_LEFT},
        {IDC_NOT_DONE_COUNT, "Static", "", Units(101, 20, 35, 10), true, kStaticType, SS_LEFT},
        {kLogFileLabel, "Static", "Log file:", Units(5, 35, 26, 8), true, kStaticType, SS_LEFT},
        {IDC_LOG_FILE, "Static", "", Units(35, 35, 260, 10), true, kStaticType, SS_LEFT},
    }};

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Skips a name or ordinal of a dialog template.
const WORD* SkipNameOrOrdinal(const WORD* p) {
    if (*p == 0xFFFF)
        return p + 2;
    while (*p++ != 0) {
    }
    return p;
}

// The style a template gives a control, read from the template itself; 0 when it has no such
// control.
DWORD TemplateStyle(int templateId, int controlId) {
    const HMODULE module = ResourceModule();
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    if (found == nullptr)
        return 0;
    const auto* header = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found)));
    const WORD* p = reinterpret_cast<const WORD*>(header + 1);
    p = SkipNameOrOrdinal(SkipNameOrOrdinal(SkipNameOrOrdinal(p))); // menu, class, caption
    if (header->style & DS_SETFONT)
        p = SkipNameOrOrdinal(p + 1);
    for (WORD i = 0; i < header->cdit; ++i) {
        // Every item starts on a DWORD boundary.
        const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(
            (reinterpret_cast<UINT_PTR>(p) + 3) & ~static_cast<UINT_PTR>(3));
        if (item->id == controlId)
            return item->style;
        p = SkipNameOrOrdinal(SkipNameOrOrdinal(reinterpret_cast<const WORD*>(item + 1)));
        p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p + 1) + *p);
    }
    return 0;
}

int ChildCount(HWND dialog) {
    int count = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

void ExpectTemplate(HWND dialog, const ExpectedTemplate& layout) {
    ASSERT_NE(nullptr, dialog);
    char caption[64] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ("Vexmoor Software Tessaly 3.1", caption);

    const LONG_PTR style = GetWindowLongPtrA(dialog, GWL_STYLE);
    EXPECT_EQ(WS_POPUP, style & WS_POPUP);
    EXPECT_EQ(WS_CAPTION, style & WS_CAPTION);
    EXPECT_EQ(DS_MODALFRAME, style & DS_MODALFRAME);
    EXPECT_EQ(layout.systemMenu ? WS_SYSMENU : 0, style & WS_SYSMENU);

    RECT client;
    GetClientRect(dialog, &client);
    RECT size = Units(0, 0, layout.width, layout.height);
    MapDialogRect(dialog, &size);
    EXPECT_EQ(size.right, client.right);
    EXPECT_EQ(size.bottom, client.bottom);

    LOGFONTA font = {};
    ASSERT_NE(0, GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)),
                            sizeof font, &font));
    EXPECT_STREQ("MS Sans Serif", font.lfFaceName);
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(-MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72), font.lfHeight);
    ReleaseDC(nullptr, screen);

    EXPECT_EQ(static_cast<int>(layout.controls.size()), ChildCount(dialog));

    for (const ExpectedControl& c : layout.controls) {
        SCOPED_TRACE(::testing::Message() << "control " << c.id);
        const HWND control = GetDlgItem(dialog, c.id);
        ASSERT_NE(nullptr, control);
        EXPECT_STRCASEEQ(c.className, ClassOf(control).c_str());
        EXPECT_EQ(c.text, ControlText(dialog, c.id));
        const LONG_PTR controlStyle = GetWindowLongPtrA(control, GWL_STYLE);
        EXPECT_EQ(c.visible ? WS_VISIBLE : 0, controlStyle & WS_VISIBLE);
        EXPECT_EQ(c.type, controlStyle & c.typeMask);

        // Windows converts place and size each on its own, as MapDialogRect does.
        RECT expected = c.units;
        MapDialogRect(dialog, &expected);
        RECT actual;
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(expected.left, actual.left);
        EXPECT_EQ(expected.top, actual.top);
        EXPECT_EQ(expected.right, actual.right - actual.left);
        EXPECT_EQ(expected.bottom, actual.bottom - actual.top);
    }
}

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

// The progress control draws its border its own way once created, so the template says it.
TEST(BatchDialogTemplates, ProgressBarIsBordered) {
    EXPECT_EQ(static_cast<DWORD>(WS_BORDER),
              TemplateStyle(IDD_PROGRESS, IDC_PROGRESS_BAR) & WS_BORDER);
    EXPECT_EQ(0u, TemplateStyle(IDD_PROGRESS, IDC_DONE_COUNT) & WS_BORDER);
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
