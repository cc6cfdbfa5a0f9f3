// The acceptance rules of the stored values, the keys they live in, and that every key that
// was opened is closed again.
#include "settings/SettingsStore.h"

#include "support/FakeSettingsBackend.h"

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

// Spelled out apart from the product's constants: the installer writes these exact paths.
const std::string kUserKey = "SOFTWARE\\Vexmoor Software\\Tessaly\\3.01.000";
const std::string kMachineKey = "SOFTWARE\\Vexmoor Software\\Tessaly\\3.10.000";

class Settings : public ::testing::Test {
protected:
    FakeSettingsBackend backend;
    SettingsStore store{backend};

    void TearDown() override { EXPECT_EQ(0, backend.openKeys); }
};

struct StoredValue {
    std::uint32_t type;
    std::string bytes;
};

TEST_F(Settings, DwordsAreTakenOnlyAsFourByteRegDwords) {
    struct Row {
        StoredValue stored;
        std::uint32_t expected;
    };
    const Row rows[] = {
        {{reg::Dword, dword(7)}, 7},
        {{reg::Dword, dword(0xFFFFFFFB)}, 0xFFFFFFFB},
        {{reg::Dword, std::string("\x07\x00\x00", 3)}, 0},
        {{reg::Dword, dword(7) + dword(0)}, 0},
        {{reg::Binary, dword(7)}, 0},
        {{reg::Sz, std::string("3\0", 2)}, 0},
        {{reg::Dword, std::string(2000, '\x01')}, 0}, // larger than the buffer
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        FakeSettingsBackend values;
        values.putValue(SettingsRoot::User, kUserKey, "RenumberDigits", row.stored.type,
                        row.stored.bytes);
        values.putValue(SettingsRoot::Machine, kMachineKey, "ResizeCustomWidth", row.stored.type,
                        row.stored.bytes);
        const SettingsStore read(values);
        EXPECT_EQ(row.expected, read.ReadRenumberDigits());
        EXPECT_EQ(static_cast<std::int32_t>(row.expected),
                  read.ReadResizeDword("ResizeCustomWidth"));
        EXPECT_EQ(0, values.openKeys);
    }
}

TEST_F(Settings, DwordReadsOpenTheirKeyWithA1024ByteBufferAndCloseIt) {
    backend.putValue(SettingsRoot::Machine, kMachineKey, "ResizeSelectedSize", reg::Dword,
                     dword(1041));
    EXPECT_EQ(1041, store.ReadResizeDword("ResizeSelectedSize"));
    EXPECT_EQ(0u, store.ReadRenumberDigits()); // no user key
    EXPECT_EQ((std::vector<std::string>{"open HKLM\\" + kMachineKey + " for reading",
                                        "query ResizeSelectedSize 1024", "close",
                                        "open HKCU\\" + kUserKey + " for reading"}),
              backend.calls);
    EXPECT_FALSE(backend.hasKey(SettingsRoot::User, kUserKey));
}

TEST_F(Settings, PrefixIsTakenOnlyAsRegSzBelow4096BytesWithItsTerminator) {
    struct Row {
        StoredValue stored;
        std::string expected;
    };
    const Row rows[] = {
        {{reg::Sz, std::string("web_\0", 5)}, "web_"},
        {{reg::Sz, std::string("\0", 1)}, ""},
        {{reg::Sz, "abc"}, "abc"}, // stored without its terminator
        {{reg::Sz, std::string("ab\0cd\0", 6)}, "ab"},
        {{reg::ExpandSz, std::string("%TEMP%\0", 7)}, "sml."},
        {{reg::Dword, dword(1)}, "sml."},
        {{reg::Sz, std::string(4094, 'p') + '\0'}, std::string(4094, 'p')},
        {{reg::Sz, std::string(4095, 'p') + '\0'}, "sml."},
        {{reg::Sz, std::string(5000, 'p') + '\0'}, "sml."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored.bytes.size());
        FakeSettingsBackend values;
        values.putValue(SettingsRoot::Machine, kMachineKey, "ResizePrefix", row.stored.type,
                        row.stored.bytes);
        EXPECT_EQ(row.expected, SettingsStore(values).ReadResizePrefix());
        EXPECT_EQ((std::vector<std::string>{"open HKLM\\" + kMachineKey + " for reading",
                                            "query ResizePrefix 4096", "close"}),
                  values.calls);
    }
}

TEST_F(Settings, MissingOrRefusedKeysGiveTheDefaults) {
    EXPECT_EQ("sml.", store.ReadResizePrefix());
    EXPECT_EQ(0, store.ReadResizeDword("ResizeCustomHeight"));
    backend.putValue(SettingsRoot::Machine, kMachineKey, "ResizePrefix", reg::Sz,
                     std::string("web_\0", 5));
    backend.putValue(SettingsRoot::User, kUserKey, "RenumberDigits", reg::Dword, dword(4));
    backend.refuseAccessTo(SettingsRoot::Machine, kMachineKey);
    backend.refuseAccessTo(SettingsRoot::User, kUserKey);
    EXPECT_EQ("sml.", store.ReadResizePrefix());
    EXPECT_EQ(0u, store.ReadRenumberDigits());
}

TEST_F(Settings, RenumberDigitsCreateTheUserKey) {
    store.WriteRenumberDigits(3);
    EXPECT_EQ((std::vector<std::string>{"create HKCU\\" + kUserKey, "set RenumberDigits", "close"}),
              backend.calls);
    const std::optional<SettingsValue> stored =
        backend.value(SettingsRoot::User, kUserKey, "RenumberDigits");
    ASSERT_TRUE(stored);
    EXPECT_EQ(reg::Dword, stored->type);
    EXPECT_EQ(dword(3), stored->bytes);
    EXPECT_EQ(3u, store.ReadRenumberDigits());
}

TEST_F(Settings, ResizeValuesAreWrittenOnlyIntoAnExistingMachineKey) {
    EXPECT_TRUE(store.WriteResizeDword("ResizeCustomWidth", 300));
    EXPECT_TRUE(store.WriteResizePrefix("web_"));
    EXPECT_FALSE(backend.hasKey(SettingsRoot::Machine, kMachineKey));
    const std::string open = "open HKLM\\" + kMachineKey + " for writing";
    EXPECT_EQ((std::vector<std::string>{open, open}), backend.calls);

    backend.addKey(SettingsRoot::Machine, kMachineKey);
    EXPECT_TRUE(store.WriteResizeDword("ResizeCustomWidth", 300));
    EXPECT_TRUE(store.WriteResizePrefix("web_"));
    EXPECT_EQ(std::optional<std::string>(dword(300)),
              bytesOf(backend, SettingsRoot::Machine, kMachineKey, "ResizeCustomWidth"));
    const std::optional<SettingsValue> prefix =
        backend.value(SettingsRoot::Machine, kMachineKey, "ResizePrefix");
    ASSERT_TRUE(prefix);
    EXPECT_EQ(reg::Sz, prefix->type);
    EXPECT_EQ(std::string("web_\0", 5), prefix->bytes);
}

} // namespace
} // namespace tessaly::test
