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

const std::vector<WayOut>& WaysOut() {
    static const std::vector<WayOut> ways = {
        {"OK button", [](HWND d) { ClickButton(d, IDOK); }, IDOK},
        {"Enter", [](HWND d) { PostKey(d, VK_RETURN); }, IDOK},
        {"Esc", [](HWND d) { PostKey(d, VK_ESCAPE); }, IDCANCEL},
        {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
    };
    return ways;
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
