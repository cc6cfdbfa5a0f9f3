#pragma once
// The modeless window that shows a batch's progress: the done and not-done counts, a bar and
// Stop, which asks the batch to finish the file in hand and leave the rest. The user may hide it
// with Enter or destroy it with Esc; neither stops the batch, and updates to a destroyed window
// are dropped.

#include "dialogs/Dialog.h"

#include <string>

namespace tessaly {

class CProgressDlg final : public Dialog {
public:
    CProgressDlg();
    ~CProgressDlg() override;

    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    void OnCancel() override;

    // Whether the user pressed Stop.
    bool stopRequested() const { return stopRequested_; }

    void SetCounterLabels(bool rename, bool resize);
    void SetDoneText(const std::string& text);
    void SetNotDoneText(const std::string& text);
    // The bar's position, clamped to 0..100.
    void SetPercent(int position);
    // Destroys the window if it still exists.
    void Close();

private:
    bool stopRequested_ = false;
};

} // namespace tessaly
