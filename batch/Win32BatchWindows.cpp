#include "batch/Win32BatchWindows.h"

#include "dialogs/ProgressDlg.h"
#include "dialogs/ResultDlg.h"
#include "dialogs/Win32Dialog.h"

namespace tessaly {

namespace {

class Win32ProgressWindow final : public ProgressWindow {
public:
    explicit Win32ProgressWindow(HWND owner) {
        if (binding_.CreateModeless(owner))
            ShowWindow(binding_.window(), SW_SHOW);
    }
    ~Win32ProgressWindow() override { dialog_.Close(); }
    Win32ProgressWindow(const Win32ProgressWindow&) = delete;
    Win32ProgressWindow& operator=(const Win32ProgressWindow&) = delete;

    void SetCounterLabels(bool rename, bool resize) override {
        dialog_.SetCounterLabels(rename, resize);
    }
    void SetDoneText(const std::string& text) override { dialog_.SetDoneText(text); }
    void SetNotDoneText(const std::string& text) override { dialog_.SetNotDoneText(text); }
    void SetPercent(int position) override { dialog_.SetPercent(position); }
    bool StopRequested() const override { return dialog_.stopRequested(); }
    bool PumpMessages() override { return PumpWaitingMessages(); }
    void Close() override { dialog_.Close(); }

private:
    // The binding is declared last so that it goes first, while the dialog still exists.
    CProgressDlg dialog_;
    Win32Dialog binding_{dialog_};
};

} // namespace

Win32BatchWindows::Win32BatchWindows(HWND invokingWindow)
    : invokingWindow_(invokingWindow), woken_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

std::unique_ptr<ProgressWindow> Win32BatchWindows::OpenProgress() {
    return std::make_unique<Win32ProgressWindow>(
        invokingWindow_ != nullptr ? invokingWindow_ : GetForegroundWindow());
}

void Win32BatchWindows::Wait(int milliseconds) {
    const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    for (ULONGLONG now = GetTickCount64(); now < until; now = GetTickCount64()) {
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(until - now), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
        if (!PumpWaitingMessages())
            return;
    }
}

void Win32BatchWindows::WaitUntil(const std::function<bool()>& ready) {
    // The windows are served while the workers work: the progress window paints and answers,
    // and Stop can be pressed, whatever a picture costs.
    bool quitting = false;
    while (!ready()) {
        if (!woken_) {
            Sleep(10); // no event to wait on: look again soon
            continue;
        }
        HANDLE event = woken_.get();
        if (quitting) {
            // A quit message waits in the queue for the thread's own loop: only the workers now.
            WaitForSingleObject(event, INFINITE);
            continue;
        }
        MsgWaitForMultipleObjectsEx(1, &event, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        quitting = !PumpWaitingMessages();
    }
}

void Win32BatchWindows::Wake() {
    if (woken_)
        SetEvent(woken_.get());
}

bool Win32BatchWindows::ShowResult(const ResultReport& report) {
    CResultDlg dialog;
    dialog.notDoneText = report.notDoneText;
    dialog.doneText = report.doneText;
    dialog.logFileText = report.logFileText;
    dialog.canUndo = report.canUndo;
    dialog.SetCounterLabels(report.rename, report.resize);
    Win32Dialog binding(dialog);
    binding.RunModal(invokingWindow_);
    return dialog.undoChosen;
}

} // namespace tessaly
