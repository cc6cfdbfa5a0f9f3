#pragma once
// The registry as the settings need it: a key of the user or of the machine, opened for reading
// or for writing, and its values as type and bytes. One Windows implementation (RegistryStore);
// tests use an in-memory one.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tessaly {

// Value types, with the values of the Windows registry.
namespace reg {
constexpr std::uint32_t Sz = 1;
constexpr std::uint32_t ExpandSz = 2;
constexpr std::uint32_t Binary = 3;
constexpr std::uint32_t Dword = 4;
} // namespace reg

enum class SettingsRoot {
    User,    // HKEY_CURRENT_USER
    Machine, // HKEY_LOCAL_MACHINE
};

// What a key is opened for. Users get no more rights on the machine key than saving the
// settings needs, so an open asks only for those of its one operation.
enum class KeyAccess {
    Read,  // query values
    Write, // set values
};

struct SettingsValue {
    std::uint32_t type = 0;
    std::string bytes; // as many as the query reported
};

// An open key; closed when destroyed.
class SettingsKey {
public:
    virtual ~SettingsKey() = default;
    // The value read into a buffer of capacity bytes (capacity characters for text, which comes
    // as UTF-8); nothing when it is missing, does not fit or cannot be read.
    virtual std::optional<SettingsValue> query(const std::string& name, std::size_t capacity) = 0;
    // Stores the bytes as they are; a failure is not reported.
    virtual void set(const std::string& name, std::uint32_t type, const std::string& bytes) = 0;
};

class SettingsBackend {
public:
    virtual ~SettingsBackend() = default;
    // Opens an existing key; null when it is missing or access is refused.
    virtual std::unique_ptr<SettingsKey> open(SettingsRoot root, const std::string& path,
                                              KeyAccess access) = 0;
    // Opens the user's key for writing, creating it and any missing parents; null when that
    // fails.
    virtual std::unique_ptr<SettingsKey> createUserKey(const std::string& path) = 0;
};

} // namespace tessaly
