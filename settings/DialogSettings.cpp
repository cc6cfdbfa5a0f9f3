#include "settings/DialogSettings.h"

#include "naming/FileNameCharacters.h"
#include "resources/ResourceIds.h"

#include <algorithm>
#include <iterator>

namespace tessaly {

bool IsResizeSizeId(int id) {
    static const int kSizeIds[] = {
        IDC_WIDTH_THUMBNAIL, IDC_WIDTH_SMALL,  IDC_WIDTH_MEDIUM,     IDC_WIDTH_VGA,
        IDC_WIDTH_LARGE,     IDC_CUSTOM_WIDTH, IDC_HEIGHT_THUMBNAIL, IDC_HEIGHT_SMALL,
        IDC_HEIGHT_MEDIUM,   IDC_HEIGHT_VGA,   IDC_HEIGHT_LARGE,     IDC_CUSTOM_HEIGHT,
    };
    return std::find(std::begin(kSizeIds), std::end(kSizeIds), id) != std::end(kSizeIds);
}

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
    if (resize.customWidth > LargestCustomSize)
        resize.customWidth = 0;
    if (resize.customHeight > LargestCustomSize)
        resize.customHeight = 0;
    if (!IsResizeSizeId(resize.selectedSizeId) ||
        (resize.selectedSizeId == IDC_CUSTOM_WIDTH && resize.customWidth == 0) ||
        (resize.selectedSizeId == IDC_CUSTOM_HEIGHT && resize.customHeight == 0))
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
