// The binding over real windows, with a probe dialog whose handlers the tests set: every
// control operation, the routing of each message to its handler, modal runs with owners,
// children and message boxes.
#include "dialogs/TestDialogIds.h"
#include "dialogs/Win32Dialog.h"
#include "platform/Win32MessageBoxes.h"
#include "resources/ResourceIds.h"
#include "support/DialogDriver.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

namespace tessaly::test {
namespace {

class Probe : public Dialog {
public:
    explicit Probe(int templateId = IDD_PROBE) : Dialog(templateId) {}

    std::function<bool(int, int)> onCommand;
    std::function<bool(Notification&)> onNotify;
    std::function<bool()> onPaint;
    std::vector<std::pair<int, int>> commands;
    std::vector<Notification> notifications;
    std::vector<unsigned> sysCommands;
    int dragIcon = 0;

    DialogControls& Controls() { return controls(); }

    bool OnCommand(int id, int code) override {
        commands.emplace_back(id, code);
        if (onCommand && onCommand(id, code))
            return true;
        return Dialog::OnCommand(id, code);
    }
    bool OnNotify(Notification& notification) override {
        const bool handled = onNotify && onNotify(notification);
        notifications.push_back(notification);
        return handled;
    }
    // Takes the commands of the entry it would add, passes the standard ones on.
    bool OnSysCommand(unsigned command) override {
        sysCommands.push_back(command);
        return (command & 0xFFF0) == 0x0010;
    }
    bool OnPaint() override { return onPaint && onPaint(); }
    int OnQueryDragIcon() override { return dragIcon; }
};

// A probe created modeless and shown, driven from the test's own thread.
class Binding : public ::testing::Test {
protected:
    Probe probe;
    Win32Dialog binding{probe};
    HWND dialog = nullptr;

    void SetUp() override {
        ASSERT_TRUE(binding.CreateModeless(nullptr));
        dialog = binding.window();
        ShowWindow(dialog, SW_SHOW);
        ASSERT_TRUE(probe.hasWindow());
    }
    HWND item(int id) const { return GetDlgItem(dialog, id); }
    LRESULT send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
    }
};

TEST_F(Binding, TextsOfAnyLength) {
    const std::string longText(1000, 'x');
    for (const std::string& text : {std::string("IMG_"), longText, std::string()}) {
        for (const int id : {IDC_PROBE_EDIT, IDC_PROBE_STATIC, IDC_PROBE_BUTTON}) {
            probe.Controls().setText(id, text);
            EXPECT_EQ(text, ControlText(dialog, id)) << "control " << id;
            EXPECT_EQ(text, probe.Controls().text(id)) << "control " << id;
        }
    }
    EXPECT_EQ("OK", probe.Controls().text(IDOK));
    EXPECT_EQ("", probe.Controls().text(4242));
}

TEST_F(Binding, CheckEnableShow) {
    probe.Controls().setChecked(IDC_PROBE_CHECK, true);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_PROBE_CHECK));
    CheckDlgButton(dialog, IDC_PROBE_CHECK, BST_UNCHECKED);
    EXPECT_FALSE(probe.Controls().isChecked(IDC_PROBE_CHECK));
    CheckDlgButton(dialog, IDC_PROBE_CHECK, BST_CHECKED);
    EXPECT_TRUE(probe.Controls().isChecked(IDC_PROBE_CHECK));

    probe.Controls().enable(IDC_PROBE_BUTTON, false);
    EXPECT_FALSE(IsWindowEnabled(item(IDC_PROBE_BUTTON)));
    probe.Controls().enable(IDC_PROBE_BUTTON, true);
    EXPECT_TRUE(IsWindowEnabled(item(IDC_PROBE_BUTTON)));

    probe.Controls().show(IDC_PROBE_STATIC, false);
    EXPECT_FALSE(IsWindowVisible(item(IDC_PROBE_STATIC)));
    probe.Controls().show(IDC_PROBE_STATIC, true);
    EXPECT_TRUE(IsWindowVisible(item(IDC_PROBE_STATIC)));
}

