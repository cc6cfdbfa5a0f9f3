#include "support/TestRegistry.h"

namespace tessaly::test {

const char kUserSettingsKey[] = "SOFTWARE\\Vexmoor Software\\Tessaly\\3.01.000";
const char kMachineSettingsKey[] = "SOFTWARE\\Vexmoor Software\\Tessaly\\3.10.000";

namespace {
void removeWithEmptyParents(HKEY root, const std::string& path) {
    RegDeleteTreeA(root, path.c_str());
    RegDeleteKeyA(root, path.c_str());
    // RegDeleteKeyA refuses keys that still have subkeys, so parents in use stay.
    for (std::string parent = path.substr(0, path.rfind('\\'));
         parent.find('\\') != std::string::npos; parent = parent.substr(0, parent.rfind('\\')))
        RegDeleteKeyA(root, parent.c_str());
}

void removeSettingsKeys() {
    removeWithEmptyParents(HKEY_CURRENT_USER, kUserSettingsKey);
    removeWithEmptyParents(HKEY_LOCAL_MACHINE, kMachineSettingsKey);
}
} // namespace

SettingsKeysRemoved::SettingsKeysRemoved() {
    removeSettingsKeys();
}

SettingsKeysRemoved::~SettingsKeysRemoved() {
    removeSettingsKeys();
}

bool keyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool createKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool putValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const std::string& bytes) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status =
        RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool putDword(HKEY root, const std::string& path, const std::string& name, DWORD value) {
    return putValue(root, path, name, REG_DWORD,
                    std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

std::optional<RawValue> valueOf(HKEY root, const std::string& path, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<RawValue> value;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::string bytes(size, '\0');
        if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]),
                             &size) == ERROR_SUCCESS) {
            bytes.resize(size);
            value = RawValue{type, bytes};
        }
    }
    RegCloseKey(key);
    return value;
}

} // namespace tessaly::test
