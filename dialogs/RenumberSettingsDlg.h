#pragma once
// The digits, start number and order of renumbering, with the range of numbers the files will
// get. The owner sets the four fields, runs the dialog and copies them back after OK only.

#include "dialogs/Dialog.h"
#include "naming/RenumberOrder.h"

#include <cstdint>
#include <optional>

namespace tessaly {

class CRenumberSettingsDlg final : public Dialog {
public:
    CRenumberSettingsDlg();

    int digits = 0;
    std::uint32_t startNumber = 0;
    RenumberOrder order = RenumberOrder::ByPath;
    int fileCount = 0;

    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    // Refuses a digit count too small for the last number, and a start edit without a number.
    void OnOK() override;

private:
    // The digits item chosen, as a number; nothing while no item is selected.
    std::optional<int> SelectedDigits() const;
    void RefreshRange();
};

} // namespace tessaly
