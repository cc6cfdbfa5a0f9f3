#include "settings/DialogSettings.h"

namespace tessaly {

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
