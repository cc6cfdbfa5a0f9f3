#include "support/TemplateLayout.h"

#include "dialogs/Win32Dialog.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaly::test {

namespace {

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

// Where a control sits in its dialog, in pixels of the dialog's client area.
RECT PlaceInDialog(HWND dialog, HWND control) {
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

} // namespace

RECT Units(int x, int y, int width, int height) {
    return RECT{x, y, width, height};
}

std::vector<TemplateItem> TemplateItems(int templateId) {
    std::vector<TemplateItem> items;
    const HMODULE module = ResourceModule();
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    if (found == nullptr)
        return items;
    const auto* header = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found)));
    const WORD* p = reinterpret_cast<const WORD*>(header + 1);
    p = SkipNameOrOrdinal(SkipNameOrOrdinal(SkipNameOrOrdinal(p))); // menu, class, caption
    if (header->style & DS_SETFONT)
        p = SkipNameOrOrdinal(p + 1);
    for (WORD i = 0; i < header->cdit; ++i) {
        // Every item starts on a DWORD boundary.
        const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(
            (reinterpret_cast<UINT_PTR>(p) + 3) & ~static_cast<UINT_PTR>(3));
        items.push_back({item->style, Units(item->x, item->y, item->cx, item->cy)});
        p = SkipNameOrOrdinal(SkipNameOrOrdinal(reinterpret_cast<const WORD*>(item + 1)));
        p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p + 1) + *p);
    }
    return items;
}

void ExpectTemplate(HWND dialog, const ExpectedTemplate& layout) {
    ASSERT_NE(nullptr, dialog);
    char caption[128] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(layout.caption, caption);

    const LONG_PTR style = GetWindowLongPtrA(dialog, GWL_STYLE);
    EXPECT_EQ(WS_POPUP, style & WS_POPUP);
    EXPECT_EQ(WS_CAPTION, style & WS_CAPTION);
    EXPECT_EQ(layout.modalFrame ? DS_MODALFRAME : 0, style & DS_MODALFRAME);
    EXPECT_EQ(layout.systemMenu ? WS_SYSMENU : 0, style & WS_SYSMENU);
    EXPECT_EQ(layout.minimizeBox ? WS_MINIMIZEBOX : 0, style & WS_MINIMIZEBOX);
    EXPECT_EQ(layout.appWindow ? WS_EX_APPWINDOW : 0,
              GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    RECT client;
    GetClientRect(dialog, &client);
    RECT size = Units(0, 0, layout.width, layout.height);
    MapDialogRect(dialog, &size);
    EXPECT_EQ(size.right, client.right);
    EXPECT_EQ(size.bottom, client.bottom);

    LOGFONTA font = {};
    ASSERT_NE(0, GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)),
                            sizeof font, &font));
    EXPECT_STREQ(layout.fontName, font.lfFaceName);
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(-MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72), font.lfHeight);
    ReleaseDC(nullptr, screen);

    const std::vector<TemplateItem> items = TemplateItems(layout.templateId);
    ASSERT_EQ(layout.controls.size(), items.size());
    HWND control = GetWindow(dialog, GW_CHILD);
    for (size_t i = 0; i < layout.controls.size(); ++i, control = GetWindow(control, GW_HWNDNEXT)) {
        const ExpectedControl& c = layout.controls[i];
        SCOPED_TRACE(::testing::Message() << "control " << i << ", id " << c.id);
        ASSERT_NE(nullptr, control);
        EXPECT_EQ(c.id, GetDlgCtrlID(control));
        EXPECT_STRCASEEQ(c.className, ClassOf(control).c_str());
        if (c.text != nullptr) {
            EXPECT_EQ(c.text, WindowText(control));
        }
        EXPECT_EQ(c.style, items[i].style & c.styleMask);
        EXPECT_EQ(c.units.left, items[i].units.left);
        EXPECT_EQ(c.units.top, items[i].units.top);
        EXPECT_EQ(c.units.right, items[i].units.right);
        EXPECT_EQ(c.units.bottom, items[i].units.bottom);
        EXPECT_EQ(c.visible, (GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) != 0);
        EXPECT_EQ(c.enabled, IsWindowEnabled(control) != FALSE);

        // Where Windows put it. Place and size are converted each on their own, as
        // MapDialogRect does.
        RECT expected = c.units;
        MapDialogRect(dialog, &expected);
        const RECT actual = PlaceInDialog(dialog, control);
        EXPECT_EQ(expected.left, actual.left);
        EXPECT_EQ(expected.top, actual.top);
        const std::string kind = ClassOf(control);
        if ((items[i].style & SS_TYPEMASK) == SS_ICON && kind == "Static") {
            // An icon's static takes the size of its icon.
            EXPECT_EQ(GetSystemMetrics(SM_CXICON), actual.right - actual.left);
            EXPECT_EQ(GetSystemMetrics(SM_CYICON), actual.bottom - actual.top);
            continue;
        }
        EXPECT_EQ(expected.right, actual.right - actual.left);
        // A drop-down list's template height is that of its open list; the system sizes the
        // closed box to its font.
        if (kind != "ComboBox") {
            EXPECT_EQ(expected.bottom, actual.bottom - actual.top);
        }
    }
    EXPECT_EQ(nullptr, control) << "more controls than expected";
}

} // namespace tessaly::test
