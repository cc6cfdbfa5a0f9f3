#include "dialogs/ResultDlg.h"

#include "dialogs/CounterLabels.h"
#include "resources/ResourceIds.h"

namespace tessaly {

CResultDlg::CResultDlg() : Dialog(IDD_RESULT) {}

void CResultDlg::SetCounterLabels(bool rename, bool resize) {
    if (const auto labels = CounterLabelsFor(rename, resize)) {
        doneLabelText = labels->done;
        notDoneLabelText = labels->notDone;
    }
}

bool CResultDlg::OnInitDialog() {
    controls().setText(IDC_NOT_DONE_COUNT, notDoneText);
    controls().setText(IDC_DONE_COUNT, doneText);
    controls().setText(IDC_LOG_FILE, logFileText);
    controls().setText(IDC_DONE_LABEL, doneLabelText);
    controls().setText(IDC_NOT_DONE_LABEL, notDoneLabelText);
    controls().enable(IDC_UNDO, canUndo);
    return true;
}

bool CResultDlg::OnCommand(int id, int code) {
    if (id != IDC_UNDO || code != notify::ButtonClicked)
        return Dialog::OnCommand(id, code);
    undoChosen = true;
    controls().endDialog(IDC_UNDO);
    return true;
}

} // namespace tessaly
