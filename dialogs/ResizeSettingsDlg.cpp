#include "dialogs/ResizeSettingsDlg.h"

#include "dialogs/NumberField.h"
#include "naming/FileNameCharacters.h"
#include "platform/MessageBoxes.h"
#include "resources/ResourceIds.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

namespace tessaly {

CResizeSettingsDlg::CResizeSettingsDlg() : Dialog(IDD_RESIZE_SETTINGS) {}

std::uint32_t CResizeSettingsDlg::RowsInUse() const {
    return std::min(presetCount, static_cast<std::uint32_t>(presetWidths.size()));
}

std::optional<std::size_t> CResizeSettingsDlg::PresetRow(int id, int base) const {
    // Unsigned, so an id below the base is never a row.
    const std::uint32_t row = static_cast<std::uint32_t>(id) - static_cast<std::uint32_t>(base);
    if (row >= RowsInUse())
        return std::nullopt;
    return row;
}

std::int32_t CResizeSettingsDlg::SelectedWidth() {
    if (cachedWidth != 0)
        return cachedWidth;
    if (const auto row = PresetRow(values.selectedSizeId, IDC_WIDTH_THUMBNAIL))
        cachedWidth = presetWidths[*row];
    else if (values.selectedSizeId == IDC_CUSTOM_WIDTH)
        cachedWidth = static_cast<std::int32_t>(values.customWidth);
    return cachedWidth;
}

std::int32_t CResizeSettingsDlg::SelectedHeight() {
    if (cachedHeight != 0)
        return cachedHeight;
    if (const auto row = PresetRow(values.selectedSizeId, IDC_HEIGHT_THUMBNAIL))
        cachedHeight = presetHeights[*row];
    else if (values.selectedSizeId == IDC_CUSTOM_HEIGHT)
        cachedHeight = static_cast<std::int32_t>(values.customHeight);
    return cachedHeight;
}

bool CResizeSettingsDlg::OnInitDialog() {
    controls().setText(IDC_CUSTOM_WIDTH_FIELD, unsignedText(values.customWidth));
    controls().setText(IDC_CUSTOM_HEIGHT_FIELD, unsignedText(values.customHeight));
    controls().setText(IDC_RESIZE_PREFIX, values.resizePrefix);

    // A stored choice without a button of its own.
    if (!IsResizeSizeId(values.selectedSizeId))
        values.selectedSizeId = IDC_WIDTH_LARGE;

    const std::uint32_t rows = RowsInUse();
    for (std::uint32_t i = 0; i < rows; ++i)
        controls().setText(IDC_HEIGHT_THUMBNAIL + static_cast<int>(i),
                           std::to_string(presetHeights[i]));
    for (std::uint32_t i = 0; i < rows; ++i)
        controls().setText(IDC_WIDTH_THUMBNAIL + static_cast<int>(i),
                           std::to_string(presetWidths[i]));

    controls().setChecked(values.selectedSizeId, true);
    return true;
}

bool CResizeSettingsDlg::OnCommand(int id, int code) {
    if (code == notify::ButtonClicked && id >= IDC_HEIGHT_THUMBNAIL && id <= IDC_CUSTOM_WIDTH) {
        OnSizeButton(id);
        return true;
    }
    return Dialog::OnCommand(id, code);
}

void CResizeSettingsDlg::OnSizeButton(int id) {
    // A custom size is typed next: the field takes the focus ready to be overwritten.
    if (id == IDC_CUSTOM_WIDTH)
        controls().focusAndSelectAll(IDC_CUSTOM_WIDTH_FIELD);
    else if (id == IDC_CUSTOM_HEIGHT)
        controls().focusAndSelectAll(IDC_CUSTOM_HEIGHT_FIELD);
}

void CResizeSettingsDlg::OnOkClicked() {
    // The fields in their order; a field without a number stops the transfer there. A size
    // travels on as a signed 32-bit number, so a larger one would come out negative.
    const std::optional<std::uint32_t> width =
        readNumberField(controls(), IDC_CUSTOM_WIDTH_FIELD, LargestCustomSize);
    if (!width)
        return;
    values.customWidth = *width;
    const std::optional<std::uint32_t> height =
        readNumberField(controls(), IDC_CUSTOM_HEIGHT_FIELD, LargestCustomSize);
    if (!height)
        return;
    values.customHeight = *height;
    values.resizePrefix = controls().text(IDC_RESIZE_PREFIX);

    // The choice is taken even when a check below keeps the dialog open.
    cachedWidth = 0;
    cachedHeight = 0;
    const std::uint32_t rows = RowsInUse();
    for (std::uint32_t i = 0; i < rows; ++i) {
        const int widthButton = IDC_WIDTH_THUMBNAIL + static_cast<int>(i);
        const int heightButton = IDC_HEIGHT_THUMBNAIL + static_cast<int>(i);
        if (controls().isChecked(widthButton)) {
            values.selectedSizeId = widthButton;
            cachedWidth = presetWidths[i];
        }
        if (controls().isChecked(heightButton)) {
            values.selectedSizeId = heightButton;
            cachedHeight = presetHeights[i];
        }
    }
    if (controls().isChecked(IDC_CUSTOM_WIDTH)) {
        cachedWidth = static_cast<std::int32_t>(values.customWidth);
        values.selectedSizeId = IDC_CUSTOM_WIDTH;
    }
    if (controls().isChecked(IDC_CUSTOM_HEIGHT)) {
        cachedHeight = static_cast<std::int32_t>(values.customHeight);
        values.selectedSizeId = IDC_CUSTOM_HEIGHT;
    }

    if (cachedWidth == 0 && cachedHeight == 0) {
        controls().messageBox("The selected width or height must not be zero", "Notice", mb::Ok);
        return;
    }
    if (values.resizePrefix.empty()) {
        controls().messageBox("The prefix must contain at least one character",
                              "Resize file prefix problem", mb::Ok);
        return;
    }
    // The one rule of the characters no file name may hold, which the new prefix and the
    // stored settings follow too: with any of them every copy would fail.
    if (const std::optional<char> c = firstCharacterNotAllowedInFileName(values.resizePrefix)) {
        const bool listed = *c != '\0' && std::strchr("/*\\:?<>", *c) != nullptr;
        controls().messageBox(listed
                                  ? "The prefix may not contain any of the following "
                                    "characters: /*\\:?<>/"
                                  : "The prefix may not contain " + describeFileNameCharacter(*c) +
                                        ".  File names may not contain \\ / : * ? \" < > | or "
                                        "control characters.",
                              "Resize file prefix problem", mb::Ok);
        return;
    }
    Dialog::OnOK();
}

} // namespace tessaly
