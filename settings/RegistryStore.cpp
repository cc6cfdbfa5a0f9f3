#include "settings/RegistryStore.h"

#include "platform/WideText.h"

#include <windows.h>

#include <cstring>
#include <new>

namespace tessaly {

namespace {

bool isText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

class RegistryKey final : public SettingsKey {
public:
    explicit RegistryKey(HKEY key) : key_(key) {}
    ~RegistryKey() override { RegCloseKey(key_); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    std::optional<SettingsValue> query(const std::string& name, std::size_t capacity) override {
        // Text comes as UTF-16, where the capacity counts characters (the registry turns what
        // an ANSI call stored into UTF-16), and goes on as UTF-8, its terminator with it.
        const std::size_t room = capacity * sizeof(wchar_t);
        std::string bytes(room, '\0');
        DWORD size = static_cast<DWORD>(room);
        DWORD type = 0;
        if (RegQueryValueExW(key_, wideFromUtf8(name).c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(&bytes[0]), &size) != ERROR_SUCCESS)
            return std::nullopt;
        SettingsValue value;
        value.type = type;
        if (!isText(type)) {
            if (size > capacity)
                return std::nullopt;
            value.bytes = bytes.substr(0, size);
            return value;
        }
        std::wstring wide(size / sizeof(wchar_t), L'\0');
        if (!wide.empty())
            std::memcpy(&wide[0], bytes.data(), wide.size() * sizeof(wchar_t));
        value.bytes = utf8FromWide(wide);
        return value;
    }

    void set(const std::string& name, std::uint32_t type, const std::string& bytes) override {
        if (isText(type)) {
            const std::wstring wide = wideFromUtf8(bytes);
            RegSetValueExW(key_, wideFromUtf8(name).c_str(), 0, type,
                           reinterpret_cast<const BYTE*>(wide.data()),
                           static_cast<DWORD>(wide.size() * sizeof(wchar_t)));
            return;
        }
        RegSetValueExW(key_, wideFromUtf8(name).c_str(), 0, type,
                       reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
    }

private:
    HKEY key_;
};

// The installer grants users only reading, setting values and making subkeys on the machine key,
// and Windows refuses an open that asks for more: each open asks for what its one operation
// needs.
REGSAM rightsFor(KeyAccess access) {
    return access == KeyAccess::Read ? KEY_QUERY_VALUE : KEY_SET_VALUE;
}

// RegCreateKeyExW makes each missing parent through a handle with the rights asked for, and the
// next key under that handle.
constexpr REGSAM kCreateRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY;

// Without memory for the wrapper the key is closed at once and the store behaves as if the key
// could not be opened.
std::unique_ptr<SettingsKey> wrap(HKEY key) {
    std::unique_ptr<SettingsKey> wrapped(new (std::nothrow) RegistryKey(key));
    if (!wrapped)
        RegCloseKey(key);
    return wrapped;
}
} // namespace

std::unique_ptr<SettingsKey> RegistryStore::open(SettingsRoot root, const std::string& path,
                                                 KeyAccess access) {
    const HKEY rootKey = root == SettingsRoot::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    HKEY key = nullptr;
    if (RegOpenKeyExW(rootKey, wideFromUtf8(path).c_str(), 0, rightsFor(access), &key) !=
        ERROR_SUCCESS)
        return nullptr;
    return wrap(key);
}

std::unique_ptr<SettingsKey> RegistryStore::createUserKey(const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, wideFromUtf8(path).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, kCreateRights, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return nullptr;
    return wrap(key);
}

} // namespace tessaly
