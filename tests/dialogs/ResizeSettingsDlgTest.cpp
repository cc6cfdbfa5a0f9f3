// The resize settings dialog driven through controls without windows: what it shows, what OK
// takes and refuses, and what the owner reads from it between runs.
#include "dialogs/ResizeSettingsDlg.h"
#include "platform/MessageBoxes.h"
#include "resources/ResourceIds.h"
#include "support/FakeDialogControls.h"

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

const int kSizeButtons[] = {1040, 1029, 1041, 1030, 1042, 1031, 1043, 1032, 1044, 1033, 1047, 1046};

const char* const kZeroSize = "The selected width or height must not be zero";
const char* const kEmptyPrefix = "The prefix must contain at least one character";
const char* const kForbidden =
    "The prefix may not contain any of the following characters: /*\\:?<>/";
const char* const kPrefixCaption = "Resize file prefix problem";

// One run of the dialog: opened on its own controls, as the owner runs it each time.
struct ResizeRun {
    FakeDialogControls window;

    explicit ResizeRun(CResizeSettingsDlg& dialog) { EXPECT_TRUE(window.Open(dialog)); }

    // A click on a size button: the buttons form one group, so it alone is on.
    void Choose(CResizeSettingsDlg& dialog, int id) {
        for (const int button : kSizeButtons)
            window.setChecked(button, button == id);
        EXPECT_TRUE(dialog.OnCommand(id, notify::ButtonClicked));
    }
    int CheckedButton() const {
        int checked = 0;
        for (const int button : kSizeButtons)
            if (window.isChecked(button))
                checked = checked == 0 ? button : -1;
        return checked;
    }
    void Ok(CResizeSettingsDlg& dialog) {
        EXPECT_TRUE(dialog.OnCommand(IDC_OK, notify::ButtonClicked));
    }
};

CResizeSettingsDlg& Loaded(CResizeSettingsDlg& dialog, const std::string& prefix, int selected,
                           unsigned width = 0, unsigned height = 0) {
    dialog.values.resizePrefix = prefix;
    dialog.values.selectedSizeId = selected;
    dialog.values.customWidth = width;
    dialog.values.customHeight = height;
    return dialog;
}

TEST(ResizeSettings, FirstRunShowsTheDefaults) {
    CResizeSettingsDlg dialog;
    dialog.values.resizePrefix = "sml.";
    ResizeRun run(dialog);
    EXPECT_EQ(1044, run.CheckedButton());
    EXPECT_EQ("0", run.window.text(IDC_CUSTOM_WIDTH_FIELD));
    EXPECT_EQ("0", run.window.text(IDC_CUSTOM_HEIGHT_FIELD));
    EXPECT_EQ("sml.", run.window.text(IDC_RESIZE_PREFIX));
    const struct {
        int id;
        const char* caption;
    } captions[] = {{1040, "160"}, {1041, "320"}, {1042, "500"}, {1043, "640"}, {1044, "700"},
                    {1029, "120"}, {1030, "240"}, {1031, "375"}, {1032, "480"}, {1033, "525"}};
    for (const auto& c : captions)
        EXPECT_EQ(c.caption, run.window.text(c.id)) << "button " << c.id;
    EXPECT_EQ(0, run.window.focus);
}

TEST(ResizeSettings, ButtonCaptionsComeFromTheTables) {
    CResizeSettingsDlg dialog;
    dialog.presetWidths[0] = 200;
    dialog.presetHeights[4] = 600;
    ResizeRun run(dialog);
    EXPECT_EQ("200", run.window.text(1040));
    EXPECT_EQ("600", run.window.text(1033));
}

TEST(ResizeSettings, AStoredChoiceWithoutAButtonBecomesLargeWidth) {
    for (const int stored : {1036, 1045, 1034, 1039, 1048, 1, -1044}) {
        CResizeSettingsDlg dialog;
        Loaded(dialog, "sml.", stored);
        ResizeRun run(dialog);
        EXPECT_EQ(1044, run.CheckedButton()) << "stored " << stored;
        EXPECT_EQ(1044, dialog.values.selectedSizeId) << "stored " << stored;
    }
    for (const int stored : kSizeButtons) {
        CResizeSettingsDlg dialog;
        Loaded(dialog, "sml.", stored);
        ResizeRun run(dialog);
        EXPECT_EQ(stored, run.CheckedButton());
    }
}

