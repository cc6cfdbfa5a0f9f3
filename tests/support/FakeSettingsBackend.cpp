#include "support/FakeSettingsBackend.h"

namespace tessaly::test {

namespace {
std::string rootName(SettingsRoot root) {
    return root == SettingsRoot::User ? "HKCU\\" : "HKLM\\";
}
} // namespace

class FakeSettingsBackend::MemoryKey final : public SettingsKey {
public:
    MemoryKey(FakeSettingsBackend& owner, KeyId id, KeyAccess access)
        : owner_(owner), id_(std::move(id)), access_(access) {
        ++owner_.openKeys;
    }
    ~MemoryKey() override {
        --owner_.openKeys;
        owner_.calls.push_back("close");
    }

    std::optional<SettingsValue> query(const std::string& name, std::size_t capacity) override {
        owner_.calls.push_back("query " + name + " " + std::to_string(capacity));
        if (access_ != KeyAccess::Read)
            return std::nullopt;
        const auto& values = owner_.keys_[id_];
        const auto it = values.find(name);
        // Like the registry: a value larger than the buffer is not read at all.
        if (it == values.end() || it->second.bytes.size() > capacity)
            return std::nullopt;
        return it->second;
    }

    void set(const std::string& name, std::uint32_t type, const std::string& bytes) override {
        owner_.calls.push_back("set " + name);
        if (access_ == KeyAccess::Write)
            owner_.keys_[id_][name] = SettingsValue{type, bytes};
    }

private:
    FakeSettingsBackend& owner_;
    KeyId id_;
    KeyAccess access_;
};

void FakeSettingsBackend::addKey(SettingsRoot root, const std::string& path) {
    keys_[{root, path}];
}

void FakeSettingsBackend::putValue(SettingsRoot root, const std::string& path,
                                   const std::string& name, std::uint32_t type,
                                   const std::string& bytes) {
    keys_[{root, path}][name] = SettingsValue{type, bytes};
}

void FakeSettingsBackend::refuseAccessTo(SettingsRoot root, const std::string& path) {
    refused_.insert({root, path});
}

bool FakeSettingsBackend::hasKey(SettingsRoot root, const std::string& path) const {
    return keys_.count({root, path}) != 0;
}

std::optional<SettingsValue> FakeSettingsBackend::value(SettingsRoot root, const std::string& path,
                                                        const std::string& name) const {
    const auto key = keys_.find({root, path});
    if (key == keys_.end())
        return std::nullopt;
    const auto it = key->second.find(name);
    if (it == key->second.end())
        return std::nullopt;
    return it->second;
}

std::unique_ptr<SettingsKey> FakeSettingsBackend::open(SettingsRoot root, const std::string& path,
                                                       KeyAccess access) {
    calls.push_back("open " + rootName(root) + path +
                    (access == KeyAccess::Read ? " for reading" : " for writing"));
    const KeyId id{root, path};
    if (keys_.count(id) == 0 || refused_.count(id) != 0)
        return nullptr;
    return std::make_unique<MemoryKey>(*this, id, access);
}

std::unique_ptr<SettingsKey> FakeSettingsBackend::createUserKey(const std::string& path) {
    calls.push_back("create " + rootName(SettingsRoot::User) + path);
    const KeyId id{SettingsRoot::User, path};
    if (refused_.count(id) != 0)
        return nullptr;
    keys_[id];
    return std::make_unique<MemoryKey>(*this, id, KeyAccess::Write);
}

std::optional<std::string> bytesOf(const FakeSettingsBackend& backend, SettingsRoot root,
                                   const std::string& path, const std::string& name) {
    const std::optional<SettingsValue> stored = backend.value(root, path, name);
    if (!stored)
        return std::nullopt;
    return stored->bytes;
}

std::string dword(std::uint32_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
            static_cast<char>((value >> 16) & 0xFF), static_cast<char>((value >> 24) & 0xFF)};
}

} // namespace tessaly::test
