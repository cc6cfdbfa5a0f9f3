#pragma once
// An in-memory registry for the portable tests. It logs every call, counts the keys that are
// open, and can refuse access to a key. Like the registry, a key opened for reading takes no
// values and one opened for writing gives none.

#include "settings/SettingsBackend.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tessaly::test {

class FakeSettingsBackend final : public SettingsBackend {
public:
    void addKey(SettingsRoot root, const std::string& path);
    // Creates the key when needed.
    void putValue(SettingsRoot root, const std::string& path, const std::string& name,
                  std::uint32_t type, const std::string& bytes);
    // The key stays, but opening it fails as for a user without the rights.
    void refuseAccessTo(SettingsRoot root, const std::string& path);

    bool hasKey(SettingsRoot root, const std::string& path) const;
    std::optional<SettingsValue> value(SettingsRoot root, const std::string& path,
                                       const std::string& name) const;

    // "open HKLM\<path> for reading" (or "for writing"), "create HKCU\<path>",
    // "query <name> <capacity>", "set <name>", "close"; opens that fail are logged as well.
    std::vector<std::string> calls;
    int openKeys = 0;

    std::unique_ptr<SettingsKey> open(SettingsRoot root, const std::string& path,
                                      KeyAccess access) override;
    std::unique_ptr<SettingsKey> createUserKey(const std::string& path) override;

private:
    class MemoryKey;
    using KeyId = std::pair<SettingsRoot, std::string>;

    std::map<KeyId, std::map<std::string, SettingsValue>> keys_;
    std::set<KeyId> refused_;
};

// The bytes of a stored value, or nothing.
std::optional<std::string> bytesOf(const FakeSettingsBackend& backend, SettingsRoot root,
                                   const std::string& path, const std::string& name);

// The four little-endian bytes of a REG_DWORD.
std::string dword(std::uint32_t value);

} // namespace tessaly::test