TEST(ResizeSettings, CustomButtonsPutTheFocusIntoTheirField) {
    CResizeSettingsDlg dialog;
    Loaded(dialog, "sml.", 1044, 300, 200);
    ResizeRun run(dialog);
    run.Choose(dialog, IDC_CUSTOM_WIDTH);
    EXPECT_EQ(IDC_CUSTOM_WIDTH_FIELD, run.window.focus);
    run.Choose(dialog, IDC_CUSTOM_HEIGHT);
    EXPECT_EQ(IDC_CUSTOM_HEIGHT_FIELD, run.window.focus);
    run.window.focus = 0;
    run.Choose(dialog, IDC_WIDTH_SMALL);
    EXPECT_EQ(0, run.window.focus);
}

TEST(ResizeSettings, SizeOfEveryChoice) {
    const struct {
        int button;
        int width;
        int height;
    } cases[] = {
        {1040, 160, 0}, {1041, 320, 0}, {1042, 500, 0}, {1043, 640, 0},
        {1044, 700, 0}, {1047, 300, 0}, {1029, 0, 120}, {1030, 0, 240},
        {1031, 0, 375}, {1032, 0, 480}, {1033, 0, 525}, {1046, 0, 200},
    };
    for (const auto& c : cases) {
        CResizeSettingsDlg dialog;
        Loaded(dialog, "sml.", 1044, 300, 200);
        ResizeRun run(dialog);
        run.Choose(dialog, c.button);
        run.Ok(dialog);
        EXPECT_TRUE(run.window.ended) << "button " << c.button;
        EXPECT_EQ(c.button, dialog.values.selectedSizeId);
        EXPECT_EQ(c.width, dialog.SelectedWidth()) << "button " << c.button;
        EXPECT_EQ(c.height, dialog.SelectedHeight()) << "button " << c.button;
    }
}

TEST(ResizeSettings, OkTakesTheFieldsAndClosesWithOk) {
    CResizeSettingsDlg dialog;
    Loaded(dialog, "sml.", 1044, 0, 0);
    ResizeRun run(dialog);
    run.window.setText(IDC_CUSTOM_WIDTH_FIELD, "1024");
    run.window.setText(IDC_CUSTOM_HEIGHT_FIELD, " 768 ");
    run.window.setText(IDC_RESIZE_PREFIX, "web_");
    run.Ok(dialog);
    EXPECT_TRUE(run.window.ended);
    EXPECT_EQ(IDC_OK, run.window.endResult);
    EXPECT_TRUE(run.window.messages.empty());
    EXPECT_EQ(1024u, dialog.values.customWidth);
    EXPECT_EQ(768u, dialog.values.customHeight);
    EXPECT_EQ("web_", dialog.values.resizePrefix);
    EXPECT_EQ(1044, dialog.values.selectedSizeId);
    // Enter is the same as the OK button.
    CResizeSettingsDlg other;
    Loaded(other, "", 1044);
    ResizeRun second(other);
    other.OnOK();
    EXPECT_FALSE(second.window.ended);
    EXPECT_EQ(1u, second.window.messages.size());
}

