#pragma once
// Driving dialogs from a second thread while the test's own thread runs them modally, with the
// host's window driver (find, read, press, type, choose) and a guard for scripts that lose
// their way.

#include "host/WindowDriver.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace tessaly::test {

using namespace tessaly::host;

// Runs a script on a second thread from construction to Join (or destruction). Dialogs of the
// test's thread still open a while after the script ended are cancelled and reported as a
// failure, so that a script that lost its way cannot leave the test waiting for ever.
class DialogScript {
public:
    explicit DialogScript(std::function<void()> script);
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    // Waits for the script; the test may then look at what it saw.
    void Join();

private:
    void Run(std::function<void()> script);

    DWORD testThread_;
    std::atomic<bool> released_{false};
    std::thread thread_;
};

// The ways a user ends a dialog without changing it (OK, Enter, Esc, the close box), each with
// the result the dialog must end with.
struct WayOut {
    const char* way;
    std::function<void(HWND)> act;
    INT_PTR result;
};
const std::vector<WayOut>& WaysOut();

} // namespace tessaly::test
