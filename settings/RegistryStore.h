#pragma once

#include "settings/SettingsBackend.h"

namespace tessaly {

// The Windows registry through its wide functions: RegOpenKeyExW, RegCreateKeyExW,
// RegQueryValueExW, RegSetValueExW, RegCloseKey.
class RegistryStore final : public SettingsBackend {
public:
    std::unique_ptr<SettingsKey> open(SettingsRoot root, const std::string& path,
                                      KeyAccess access) override;
    std::unique_ptr<SettingsKey> createUserKey(const std::string& path) override;
};

} // namespace tessaly
