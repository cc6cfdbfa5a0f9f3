#include "settings/SettingsStore.h"

namespace tessaly {

namespace {
constexpr std::size_t DwordBufferSize = 1024;
constexpr std::size_t PrefixBufferSize = 4096;

// Registry DWORDs are stored little-endian whatever the host.
std::string dwordBytes(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::uint32_t dwordOf(const std::string& bytes) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[static_cast<size_t>(i)]);
    return value;
}
} // namespace

std::uint32_t SettingsStore::readDword(SettingsRoot root, const std::string& path,
                                       const std::string& valueName) const {
    const std::unique_ptr<SettingsKey> key = backend_.open(root, path, KeyAccess::Read);
    if (!key)
        return 0;
    const std::optional<SettingsValue> value = key->query(valueName, DwordBufferSize);
    if (!value || value->type != reg::Dword || value->bytes.size() != 4)
        return 0;
    return dwordOf(value->bytes);
}

std::uint32_t SettingsStore::ReadRenumberDigits() const {
    return readDword(SettingsRoot::User, UserSettingsKey, RenumberDigitsValue);
}

void SettingsStore::WriteRenumberDigits(std::uint32_t digits) {
    const std::unique_ptr<SettingsKey> key = backend_.createUserKey(UserSettingsKey);
    if (key)
        key->set(RenumberDigitsValue, reg::Dword, dwordBytes(digits));
}

std::int32_t SettingsStore::ReadResizeDword(const std::string& valueName) const {
    return static_cast<std::int32_t>(
        readDword(SettingsRoot::Machine, MachineSettingsKey, valueName));
}

bool SettingsStore::WriteResizeDword(const std::string& valueName, std::uint32_t value) {
    const std::unique_ptr<SettingsKey> key =
        backend_.open(SettingsRoot::Machine, MachineSettingsKey, KeyAccess::Write);
    if (key)
        key->set(valueName, reg::Dword, dwordBytes(value));
    return true;
}

std::string SettingsStore::ReadResizePrefix() const {
    const std::unique_ptr<SettingsKey> key =
        backend_.open(SettingsRoot::Machine, MachineSettingsKey, KeyAccess::Read);
    if (!key)
        return DefaultResizePrefix;
    const std::optional<SettingsValue> value = key->query(ResizePrefixValue, PrefixBufferSize);
    if (!value || value->type != reg::Sz || value->bytes.size() >= PrefixBufferSize)
        return DefaultResizePrefix;
    return value->bytes.substr(0, value->bytes.find('\0'));
}

bool SettingsStore::WriteResizePrefix(const std::string& prefix) {
    const std::unique_ptr<SettingsKey> key =
        backend_.open(SettingsRoot::Machine, MachineSettingsKey, KeyAccess::Write);
    if (key)
        key->set(ResizePrefixValue, reg::Sz, prefix + '\0'); // the terminator is stored
    return true;
}

} // namespace tessaly
