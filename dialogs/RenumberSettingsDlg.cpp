#include "dialogs/RenumberSettingsDlg.h"

#include "dialogs/NumberField.h"
#include "naming/BatchJob.h"
#include "platform/MessageBoxes.h"
#include "resources/ResourceIds.h"
#include "settings/DialogSettings.h"

#include <cstdio>

namespace tessaly {

namespace {

// The start edit takes at most this many digits, so a typed start stays below 10^9.
const int kStartNumberChars = 9;

// printf's "%0*lld": the sign, then zeros up to the width.
std::string padded(long long value, int width) {
    const int length = std::snprintf(nullptr, 0, "%0*lld", width, value);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), "%0*lld", width, value);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// 10 to the power of digits; beyond 32-bit numbers every quotient is 0 anyway.
std::uint64_t powerOfTen(int digits) {
    std::uint64_t power = 1;
    for (int i = 0; i < digits && i < 10; ++i)
        power *= 10;
    return power;
}

} // namespace

CRenumberSettingsDlg::CRenumberSettingsDlg() : Dialog(IDD_RENUMBER_SETTINGS) {}

bool CRenumberSettingsDlg::OnInitDialog() {
    // The edit notifies as its text is set, before the digits list has anything in it.
    controls().setText(IDC_START_NUMBER, unsignedText(startNumber));

    // Never fewer digits than the file count needs.
    for (int k = DigitsOfFileCount(fileCount); k <= MaxRenumberDigits; ++k)
        controls().addItem(IDC_DIGITS, std::to_string(k));
    controls().limitText(IDC_START_NUMBER, kStartNumberChars);

    // A count not on the list (a stored 12, or fewer than the files need) gives the first item.
    const std::string wanted = std::to_string(digits);
    int chosen = 0;
    for (int i = 0, count = controls().itemCount(IDC_DIGITS); i < count; ++i) {
        if (controls().itemText(IDC_DIGITS, i).rfind(wanted, 0) == 0) {
            chosen = i;
            break;
        }
    }
    controls().selectItem(IDC_DIGITS, chosen);
    RefreshRange();

    const int radio = order == RenumberOrder::ByPath               ? IDC_ORDER_ALPHANUMERIC
                      : order == RenumberOrder::ByModificationTime ? IDC_ORDER_FILE_TIME
                                                                   : IDC_ORDER_IMAGE_TIME;
    controls().setChecked(radio, true);
    return true;
}

bool CRenumberSettingsDlg::OnCommand(int id, int code) {
    if ((id == IDC_START_NUMBER && code == notify::EditChange) ||
        (id == IDC_DIGITS && code == notify::ComboSelChange)) {
        RefreshRange();
        return true;
    }
    return Dialog::OnCommand(id, code);
}

std::optional<int> CRenumberSettingsDlg::SelectedDigits() const {
    const int selected = controls().selectedItem(IDC_DIGITS);
    if (selected < 0)
        return std::nullopt;
    return leadingNumber(controls().itemText(IDC_DIGITS, selected)).value_or(0);
}

void CRenumberSettingsDlg::RefreshRange() {
    const std::optional<int> n = SelectedDigits();
    if (!n)
        return;
    // Wide enough that no start the edit can hold overflows.
    const long long start = leadingNumber(controls().text(IDC_START_NUMBER)).value_or(0);
    const long long last = static_cast<long long>(fileCount) + start - 1;
    controls().setText(IDC_RANGE, padded(start, *n) + "-" + padded(last, *n));
}

void CRenumberSettingsDlg::OnOK() {
    const int n = SelectedDigits().value_or(0);
    const int start = leadingNumber(controls().text(IDC_START_NUMBER)).value_or(0);
    digits = n;
    order = controls().isChecked(IDC_ORDER_ALPHANUMERIC) ? RenumberOrder::ByPath
            : controls().isChecked(IDC_ORDER_FILE_TIME)  ? RenumberOrder::ByModificationTime
                                                         : RenumberOrder::ByPictureDate;

    // As a 32-bit unsigned number: a last number below 0 wraps round to one far too wide.
    const std::uint32_t last =
        static_cast<std::uint32_t>(fileCount) + static_cast<std::uint32_t>(start) - 1u;
    if (last / powerOfTen(n) != 0) {
        controls().messageBox("The number of digits is too small.  Increase the number of digits "
                              "or lower the start number.",
                              "Notice", mb::Ok | mb::IconExclamation);
        return;
    }

    const std::optional<std::uint32_t> typed = readNumberField(controls(), IDC_START_NUMBER);
    if (!typed)
        return;
    startNumber = *typed;
    Dialog::OnOK();
}

} // namespace tessaly
