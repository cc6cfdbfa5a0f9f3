// What the main dialog starts with, and what it saves, in which order.
#include "settings/DialogSettings.h"

#include "support/FakeSettingsBackend.h"

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

const std::string kUserKey = "SOFTWARE\\Vexmoor Software\\Tessaly\\3.01.000";
const std::string kMachineKey = "SOFTWARE\\Vexmoor Software\\Tessaly\\3.10.000";

TEST(DialogSettings, DigitCountFollowsTheFileCountRaisedByTheStoredCountUpTo9) {
    struct Row {
        int files;
        std::uint32_t type; // 0: nothing stored
        std::string bytes;
        int expected;
    };
    const Row rows[] = {
        {0, 0, "", 1},
        {9, 0, "", 1},
        {10, 0, "", 2},
        {25, 0, "", 2},
        {10000, 0, "", 5},
        {25, reg::Dword, dword(4), 4},
        {10000, reg::Dword, dword(4), 5},
        {25, reg::Dword, dword(1), 2},
        {25, reg::Sz, std::string("3\0", 2), 2},
        {5, reg::Dword, dword(9), 9},
        // Only a hand-edited registry holds these; no number may grow past 9 digits.
        {5, reg::Dword, dword(12), 9},
        {5, reg::Dword, dword(0xFFFFFFFF), 9},
        {5, reg::Dword, dword(0x80000000), 9},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.files << " files, " << row.bytes.size() << " bytes");
        FakeSettingsBackend backend;
        if (row.type != 0)
            backend.putValue(SettingsRoot::User, kUserKey, "RenumberDigits", row.type, row.bytes);
        ResizeSettingsValues resize;
        EXPECT_EQ(row.expected,
                  LoadRenameDialogSettings(SettingsStore(backend), row.files, resize));
    }
}

TEST(DialogSettings, LoadReadsEveryValueOnceInOrder) {
    FakeSettingsBackend backend;
    backend.putValue(SettingsRoot::Machine, kMachineKey, "ResizePrefix", reg::Sz,
                     std::string("web_\0", 5));
    backend.putValue(SettingsRoot::Machine, kMachineKey, "ResizeSelectedSize", reg::Dword,
                     dword(1047));
    backend.putValue(SettingsRoot::Machine, kMachineKey, "ResizeCustomWidth", reg::Dword,
                     dword(300));
    backend.putValue(SettingsRoot::Machine, kMachineKey, "ResizeCustomHeight", reg::Dword,
                     dword(200));
    ResizeSettingsValues resize;
    EXPECT_EQ(1, LoadRenameDialogSettings(SettingsStore(backend), 3, resize));
    EXPECT_EQ("web_", resize.resizePrefix);
    EXPECT_EQ(1047, resize.selectedSizeId);
    EXPECT_EQ(300u, resize.customWidth);
    EXPECT_EQ(200u, resize.customHeight);

    std::vector<std::string> queries;
    for (const std::string& call : backend.calls)
        if (call.rfind("query ", 0) == 0)
            queries.push_back(call);
    EXPECT_EQ(
        (std::vector<std::string>{"query ResizePrefix 4096", "query ResizeSelectedSize 1024",
                                  "query ResizeCustomHeight 1024", "query ResizeCustomWidth 1024"}),
        queries); // RenumberDigits comes first, but its key does not exist
    EXPECT_EQ("open HKCU\\" + kUserKey + " for reading", backend.calls.front());
    EXPECT_EQ(0, backend.openKeys);
}

TEST(DialogSettings, SelectedSizeIsTakenOnlyAboveZeroWhileTheOthersAlwaysReplace) {
    for (std::int32_t stored : {0, -5}) {
        SCOPED_TRACE(stored);
        FakeSettingsBackend backend;
        backend.putValue(SettingsRoot::Machine, kMachineKey, "ResizeSelectedSize", reg::Dword,
                         dword(static_cast<std::uint32_t>(stored)));
        ResizeSettingsValues resize{"old", 1044, 640, 480};
        LoadRenameDialogSettings(SettingsStore(backend), 1, resize);
        EXPECT_EQ(1044, resize.selectedSizeId);
        EXPECT_EQ("sml.", resize.resizePrefix);
        EXPECT_EQ(0u, resize.customWidth);
        EXPECT_EQ(0u, resize.customHeight);
    }
}