TEST(ResizeSettings, RefusalsKeepTheDialogOpen) {
    const struct {
        const char* prefix;
        int button;
        const char* width;
        const char* text; // null: accepted
        const char* caption;
    } cases[] = {
        {"sml.", 1047, "0", kZeroSize, "Notice"},
        {"sml.", 1046, "0", kZeroSize, "Notice"}, // the custom height field holds 0 too
        {"", 1044, "0", kEmptyPrefix, kPrefixCaption},
        {"", 1047, "0", kZeroSize, "Notice"}, // the size is checked first
        {"a/b", 1044, "0", kForbidden, kPrefixCaption},
        {"a*", 1044, "0", kForbidden, kPrefixCaption},
        {"\\", 1044, "0", kForbidden, kPrefixCaption},
        {"c:", 1044, "0", kForbidden, kPrefixCaption},
        {"?x", 1044, "0", kForbidden, kPrefixCaption},
        {"<", 1044, "0", kForbidden, kPrefixCaption},
        {"x>", 1044, "0", kForbidden, kPrefixCaption},
        // The other characters no file name may hold are named one by one.
        {"a|b", 1044, "0",
         "The prefix may not contain \"|\".  File names may not contain \\ / : * ? \" < > | or "
         "control characters.",
         kPrefixCaption},
        {"a\"b", 1044, "0",
         "The prefix may not contain \"\"\".  File names may not contain \\ / : * ? \" < > | or "
         "control characters.",
         kPrefixCaption},
        {"a\tb", 1044, "0",
         "The prefix may not contain a tab.  File names may not contain \\ / : * ? \" < > | or "
         "control characters.",
         kPrefixCaption},
        {" ", 1044, "0", nullptr, nullptr},
        {"sml.", 1047, "1", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "prefix \"" << c.prefix << "\", button " << c.button);
        CResizeSettingsDlg dialog;
        Loaded(dialog, "sml.", 1044);
        ResizeRun run(dialog);
        run.Choose(dialog, c.button);
        run.window.setText(IDC_CUSTOM_WIDTH_FIELD, c.width);
        run.window.setText(IDC_RESIZE_PREFIX, c.prefix);
        run.Ok(dialog);
        EXPECT_EQ(c.text == nullptr, run.window.ended);
        if (c.text == nullptr) {
            EXPECT_TRUE(run.window.messages.empty());
            EXPECT_EQ(c.prefix, dialog.values.resizePrefix); // nothing trimmed
            continue;
        }
        ASSERT_EQ(1u, run.window.messages.size());
        EXPECT_EQ(c.text, run.window.messages[0].text);
        EXPECT_EQ(c.caption, run.window.messages[0].caption);
        EXPECT_EQ(mb::Ok, run.window.messages[0].style);
    }
}

TEST(ResizeSettings, ACustomFieldWithoutANumberStopsTheTransferThere) {
    const struct {
        const char* width;
        const char* height;
        int focus;
        unsigned customWidth; // as taken before the field that stopped it
    } cases[] = {
        {"", "5", IDC_CUSTOM_WIDTH_FIELD, 10},
        {"12", "x", IDC_CUSTOM_HEIGHT_FIELD, 12},
        {"-3", "5", IDC_CUSTOM_WIDTH_FIELD, 10},
        {"4294967296", "5", IDC_CUSTOM_WIDTH_FIELD, 10},
        // Sizes travel on as signed 32-bit numbers: a wider one would come out negative.
        {"2147483648", "5", IDC_CUSTOM_WIDTH_FIELD, 10},
        {"12", "3000000000", IDC_CUSTOM_HEIGHT_FIELD, 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "width \"" << c.width << "\", height \"" << c.height << "\"");
        CResizeSettingsDlg dialog;
        Loaded(dialog, "sml.", 1041, 10, 20);
        ResizeRun run(dialog);
        run.Choose(dialog, 1030);
        run.window.setText(IDC_CUSTOM_WIDTH_FIELD, c.width);
        run.window.setText(IDC_CUSTOM_HEIGHT_FIELD, c.height);
        run.window.setText(IDC_RESIZE_PREFIX, "new.");
        run.window.focus = 0;
        run.Ok(dialog);
        EXPECT_FALSE(run.window.ended);
        ASSERT_EQ(1u, run.window.messages.size());
        EXPECT_EQ("Please enter a positive integer.", run.window.messages[0].text);
        EXPECT_EQ("Tessaly", run.window.messages[0].caption);
        EXPECT_EQ(mb::Ok | mb::IconExclamation, run.window.messages[0].style);
        EXPECT_EQ(c.focus, run.window.focus);
        EXPECT_EQ(c.customWidth, dialog.values.customWidth);
        EXPECT_EQ(20u, dialog.values.customHeight);
        EXPECT_EQ("sml.", dialog.values.resizePrefix);
        EXPECT_EQ(1041, dialog.values.selectedSizeId);
    }
    CResizeSettingsDlg dialog;
    Loaded(dialog, "sml.", 1047);
    ResizeRun run(dialog);
    run.window.setText(IDC_CUSTOM_WIDTH_FIELD, "2147483647");
    run.Ok(dialog);
    EXPECT_TRUE(run.window.ended);
    EXPECT_EQ(2147483647, dialog.SelectedWidth());
}

