#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly::test {

namespace {

const DWORD kPollMs = 10;
// How long the test's thread may keep a dialog open after the script is done with it.
const DWORD kGraceMs = 10000;

BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
    char name[16] = {};
    if (IsWindowVisible(window) && GetClassNameA(window, name, sizeof name) > 0 &&
        lstrcmpA(name, "#32770") == 0)
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> DialogsOfThread(DWORD thread) {
    std::vector<HWND> found;
    EnumThreadWindows(thread, CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

HWND WaitForDialog(const std::string& caption, DWORD timeoutMs) {
    return WaitForDialogWithControl(caption, 0, timeoutMs);
}

HWND WaitForDialogWithControl(const std::string& caption, int controlId, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        // A modal dialog is shown once its initialisation is over.
        for (HWND dialog = nullptr;
             (dialog = FindWindowExA(nullptr, dialog, "#32770", caption.c_str())) != nullptr;) {
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

std::string ControlText(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr)
        return "<no control " + std::to_string(id) + ">";
    const LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(copied));
    return text;
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

DialogScript::DialogScript(std::function<void()> script)
    : testThread_(GetCurrentThreadId()), thread_([this, script] { Run(script); }) {}

DialogScript::~DialogScript() {
    Join();
}

void DialogScript::Join() {
    released_ = true;
    if (thread_.joinable())
        thread_.join();
}

void DialogScript::Run(std::function<void()> script) {
    script();
    DWORD since = GetTickCount();
    while (!released_) {
        if (GetTickCount() - since > kGraceMs) {
            for (const HWND dialog : DialogsOfThread(testThread_)) {
                char caption[256] = {};
                GetWindowTextA(dialog, caption, sizeof caption);
                ADD_FAILURE() << "dialog \"" << caption << "\" left open; cancelling it";
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            }
            since = GetTickCount();
        }
        Sleep(kPollMs);
    }
}

} // namespace tessaly::test
