#include "settings/RegistryStore.h"

#include <windows.h>

#include <new>

namespace tessaly {

namespace {
class RegistryKey final : public SettingsKey {
public:
    explicit RegistryKey(HKEY key) : key_(key) {}
    ~RegistryKey() override { RegCloseKey(key_); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    std::optional<SettingsValue> query(const std::string& name, std::size_t capacity) override {
        SettingsValue value;
        value.bytes.assign(capacity, '\0');
        DWORD size = static_cast<DWORD>(capacity);
        DWORD type = 0;
        if (RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(&value.bytes[0]), &size) != ERROR_SUCCESS)
            return std::nullopt;
        value.type = type;
        value.bytes.resize(size < capacity ? size : capacity);
        return value;
    }

    void set(const std::string& name, std::uint32_t type, const std::string& bytes) override {
        RegSetValueExA(key_, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
    }

private:
    HKEY key_;
};

// Without memory for the wrapper the key is closed at once and the store behaves as if the key
// could not be opened.
std::unique_ptr<SettingsKey> wrap(HKEY key) {
    std::unique_ptr<SettingsKey> wrapped(new (std::nothrow) RegistryKey(key));
    if (!wrapped)
        RegCloseKey(key);
    return wrapped;
}
} // namespace

std::unique_ptr<SettingsKey> RegistryStore::open(SettingsRoot root, const std::string& path) {
    const HKEY rootKey = root == SettingsRoot::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    HKEY key = nullptr;
    if (RegOpenKeyExA(rootKey, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return nullptr;
    return wrap(key);
}

std::unique_ptr<SettingsKey> RegistryStore::createUserKey(const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return wrap(key);
}

} // namespace tessaly
