#include "dialogs/ProgressDlg.h"

#include "dialogs/CounterLabels.h"
#include "resources/ResourceIds.h"

#include <algorithm>

namespace tessaly {

CProgressDlg::CProgressDlg() : Dialog(IDD_PROGRESS) {}

CProgressDlg::~CProgressDlg() {
    Close();
}

bool CProgressDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    controls().centreOverOwner();
    return true;
}

bool CProgressDlg::OnCommand(int id, int code) {
    if (id != IDC_STOP)
        return Dialog::OnCommand(id, code);
    // Once asked, the batch stops after the file in hand; the button has done its part.
    stopRequested_ = true;
    controls().enable(IDC_STOP, false);
    return true;
}

// Esc takes the window away at once; the batch goes on and its later updates find no window.
// (Enter keeps the default: the window is hidden but still takes the updates.)
void CProgressDlg::OnCancel() {
    Close();
}

void CProgressDlg::SetCounterLabels(bool rename, bool resize) {
    const auto labels = CounterLabelsFor(rename, resize);
    if (!labels || !hasWindow())
        return;
    controls().setText(IDC_DONE_LABEL, labels->done);
    controls().setText(IDC_NOT_DONE_LABEL, labels->notDone);
}

void CProgressDlg::SetDoneText(const std::string& text) {
    if (hasWindow())
        controls().setText(IDC_DONE_COUNT, text);
}

void CProgressDlg::SetNotDoneText(const std::string& text) {
    if (hasWindow())
        controls().setText(IDC_NOT_DONE_COUNT, text);
}

void CProgressDlg::SetPercent(int position) {
    if (hasWindow())
        controls().setPosition(IDC_PROGRESS_BAR, std::clamp(position, 0, 100));
}

void CProgressDlg::Close() {
    // There is no main window of this module to enable again: the window alone goes.
    if (hasWindow())
        controls().destroyWindow();
}

} // namespace tessaly
