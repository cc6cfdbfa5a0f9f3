#pragma once
// The modal summary at the end of a batch: the final counts and the path of the log file, and
// the button that undoes the batch.

#include "dialogs/Dialog.h"

#include <string>

namespace tessaly {

class CResultDlg final : public Dialog {
public:
    CResultDlg();

    std::string notDoneText;
    std::string doneText;
    std::string logFileText;
    // Empty unless SetCounterLabels finds a wording; shown as they are.
    std::string doneLabelText;
    std::string notDoneLabelText;
    // Whether there is anything to undo: the button is disabled otherwise.
    bool canUndo = false;
    // Set when the dialog was ended with the Undo button.
    bool undoChosen = false;

    void SetCounterLabels(bool rename, bool resize);

    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
};

} // namespace tessaly
