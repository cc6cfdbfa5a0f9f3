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
    bool PumpMessages() override { return PumpWaitingMessages(); }
    void Close() override { dialog_.Close(); }

private:
    // The binding is declared last so that it goes first, while the dialog still exists.
    CProgressDlg dialog_;
    Win32Dialog binding_{dialog_};
};

} // namespace

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