TEST_F(Binding, ComboItemsAndSelection) {
    DialogControls& controls = probe.Controls();
    EXPECT_EQ(0, controls.itemCount(IDC_PROBE_COMBO));
    EXPECT_EQ(-1, controls.selectedItem(IDC_PROBE_COMBO));
    for (const char* item : {"3", "4", "10"})
        controls.addItem(IDC_PROBE_COMBO, item);
    // Kept in the order added, not sorted.
    EXPECT_EQ(3, controls.itemCount(IDC_PROBE_COMBO));
    EXPECT_EQ("10", controls.itemText(IDC_PROBE_COMBO, 2));
    EXPECT_EQ("", controls.itemText(IDC_PROBE_COMBO, 3));
    controls.selectItem(IDC_PROBE_COMBO, 1);
    EXPECT_EQ(1, send(IDC_PROBE_COMBO, CB_GETCURSEL));
    EXPECT_EQ(1, controls.selectedItem(IDC_PROBE_COMBO));
    EXPECT_EQ("4", controls.text(IDC_PROBE_COMBO));
}

TEST_F(Binding, EditLimitAndFocusWithTheTextSelected) {
    probe.Controls().limitText(IDC_PROBE_EDIT, 9);
    EXPECT_EQ(9, send(IDC_PROBE_EDIT, EM_GETLIMITTEXT));

    probe.Controls().setText(IDC_PROBE_EDIT, "12345");
    SetFocus(item(IDC_PROBE_BUTTON));
    probe.Controls().focusAndSelectAll(IDC_PROBE_EDIT);
    EXPECT_EQ(item(IDC_PROBE_EDIT), GetFocus());
    DWORD start = 99, end = 99;
    send(IDC_PROBE_EDIT, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
         reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(5u, end);
}

TEST_F(Binding, PositionsOfBarAndUpDown) {
    probe.Controls().setPosition(IDC_PROBE_PROGRESS, 40);
    EXPECT_EQ(40, send(IDC_PROBE_PROGRESS, PBM_GETPOS));
    probe.Controls().setPosition(IDC_PROBE_UPDOWN, 4);
    EXPECT_EQ(4, send(IDC_PROBE_UPDOWN, UDM_GETPOS32));
}

TEST_F(Binding, CommandsReachTheHandler) {
    probe.commands.clear();
    ClickButton(dialog, IDC_PROBE_BUTTON);
    // An accelerator's command arrives as a button's.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROBE_BUTTON, 1), 0);
    // Setting an edit's text notifies like typing.
    SendMessageA(item(IDC_PROBE_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
    const std::vector<std::pair<int, int>> expected = {
        {IDC_PROBE_BUTTON, notify::ButtonClicked},
        {IDC_PROBE_BUTTON, notify::ButtonClicked},
        {IDC_PROBE_EDIT, notify::EditUpdate},
        {IDC_PROBE_EDIT, notify::EditChange},
    };
    EXPECT_EQ(expected, probe.commands);
}

TEST_F(Binding, UpDownStepsAreDecidedAndRewrittenByTheHandler) {
    // Clicks on the right half; the handler turns the control's step round and allows it,
    // until the position would pass 5.
    probe.onNotify = [](Notification& n) {
        if (n.code != notify::UpDownDeltaPos)
            return false;
        n.delta = -n.delta;
        n.result = n.position + n.delta > 5 ? 1 : 0;
        return true;
    };
    probe.Controls().setPosition(IDC_PROBE_UPDOWN, 3);
    RECT box;
    GetClientRect(item(IDC_PROBE_UPDOWN), &box);
    const LPARAM rightHalf = MAKELPARAM(box.right * 3 / 4, box.bottom / 2);
    std::vector<int> positions;
    for (int click = 0; click < 3; ++click) {
        PostMessageA(item(IDC_PROBE_UPDOWN), WM_LBUTTONDOWN, MK_LBUTTON, rightHalf);
        PostMessageA(item(IDC_PROBE_UPDOWN), WM_LBUTTONUP, 0, rightHalf);
        PumpWaitingMessages();
        positions.push_back(static_cast<int>(send(IDC_PROBE_UPDOWN, UDM_GETPOS32)));
    }
    EXPECT_EQ((std::vector<int>{4, 5, 5}), positions);
    // Buttons of the common controls 6 tell their dialog when they are drawn as well.
    std::vector<Notification> steps;
    for (const Notification& n : probe.notifications)
        if (n.code == notify::UpDownDeltaPos)
            steps.push_back(n);
    ASSERT_EQ(3u, steps.size());
    EXPECT_EQ(IDC_PROBE_UPDOWN, steps[0].id);
    EXPECT_EQ(3, steps[0].position);
    EXPECT_EQ(1, steps[0].delta);
    EXPECT_EQ(5, steps[2].position);
}

TEST_F(Binding, WindowMenuCommandsAndMinimizing) {
    SendMessageA(dialog, WM_SYSCOMMAND, 0x0013, 0);
    EXPECT_FALSE(IsIconic(dialog));
    // Not taken by the handler: the default processing minimizes.
    SendMessageA(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ((std::vector<unsigned>{0x0013, SC_MINIMIZE}), probe.sysCommands);
    EXPECT_TRUE(probe.Controls().isMinimized());
    ShowWindow(dialog, SW_RESTORE);
    EXPECT_FALSE(probe.Controls().isMinimized());
}

TEST_F(Binding, StringsAndTheWindowMenu) {
    const std::string entry = probe.Controls().loadString(IDS_PROBE_MENU_ENTRY);
    EXPECT_EQ("&About the probe...", entry);
    EXPECT_EQ("", probe.Controls().loadString(IDS_PROBE_EMPTY));

    const HMENU menu = GetSystemMenu(dialog, FALSE);
    ASSERT_NE(nullptr, menu);
    const int before = GetMenuItemCount(menu);
    EXPECT_TRUE(probe.Controls().appendToSystemMenu(entry, 0x0010));
    ASSERT_EQ(before + 2, GetMenuItemCount(menu));
    EXPECT_EQ(MF_SEPARATOR, GetMenuState(menu, before, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(0x0010u, GetMenuItemID(menu, before + 1));
    char text[64] = {};
    GetMenuStringA(menu, before + 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&About the probe...", text);

    // The progress window has no window menu.
    Dialog bare(IDD_PROGRESS);
    Win32Dialog other(bare);
    ASSERT_TRUE(other.CreateModeless(nullptr));
    EXPECT_FALSE(other.appendToSystemMenu(entry, 0x0010));
}

TEST_F(Binding, IconsSetDraggedAndPainted) {
    const HICON icon = LoadIconA(ResourceModule(), MAKEINTRESOURCEA(IDI_PROBE));
    ASSERT_NE(nullptr, icon);
    probe.Controls().setIcon(IDI_PROBE);
    EXPECT_EQ(reinterpret_cast<LRESULT>(icon), SendMessageA(dialog, WM_GETICON, ICON_BIG, 0));

    probe.dragIcon = IDI_PROBE;
    EXPECT_EQ(reinterpret_cast<LRESULT>(icon), SendMessageA(dialog, WM_QUERYDRAGICON, 0, 0));

    // The probe's icon is plain red; painted in the middle of the client area.
    probe.onPaint = [&] {
        probe.Controls().paintIcon(IDI_PROBE);
        return true;
    };
    InvalidateRect(dialog, nullptr, TRUE);
    UpdateWindow(dialog);
    RECT client;
    GetClientRect(dialog, &client);
    const HDC dc = GetDC(dialog);
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, client.right / 2, client.bottom / 2));
    EXPECT_NE(RGB(255, 0, 0), GetPixel(dc, 1, 1));
    ReleaseDC(dialog, dc);
    EXPECT_FALSE(GetUpdateRect(dialog, nullptr, FALSE));
}

TEST_F(Binding, AnExceptionInAHandlerStaysInTheDialog) {
    probe.onCommand = [](int, int) -> bool { throw std::runtime_error("handler failed"); };
    ClickButton(dialog, IDC_PROBE_BUTTON);
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(probe.hasWindow());
}

TEST_F(Binding, TheDialogLosesItsControlsWithItsWindow) {
    DestroyWindow(dialog);
    EXPECT_FALSE(probe.hasWindow());
    EXPECT_EQ(nullptr, binding.window());
}

// Counts the windows this thread creates while it lives, and those of them created without the
// common controls of version 6 in effect: without the window class redirection that the
// activation context of a manifest asking for them brings. Wine's controls report no version
// of their own.
class CreationContexts {
public:
    CreationContexts() : hook_(SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId())) {
        current_ = this;
    }
    ~CreationContexts() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    CreationContexts(const CreationContexts&) = delete;
    CreationContexts& operator=(const CreationContexts&) = delete;

    int created = 0;
    int withoutVersion6 = 0;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND && current_ != nullptr) {
            ++current_->created;
            ACTCTX_SECTION_KEYED_DATA found = {};
            found.cbSize = sizeof found;
            if (!FindActCtxSectionStringW(0, nullptr,
                                          ACTIVATION_CONTEXT_SECTION_WINDOW_CLASS_REDIRECTION,
                                          L"msctls_progress32", &found))
                ++current_->withoutVersion6;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline CreationContexts* current_ = nullptr;
    HHOOK hook_;
};

TEST(BindingModal, EndsWithTheResultOfEachWayOut) {
    const HWND owner = CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_VISIBLE, 10, 10, 100,
                                       100, nullptr, nullptr, nullptr, nullptr);
    for (const WayOut& way : WaysOut()) {
        SCOPED_TRACE(way.way);
        HWND seenOwner = nullptr;
        DialogScript script([&] {
            const HWND dialog = WaitForDialog("Binding probe");
            if (dialog == nullptr)
                return;
            seenOwner = GetWindow(dialog, GW_OWNER);
            way.act(dialog);
        });
        Probe probe;
        Win32Dialog binding(probe);
        EXPECT_EQ(way.result, binding.RunModal(owner));
        script.Join();
        EXPECT_EQ(owner, seenOwner);
        EXPECT_FALSE(probe.hasWindow());
    }
    DestroyWindow(owner);
}

// The button asks a question, then runs a child dialog, and ends with both answers.
TEST(BindingModal, MessageBoxesAndChildrenAreOwnedByTheDialogAndMadeInItsContext) {
    Probe probe;
    Probe child(IDD_PROBE_CHILD);
    probe.onCommand = [&](int id, int) {
        if (id != IDC_PROBE_BUTTON)
            return false;
        const int answer =
            probe.Controls().messageBox("Go on?", "Probe question", MB_YESNO | MB_ICONQUESTION);
        const int childResult = probe.Controls().runChild(child);
        probe.Controls().endDialog(answer * 10 + childResult);
        return true;
    };
    HWND dialog = nullptr, questionOwner = nullptr, childOwner = nullptr;
    DialogScript script([&] {
        dialog = WaitForDialog("Binding probe");
        if (dialog == nullptr)
            return;
        PostClick(dialog, IDC_PROBE_BUTTON);
        const HWND question = WaitForDialog("Probe question");
        if (question == nullptr)
            return;
        questionOwner = GetWindow(question, GW_OWNER);
        ClickButton(question, IDYES);
        const HWND childDialog = WaitForDialog("Binding probe child");
        if (childDialog == nullptr)
            return;
        childOwner = GetWindow(childDialog, GW_OWNER);
        ClickButton(childDialog, IDCANCEL);
    });
    Win32Dialog binding(probe);
    CreationContexts contexts;
    EXPECT_EQ(IDYES * 10 + IDCANCEL, binding.RunModal(nullptr));
    script.Join();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(dialog, questionOwner);
    EXPECT_EQ(dialog, childOwner);
    // Whatever the host's activation context, with the common controls of Tessaly's manifest.
    EXPECT_GT(contexts.created, 2);
    EXPECT_EQ(0, contexts.withoutVersion6);
}

// Whatever context the host process runs in, every window of a dialog or a message box of
// Tessaly's is made with the common controls its own manifest asks for (modal runs above).
TEST(BindingModal, EveryWindowIsMadeWithTheCommonControlsOfTheManifest) {
    {
        CreationContexts plain; // the count tells windows made outside any such context
        DestroyWindow(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                      nullptr, nullptr));
        ASSERT_GT(plain.created, 0);
        ASSERT_EQ(plain.created, plain.withoutVersion6);
    }
    const struct {
        const char* what;
        std::function<void()> show;
    } cases[] = {
        {"a modeless dialog and its message box",
         [] {
             Probe probe;
             Win32Dialog binding(probe);
             ASSERT_TRUE(binding.CreateModeless(nullptr));
             DialogScript script([] { AnswerMessageBox("Probe notice", IDOK); });
             probe.Controls().messageBox("Noted.", "Probe notice", MB_OK);
         }},
        {"a message box of no dialog",
         [] {
             DialogScript script([] { AnswerMessageBox("Probe notice", IDOK); });
             Win32MessageBoxes().show(MessageOwner::None, "Noted.", "Probe notice", MB_OK);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CreationContexts contexts;
        c.show();
        EXPECT_GT(contexts.created, 2);
        EXPECT_EQ(0, contexts.withoutVersion6);
    }
}

} // namespace
} // namespace tessaly::test
