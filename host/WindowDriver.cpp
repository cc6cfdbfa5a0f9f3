#include "host/WindowDriver.h"

#include "platform/WideText.h"

namespace tessaly::host {

namespace {
const DWORD kPollMs = 10;
} // namespace

HWND WaitForDialog(const std::string& caption, DWORD timeoutMs) {
    return WaitForDialogWithControl(caption, 0, timeoutMs);
}

HWND WaitForDialogWithControl(const std::string& caption, int controlId, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    const std::wstring wideCaption = wideFromUtf8(caption);
    for (;;) {
        // A modal dialog is shown once its initialisation is over.
        for (HWND dialog = nullptr; (dialog = FindWindowExW(nullptr, dialog, L"#32770",
                                                            wideCaption.c_str())) != nullptr;) {
            if (IsWindowVisible(dialog) && (controlId == 0 || GetDlgItem(dialog, controlId)))
                return dialog;
        }
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
        Sleep(kPollMs);
    }
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(kPollMs);
    }
    return true;
}

std::string WindowText(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(copied));
    return utf8FromWide(text);
}

std::string ControlText(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr)
        return "<no control " + std::to_string(id) + ">";
    return WindowText(control);
}

void ClickButton(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PostClick(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PostKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void ClickControl(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    RECT box;
    GetClientRect(control, &box);
    const LPARAM centre = MAKELPARAM(box.right / 2, box.bottom / 2);
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageA(control, WM_LBUTTONUP, 0, centre);
}

void PostArrowClick(HWND dialog, int id, bool rightHalf) {
    const HWND control = GetDlgItem(dialog, id);
    RECT box;
    GetClientRect(control, &box);
    const int x = rightHalf ? box.right * 3 / 4 : box.right / 4;
    const LPARAM point = MAKELPARAM(x, box.bottom / 2);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(control, WM_LBUTTONUP, 0, point);
}

std::string WaitForControlText(HWND dialog, int id, const std::string& expected, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        const std::string text = ControlText(dialog, id);
        if (text == expected || GetTickCount() - start > timeoutMs)
            return text;
        Sleep(kPollMs);
    }
}

void TypeText(HWND dialog, int id, const std::string& text) {
    const std::wstring wide = wideFromUtf8(text);
    SendDlgItemMessageW(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void ChooseItem(HWND dialog, int id, int index) {
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::vector<std::string> ComboItems(HWND dialog, int id) {
    std::vector<std::string> items;
    const LRESULT count = SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, i, 0);
        std::string item(static_cast<size_t>(length) + 1, '\0');
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&item[0]));
        item.resize(static_cast<size_t>(length));
        items.push_back(item);
    }
    return items;
}

int ComboSelection(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

HWND FocusedWindow(HWND dialog) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

std::pair<DWORD, DWORD> EditSelection(HWND dialog, int id) {
    DWORD start = 0, end = 0;
    SendDlgItemMessageA(dialog, id, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

namespace {

BOOL CALLBACK CollectChild(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleStatics(HWND box) {
    std::vector<HWND> children;
    EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&children));
    std::vector<HWND> statics;
    for (const HWND child : children) {
        char name[16] = {};
        if (IsWindowVisible(child) && GetClassNameA(child, name, sizeof name) > 0 &&
            lstrcmpiA(name, "Static") == 0)
            statics.push_back(child);
    }
    return statics;
}

} // namespace

// Found by kind rather than by id: the ids of a message box's parts are the system's own.
std::string MessageBoxText(HWND box) {
    for (const HWND child : VisibleStatics(box)) {
        if ((GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            continue;
        const std::string text = WindowText(child);
        if (!text.empty())
            return text;
    }
    return std::string();
}

HICON MessageBoxIcon(HWND box) {
    for (const HWND child : VisibleStatics(box)) {
        if ((GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    }
    return nullptr;
}

AnsweredBox AnswerMessageBox(const std::string& caption, int button, DWORD timeoutMs) {
    AnsweredBox answered;
    const HWND box = WaitForDialog(caption, timeoutMs);
    if (box == nullptr)
        return answered;
    answered = {true, MessageBoxText(box), MessageBoxIcon(box)};
    PostClick(box, button);
    WaitUntilGone(box);
    return answered;
}

} // namespace tessaly::host
