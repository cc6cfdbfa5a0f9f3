// The settings against Wine's real registry, through the same store and sequences the dialogs
// use. A 32-bit program sees the machine's SOFTWARE through its 32-bit view, as the DLL does.
#include "settings/DialogSettings.h"
#include "settings/RegistryStore.h"
#include "support/RequestedRights.h"
#include "support/TestRegistry.h"

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

class RegistrySettings : public ::testing::Test {
protected:
    SettingsKeysRemoved clean;
    RegistryStore registry;
    SettingsStore store{registry};
};

TEST_F(RegistrySettings, WithoutKeysTheDefaultsHoldAndOnlyTheUserKeyIsCreated) {
    ResizeSettingsValues resize;
    EXPECT_EQ(2, LoadRenameDialogSettings(store, 25, resize));
    EXPECT_EQ("sml.", resize.resizePrefix);
    EXPECT_EQ(1044, resize.selectedSizeId);
    EXPECT_EQ(0u, resize.customWidth);
    EXPECT_EQ(0u, resize.customHeight);
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, kUserSettingsKey)); // reading creates nothing

    resize.customWidth = 300;
    SaveResizeSettings(store, resize);
    SaveRenumberDigits(store, 2);

    const std::optional<RawValue> digits =
        valueOf(HKEY_CURRENT_USER, kUserSettingsKey, "RenumberDigits");
    ASSERT_TRUE(digits);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), digits->type);
    EXPECT_EQ(std::string("\x02\x00\x00\x00", 4), digits->bytes);
    // Neither the machine key nor any part of its path is ever created here.
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vexmoor Software"));
    ResizeSettingsValues next;
    LoadRenameDialogSettings(store, 25, next);
    EXPECT_EQ(0u, next.customWidth);
}

TEST_F(RegistrySettings, AStoredDigitCountOnlyRaisesTheFileCountsDigits) {
    struct Row {
        DWORD type;
        std::string bytes;
        int files;
        int expected;
    };
    const Row rows[] = {
        {REG_DWORD, std::string("\x04\x00\x00\x00", 4), 25, 4},
        {REG_DWORD, std::string("\x04\x00\x00\x00", 4), 10000, 5},
        {REG_SZ, std::string("3\0", 2), 25, 2},
        {REG_DWORD, std::string("\xFF\xFF\xFF\xFF", 4), 25, 9},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.files << " files, type " << row.type);
        ASSERT_TRUE(
            putValue(HKEY_CURRENT_USER, kUserSettingsKey, "RenumberDigits", row.type, row.bytes));
        ResizeSettingsValues resize;
        EXPECT_EQ(row.expected, LoadRenameDialogSettings(store, row.files, resize));
    }
}

TEST_F(RegistrySettings, ASelectedSizeOfZeroOrBelowKeepsTheWidth700) {
    for (DWORD stored : {DWORD{0}, static_cast<DWORD>(-5), DWORD{1030}}) {
        SCOPED_TRACE(static_cast<int>(stored));
        ASSERT_TRUE(
            putDword(HKEY_LOCAL_MACHINE, kMachineSettingsKey, "ResizeSelectedSize", stored));
        ResizeSettingsValues resize;
        LoadRenameDialogSettings(store, 1, resize);
        EXPECT_EQ(stored == 1030 ? 1030 : 1044, resize.selectedSizeId);
    }
}

TEST_F(RegistrySettings, ThePrefixIsARegSzBelow4096BytesWithItsTerminator) {
    struct Row {
        DWORD type;
        std::string bytes;
        std::string expected;
    };
    const Row rows[] = {
        {REG_SZ, std::string("web_\0", 5), "web_"},
        {REG_SZ, std::string("\0", 1), ""},
        {REG_EXPAND_SZ, std::string("web_\0", 5), "sml."},
        {REG_SZ, std::string(4094, 'p') + '\0', std::string(4094, 'p')},
        {REG_SZ, std::string(4095, 'p') + '\0', "sml."},
        {REG_SZ, std::string(4096, 'p') + '\0', "sml."},
        // Written by an ANSI call in code page 1252, as earlier versions did.
        {REG_SZ, std::string("\xe9t\xe9_\0", 5), "\u00e9t\u00e9_"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.bytes.size() << " bytes, type " << row.type);
        ASSERT_TRUE(
            putValue(HKEY_LOCAL_MACHINE, kMachineSettingsKey, "ResizePrefix", row.type, row.bytes));
        EXPECT_EQ(row.expected, store.ReadResizePrefix());
    }
    const std::string beyondTheCodePage = "\u039a\U0001F600_";
    store.WriteResizePrefix(beyondTheCodePage);
    EXPECT_EQ(beyondTheCodePage, store.ReadResizePrefix());
}

TEST_F(RegistrySettings, ACustomWidthSurvivesTheChoiceOfAPreset) {
    ASSERT_TRUE(createKey(HKEY_LOCAL_MACHINE, kMachineSettingsKey));
    SaveResizeSettings(store, ResizeSettingsValues{"web_", 1041, 300, 0});

    const std::optional<RawValue> prefix =
        valueOf(HKEY_LOCAL_MACHINE, kMachineSettingsKey, "ResizePrefix");
    ASSERT_TRUE(prefix);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), prefix->type);
    EXPECT_EQ(std::string("web_\0", 5), prefix->bytes);
    for (const char* name : {"ResizeSelectedSize", "ResizeCustomWidth", "ResizeCustomHeight"}) {
        const std::optional<RawValue> value =
            valueOf(HKEY_LOCAL_MACHINE, kMachineSettingsKey, name);
        ASSERT_TRUE(value) << name;
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value->type) << name;
        EXPECT_EQ(4u, value->bytes.size()) << name;
    }

    ResizeSettingsValues next;
    LoadRenameDialogSettings(store, 1, next);
    EXPECT_EQ("web_", next.resizePrefix);
    EXPECT_EQ(1041, next.selectedSizeId);
    EXPECT_EQ(300u, next.customWidth);
    EXPECT_EQ(0u, next.customHeight);
}

// On Windows an open that asks for more than the key's ACL grants fails, and users get only what
// the package grants them on the machine key; Wine grants whatever is asked.
TEST_F(RegistrySettings, EveryOpenAsksForNoMoreThanThePackageGrantsUsers) {
    ASSERT_TRUE(createKey(HKEY_LOCAL_MACHINE, kMachineSettingsKey));
    const std::string machineKey = kMachineSettingsKey;
    const std::wstring machinePath(machineKey.begin(), machineKey.end());
    int opens = 0;
    {
        RequestedKeyRights requested;
        ResizeSettingsValues resize;
        LoadRenameDialogSettings(store, 25, resize);
        resize.customWidth = 300;
        SaveResizeSettings(store, resize);
        for (const auto& [path, rights] : requested.requests()) {
            opens += path == machinePath;
            EXPECT_EQ(0u, rights & ~REGSAM{TESSALY_USERS_KEY_RIGHTS})
                << "0x" << std::hex << rights << " asked for "
                << std::string(path.begin(), path.end());
        }
    }
    EXPECT_EQ(8, opens);       // four values read and four written, each through an open of its own
    ResizeSettingsValues next; // what was saved through those rights reads back
    LoadRenameDialogSettings(store, 25, next);
    EXPECT_EQ(300u, next.customWidth);
}

} // namespace
} // namespace tessaly::test
