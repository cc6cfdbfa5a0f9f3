#pragma once
// The modal summary at the end of a batch: the final counts and the path of the log file.

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

    void SetCounterLabels(bool rename, bool resize);

    bool OnInitDialog() override;
};

} // namespace tessaly