TEST(DialogSettings, ValuesNoDialogCouldHaveSavedLoadAsTheDefaults) {
    const struct {
        std::uint32_t selected, width, height;
        int selectedAfter;
        unsigned widthAfter, heightAfter;
    } rows[] = {
        {1045, 300, 200, 1044, 300, 200},                 // no button has 1045
        {1034, 300, 200, 1044, 300, 200},                 // past the height presets
        {1047, 0, 200, 1044, 0, 200},                     // a custom width of 0
        {1046, 300, 0, 1044, 300, 0},                     // a custom height of 0
        {1047, 0x80000000u, 200, 1044, 0, 200},           // would show as -1
        {1046, 300, 0xFFFFFFFFu, 1044, 300, 0},           // likewise
        {1047, 0x7FFFFFFFu, 200, 1047, 0x7FFFFFFFu, 200}, // the largest the field takes
        {1031, 0x80000000u, 0x80000000u, 1031, 0, 0},     // a preset keeps its choice
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.selected);
        FakeSettingsBackend backend;
        backend.putValue(SettingsRoot::Machine, kMachineKey, "ResizeSelectedSize", reg::Dword,
                         dword(row.selected));
        backend.putValue(SettingsRoot::Machine, kMachineKey, "ResizeCustomWidth", reg::Dword,
                         dword(row.width));
        backend.putValue(SettingsRoot::Machine, kMachineKey, "ResizeCustomHeight", reg::Dword,
                         dword(row.height));
        ResizeSettingsValues resize;
        LoadRenameDialogSettings(SettingsStore(backend), 1, resize);
        EXPECT_EQ(row.selectedAfter, resize.selectedSizeId);
        EXPECT_EQ(row.widthAfter, resize.customWidth);
        EXPECT_EQ(row.heightAfter, resize.customHeight);
    }
}

TEST(DialogSettings, AStoredPrefixThatNoFileNameMayHoldLoadsAsTheDefault) {
    const std::pair<std::string, std::string> rows[] = {
        {"..\\", "sml."}, {"sub/", "sml."}, {"a|b", "sml."},           {"x\ty", "sml."},
        {"web_", "web_"}, {"", ""},         {"\xCE\xBA_", "\xCE\xBA_"}};
    for (const auto& [stored, loaded] : rows) {
        FakeSettingsBackend backend;
        backend.putValue(SettingsRoot::Machine, kMachineKey, "ResizePrefix", reg::Sz,
                         stored + '\0');
        ResizeSettingsValues resize;
        LoadRenameDialogSettings(SettingsStore(backend), 1, resize);
        EXPECT_EQ(loaded, resize.resizePrefix) << stored;
    }
}

TEST(DialogSettings, ResizeSaveWritesEachValueThroughItsOwnKeyInOrder) {
    FakeSettingsBackend backend;
    backend.addKey(SettingsRoot::Machine, kMachineKey);
    SettingsStore store(backend);
    // A preset chosen after a custom width was typed: the custom width is kept as well.
    SaveResizeSettings(store, ResizeSettingsValues{"web_", 1041, 300, 0});
    const std::string open = "open HKLM\\" + kMachineKey + " for writing";
    EXPECT_EQ((std::vector<std::string>{
                  open, "set ResizePrefix", "close", open, "set ResizeSelectedSize", "close", open,
                  "set ResizeCustomHeight", "close", open, "set ResizeCustomWidth", "close"}),
              backend.calls);
    ResizeSettingsValues next;
    LoadRenameDialogSettings(store, 1, next);
    EXPECT_EQ("web_", next.resizePrefix);
    EXPECT_EQ(1041, next.selectedSizeId);
    EXPECT_EQ(300u, next.customWidth);
    EXPECT_EQ(0u, next.customHeight);
    EXPECT_FALSE(backend.hasKey(SettingsRoot::User, kUserKey));
}

} // namespace
} // namespace tessaly::test
