#pragma once
// What the dialogs load from the settings when the main dialog opens, and what they save.

#include "settings/SettingsStore.h"

#include <cstdint>
#include <string>

namespace tessaly {

// The resize choices that the resize settings dialog holds between load and save.
struct ResizeSettingsValues {
    std::string resizePrefix;
    int selectedSizeId = 1044; // width 700
    unsigned customWidth = 0;
    unsigned customHeight = 0;
};

// A custom size travels on as a signed 32-bit number; its field takes no more.
constexpr std::uint32_t LargestCustomSize = INT32_MAX;

// Whether an identifier is one of the resize settings' twelve size buttons, as
// "ResizeSelectedSize" stores the choice.
bool IsResizeSizeId(int id);

// The renumber field offers at most this many digits.
constexpr int MaxRenumberDigits = 9;

// Decimal digits of the file count, at least 1.
int DigitsOfFileCount(int fileCount);

// Loads everything once, in the order the main dialog needs it, and returns the digit count
// to start with: the digits of the file count, raised by a larger stored count, never above 9.
// The prefix and both custom sizes are always replaced; the selected size only by a stored
// value above 0. Values that no dialog could have saved load as the defaults.
int LoadRenameDialogSettings(const SettingsStore& store, int fileCount,
                             ResizeSettingsValues& resize);

// Saved on every "Rename Files": prefix, selected size, custom height, custom width.
void SaveResizeSettings(SettingsStore& store, const ResizeSettingsValues& resize);

// Saved once the main dialog has closed with OK.
void SaveRenumberDigits(SettingsStore& store, int digits);

} // namespace tessaly
