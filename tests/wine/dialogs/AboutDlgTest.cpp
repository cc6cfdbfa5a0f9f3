// The About dialog on its template, the icon and the window-menu entry it is opened by, and
// the ways it ends.
#include "dialogs/AboutDlg.h"
#include "dialogs/Win32Dialog.h"
#include "resources/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/TemplateLayout.h"

#include <gtest/gtest.h>

#include <set>

namespace tessaly::test {
namespace {

const ExpectedTemplate kAbout = {
    IDD_ABOUTBOX,
    "About Tessaly 3.1",
    "MS Sans Serif",
    235,
    55,
    true,
    {
        {kNoId, "Static", nullptr, Units(11, 17, 21, 20), SS_TYPEMASK, SS_ICON},
        {kNoId, "Static", "Tessaly Version 3.1.11", Units(40, 10, 119, 8), SS_TYPEMASK | WS_BORDER,
         SS_LEFT},
        {IDC_OK, "Button", "OK", Units(178, 7, 50, 14), BS_TYPEMASK | WS_TABSTOP,
         BS_DEFPUSHBUTTON | WS_TABSTOP},
    }};

TEST(AboutDialog, Template) {
    CAboutDlg about;
    Win32Dialog window(about);
    ASSERT_TRUE(window.CreateModeless(nullptr));
    ExpectTemplate(window.window(), kAbout);
    // The application's icon, shared with the main dialog.
    const HWND icon = GetWindow(window.window(), GW_CHILD);
    EXPECT_EQ(reinterpret_cast<LRESULT>(LoadIconA(ResourceModule(), MAKEINTRESOURCEA(IDI_TESSALY))),
              SendMessageA(icon, STM_GETICON, 0, 0));
}

TEST(AboutDialog, OkEscAndTheCloseBoxEndIt) {
    for (const WayOut& way : WaysOut()) {
        SCOPED_TRACE(way.way);
        bool seen = false;
        DialogScript script([&] {
            const HWND dialog = WaitForDialog("About Tessaly 3.1");
            if (dialog == nullptr)
                return;
            seen = true;
            way.act(dialog);
        });
        CAboutDlg about;
        Win32Dialog binding(about);
        EXPECT_EQ(way.result, binding.RunModal(nullptr));
        script.Join();
        EXPECT_TRUE(seen);
    }
}

// The sizes of the images in an icon group of the module.
std::set<int> IconSizes(HMODULE module, int iconId) {
    std::set<int> sizes;
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(iconId), RT_GROUP_ICON);
    if (found == nullptr)
        return sizes;
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    // Each entry: width, height, colours, reserved, planes, bits, size, id: 14 bytes.
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = group + 6 + 14 * i;
        EXPECT_EQ(entry[0], entry[1]);
        sizes.insert(entry[0] == 0 ? 256 : entry[0]);
    }
    return sizes;
}

TEST(AboutDialog, TheModuleHoldsTheTemplatesTheIconAndTheMenuEntry) {
    const HMODULE module = LoadLibraryA("Tessaly.dll");
    ASSERT_NE(nullptr, module);
    for (const int id : {IDD_ABOUTBOX, IDD_RENUMBER_SETTINGS, IDD_RESIZE_SETTINGS, IDD_RENAME})
        EXPECT_NE(nullptr, FindResourceA(module, MAKEINTRESOURCEA(id), RT_DIALOG)) << id;
    EXPECT_EQ((std::set<int>{16, 32}), IconSizes(module, IDI_TESSALY));
    char entry[64] = {};
    EXPECT_EQ(17, LoadStringA(module, IDS_ABOUTBOX, entry, sizeof entry));
    EXPECT_STREQ("&About Tessaly...", entry);
    FreeLibrary(module);
}

} // namespace
} // namespace tessaly::test
