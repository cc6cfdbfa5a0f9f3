#include "settings/DialogSettings.h"

#include "naming/FileNameCharacters.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace tessaly {

namespace {

// The identifiers of the twelve size buttons, as stored: widths, then heights.
constexpr int kCustomWidthId = 1047;
constexpr int kCustomHeightId = 1046;
constexpr int kSizeIds[] = {1040, 1041, 1042, 1043, 1044, kCustomWidthId,
                            1029, 1030, 1031, 1032, 1033, kCustomHeightId};
// A size travels on as a signed 32-bit number; the dialog's fields take no more.
constexpr unsigned kLargestCustomSize = INT32_MAX;

bool isSizeId(int id) {
    return std::find(std::begin(kSizeIds), std::end(kSizeIds), id) != std::end(kSizeIds);
}

} // namespace

int DigitsOfFileCount(int fileCount) {
    int digits = 1;
    for (int rest = fileCount; rest >= 10; rest /= 10)
        ++digits;
    return digits;
}

int LoadRenameDialogSettings(const SettingsStore& store, int fileCount,
                             ResizeSettingsValues& resize) {
    // A stored count only ever raises the width. Compared unsigned, so a hand-edited negative
    // value counts as huge; bounded so that no composed number grows past the field's limit.
    std::uint32_t digits = static_cast<std::uint32_t>(DigitsOfFileCount(fileCount));
    const std::uint32_t stored = store.ReadRenumberDigits();
    if (stored > digits)
        digits = stored;
    if (digits > MaxRenumberDigits)
        digits = MaxRenumberDigits;

    resize.resizePrefix = store.ReadResizePrefix();
    const std::int32_t selected = store.ReadResizeDword(ResizeSelectedSizeValue);
    if (selected > 0)
        resize.selectedSizeId = selected;
    resize.customHeight = static_cast<unsigned>(store.ReadResizeDword(ResizeCustomHeightValue));
    resize.customWidth = static_cast<unsigned>(store.ReadResizeDword(ResizeCustomWidthValue));

    // What no dialog could have saved loads as the default: a prefix with a character that no
    // file name may hold, a size that no button has, a custom size larger than its field takes,
    // a custom choice of 0 pixels (no copy could be made).
    if (firstCharacterNotAllowedInFileName(resize.resizePrefix))
        resize.resizePrefix = DefaultResizePrefix; // "..\\" would put the copies elsewhere
    if (resize.customWidth > kLargestCustomSize)
        resize.customWidth = 0;
    if (resize.customHeight > kLargestCustomSize)
        resize.customHeight = 0;
    if (!isSizeId(resize.selectedSizeId) ||
        (resize.selectedSizeId == kCustomWidthId && resize.customWidth == 0) ||
        (resize.selectedSizeId == kCustomHeightId && resize.customHeight == 0))
        resize.selectedSizeId = ResizeSettingsValues().selectedSizeId;
    return static_cast<int>(digits);
}

void SaveResizeSettings(SettingsStore& store, const ResizeSettingsValues& resize) {
    store.WriteResizePrefix(resize.resizePrefix);
    store.WriteResizeDword(ResizeSelectedSizeValue,
                           static_cast<std::uint32_t>(resize.selectedSizeId));
    store.WriteResizeDword(ResizeCustomHeightValue, resize.customHeight);
    store.WriteResizeDword(ResizeCustomWidthValue, resize.customWidth);
}

void SaveRenumberDigits(SettingsStore& store, int digits) {
    store.WriteRenumberDigits(static_cast<std::uint32_t>(digits));
}

} // namespace tessaly
