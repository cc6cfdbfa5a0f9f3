#pragma once

#include "batch/BatchWindows.h"
#include "platform/UniqueHandle.h"

#include <windows.h>

namespace tessaly {

// The batch's windows as real dialogs: CProgressDlg created modeless from its template,
// CResultDlg run modally. Both are owned by the window the user invoked the command in, when
// the shell named one; otherwise the progress window by the foreground window and the result
// dialog by none.
class Win32BatchWindows final : public BatchWindows {
public:
    explicit Win32BatchWindows(HWND invokingWindow = nullptr);

    std::unique_ptr<ProgressWindow> OpenProgress() override;
    void Wait(int milliseconds) override;
    void WaitUntil(const std::function<bool()>& ready) override;
    void Wake() override;
    bool ShowResult(const ResultReport& report) override;

private:
    HWND invokingWindow_;
    UniqueHandle woken_; // an auto-reset event, set by Wake
};

} // namespace tessaly