TEST(ResizeSettings, SizesAreCachedUntilTheNextOkButACustomZeroNever) {
    CResizeSettingsDlg dialog;
    Loaded(dialog, "sml.", 1047, 300);
    EXPECT_EQ(300, dialog.SelectedWidth());
    // The values change behind the answers: the known width holds.
    dialog.values.customWidth = 500;
    EXPECT_EQ(300, dialog.SelectedWidth());

    ResizeRun run(dialog);
    run.window.setText(IDC_CUSTOM_WIDTH_FIELD, "640");
    run.Ok(dialog);
    EXPECT_EQ(640, dialog.SelectedWidth());
    EXPECT_EQ(0, dialog.SelectedHeight());

    // A custom height of 0 is looked up again at every call.
    Loaded(dialog, "sml.", 1046, 0, 0);
    EXPECT_EQ(0, dialog.SelectedHeight());
    dialog.values.customHeight = 250;
    EXPECT_EQ(250, dialog.SelectedHeight());
}

TEST(ResizeSettings, ARefusedOkThenCancelKeepsTheNewValues) {
    CResizeSettingsDlg dialog;
    Loaded(dialog, "sml.", 1044, 300, 200);
    EXPECT_EQ(700, dialog.SelectedWidth());
    ResizeRun run(dialog);
    run.Choose(dialog, IDC_HEIGHT_THUMBNAIL);
    run.window.setText(IDC_CUSTOM_WIDTH_FIELD, "350");
    run.window.setText(IDC_RESIZE_PREFIX, "a/b");
    run.Ok(dialog);
    ASSERT_EQ(1u, run.window.messages.size());
    EXPECT_EQ(kForbidden, run.window.messages[0].text);
    EXPECT_TRUE(dialog.OnCommand(IDC_CANCEL, notify::ButtonClicked));
    EXPECT_EQ(IDC_CANCEL, run.window.endResult);

    EXPECT_EQ(1029, dialog.values.selectedSizeId);
    EXPECT_EQ(350u, dialog.values.customWidth);
    EXPECT_EQ("a/b", dialog.values.resizePrefix);
    EXPECT_EQ(0, dialog.SelectedWidth());
    EXPECT_EQ(120, dialog.SelectedHeight());
}

TEST(ResizeSettings, CancelKeepsTheEarlierChoice) {
    CResizeSettingsDlg dialog;
    Loaded(dialog, "sml.", 1042, 300, 200);
    ResizeRun run(dialog);
    run.Choose(dialog, 1047);
    run.window.setText(IDC_CUSTOM_WIDTH_FIELD, "999");
    run.window.setText(IDC_RESIZE_PREFIX, "x");
    EXPECT_TRUE(dialog.OnCommand(IDC_CANCEL, notify::ButtonClicked));
    EXPECT_TRUE(run.window.ended);
    EXPECT_EQ(IDC_CANCEL, run.window.endResult);
    EXPECT_EQ(1042, dialog.values.selectedSizeId);
    EXPECT_EQ(300u, dialog.values.customWidth);
    EXPECT_EQ("sml.", dialog.values.resizePrefix);
    EXPECT_EQ(500, dialog.SelectedWidth());
}

// The owner keeps one dialog and runs it again and again: each run starts from what the last
// one left.
TEST(ResizeSettings, EachRunStartsFromTheValuesTheLastOneLeft) {
    CResizeSettingsDlg dialog;
    Loaded(dialog, "sml.", 1044, 0, 0);
    {
        ResizeRun first(dialog);
        first.Choose(dialog, IDC_HEIGHT_THUMBNAIL);
        first.window.setText(IDC_CUSTOM_WIDTH_FIELD, "300");
        first.window.setText(IDC_RESIZE_PREFIX, "t_");
        first.Ok(dialog);
        EXPECT_TRUE(first.window.ended);
    }
    EXPECT_FALSE(dialog.hasWindow());
    EXPECT_EQ(0, dialog.SelectedWidth());
    EXPECT_EQ(120, dialog.SelectedHeight());

    ResizeRun second(dialog);
    EXPECT_EQ(1029, second.CheckedButton());
    EXPECT_EQ("300", second.window.text(IDC_CUSTOM_WIDTH_FIELD));
    EXPECT_EQ("0", second.window.text(IDC_CUSTOM_HEIGHT_FIELD));
    EXPECT_EQ("t_", second.window.text(IDC_RESIZE_PREFIX));
    second.Choose(dialog, 1047);
    second.Ok(dialog);
    EXPECT_TRUE(second.window.ended);
    EXPECT_EQ(300, dialog.SelectedWidth());
    EXPECT_EQ(0, dialog.SelectedHeight());
}

} // namespace
} // namespace tessaly::test
