#pragma once

#include "batch/BatchWindows.h"

namespace tessaly {

// The batch's windows as real dialogs: CProgressDlg created modeless from its template,
// CResultDlg run modally.
class Win32BatchWindows final : public BatchWindows {
public:
    std::unique_ptr<ProgressWindow> OpenProgress() override;
    void ShowResult(const ResultReport& report) override;
};

} // namespace tessaly
