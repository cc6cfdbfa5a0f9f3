#pragma once
// The size of the resized copies (a preset or custom width or height) and their file-name
// prefix. The main dialog keeps one for its whole life and runs it any number of times; each
// run starts from the values as they are, and only OK with every check passed closes it.

#include "dialogs/Dialog.h"
#include "settings/DialogSettings.h"

#include <array>
#include <cstdint>
#include <optional>

namespace tessaly {

class CResizeSettingsDlg final : public Dialog {
public:
    CResizeSettingsDlg();

    // The preset rows Thumbnail, Small, Medium, VGA, Large; presetCount rows are in use.
    std::array<std::int32_t, 10> presetWidths = {160, 320, 500, 640, 700};
    std::array<std::int32_t, 10> presetHeights = {120, 240, 375, 480, 525};
    std::uint32_t presetCount = 5;
    // What SelectedWidth and SelectedHeight answered, 0 while not yet known. Cleared only by
    // OK, so a size once known holds until the user next presses OK here.
    std::int32_t cachedHeight = 0;
    std::int32_t cachedWidth = 0;
    // The prefix, the chosen size button and both custom sizes, as loaded and saved.
    ResizeSettingsValues values;

    // The width of the choice, 0 when a height is chosen; and the other way round.
    std::int32_t SelectedWidth();
    std::int32_t SelectedHeight();

    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    void OnSizeButton(int id);
    // OK and Enter: takes the fields and the choice, then closes unless a check refuses.
    void OnOkClicked();
    void OnOK() override { OnOkClicked(); }

private:
    // presetCount, but never past the tables.
    std::uint32_t RowsInUse() const;
    // The preset row of a button in a column starting at base, or nothing.
    std::optional<std::size_t> PresetRow(int id, int base) const;
};

} // namespace tessaly
