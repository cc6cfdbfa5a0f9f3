#pragma once

#include "settings/SettingsBackend.h"

#include <cstdint>
#include <string>

namespace tessaly {

// Where the values live. The user's key is created when needed; the machine key belongs to the
// installer and is never created here, so without it the resize choices are not kept.
inline constexpr const char* UserSettingsKey = "SOFTWARE\\Vexmoor Software\\Tessaly\\3.01.000";
inline constexpr const char* MachineSettingsKey = "SOFTWARE\\Vexmoor Software\\Tessaly\\3.10.000";

inline constexpr const char* RenumberDigitsValue = "RenumberDigits";
inline constexpr const char* ResizeSelectedSizeValue = "ResizeSelectedSize";
inline constexpr const char* ResizeCustomWidthValue = "ResizeCustomWidth";
inline constexpr const char* ResizeCustomHeightValue = "ResizeCustomHeight";
inline constexpr const char* ResizePrefixValue = "ResizePrefix";

inline constexpr const char* DefaultResizePrefix = "sml.";

// The persisted choices. Keeps nothing itself: every operation opens its key, reads or writes
// one value and closes the key. Nothing is ever reported; a read that finds no acceptable value
// gives the value's default.
class SettingsStore {
public:
    explicit SettingsStore(SettingsBackend& backend) : backend_(backend) {}

    // "RenumberDigits" of the user's key; 0 when absent or not a 4-byte REG_DWORD.
    std::uint32_t ReadRenumberDigits() const;
    // Creates the user's key when needed.
    void WriteRenumberDigits(std::uint32_t digits);

    // A DWORD of the machine key; 0 when absent or not a 4-byte REG_DWORD.
    std::int32_t ReadResizeDword(const std::string& valueName) const;
    // Writes only into an existing machine key. Always true: nobody acts on the outcome.
    bool WriteResizeDword(const std::string& valueName, std::uint32_t value);

    // "ResizePrefix" of the machine key, a REG_SZ below 4096 bytes with its terminator; "sml."
    // otherwise.
    std::string ReadResizePrefix() const;
    // Writes only into an existing machine key. Always true.
    bool WriteResizePrefix(const std::string& prefix);

private:
    std::uint32_t readDword(SettingsRoot root, const std::string& path,
                            const std::string& valueName) const;

    SettingsBackend& backend_;
};

} // namespace tessaly
