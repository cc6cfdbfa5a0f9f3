#pragma once
// The registry as the tests arrange and inspect it, apart from the code under test.

#include <windows.h>

#include <optional>
#include <string>

namespace tessaly::test {

// Spelled out apart from the product's constants: the installer writes these exact keys.
extern const char kUserSettingsKey[];    // under HKEY_CURRENT_USER
extern const char kMachineSettingsKey[]; // under HKEY_LOCAL_MACHINE

// Removes both settings keys, and their vendor parents where nothing else is left in them,
// when constructed and again when destroyed, so that no test sees another's values.
class SettingsKeysRemoved {
public:
    SettingsKeysRemoved();
    ~SettingsKeysRemoved();
    SettingsKeysRemoved(const SettingsKeysRemoved&) = delete;
    SettingsKeysRemoved& operator=(const SettingsKeysRemoved&) = delete;
};

struct RawValue {
    DWORD type;
    std::string bytes;
};

bool keyExists(HKEY root, const std::string& path);
// Creates the key and any missing parents, as the installer does for the machine key.
bool createKey(HKEY root, const std::string& path);
// Creates the key when needed; true when the value was stored.
bool putValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const std::string& bytes);
bool putDword(HKEY root, const std::string& path, const std::string& name, DWORD value);
std::optional<RawValue> valueOf(HKEY root, const std::string& path, const std::string& name);

} // namespace tessaly::test
