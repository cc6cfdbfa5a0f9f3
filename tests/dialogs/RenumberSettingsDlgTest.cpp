// The renumber settings dialog driven through controls without windows: the digits offered,
// the range shown, and what OK accepts and refuses.
#include "dialogs/RenumberSettingsDlg.h"
#include "platform/MessageBoxes.h"
#include "resources/ResourceIds.h"
#include "support/FakeDialogControls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tessaly::test {
namespace {

const char* const kTooFewDigits = "The number of digits is too small.  Increase the number of "
                                  "digits or lower the start number.";

// One run of the dialog, as the owner sets it up.
struct Renumber {
    CRenumberSettingsDlg dialog;
    FakeDialogControls window;

    Renumber(int files, int digits, unsigned start = 1,
             RenumberOrder order = RenumberOrder::ByPath) {
        dialog.fileCount = files;
        dialog.digits = digits;
        dialog.startNumber = start;
        dialog.order = order;
        // The edit then notifies while the initialisation writes it, before the digit list
        // has any item.
        window.edits.insert(IDC_START_NUMBER);
        EXPECT_TRUE(window.Open(dialog));
    }
    void Type(const std::string& text) { window.setText(IDC_START_NUMBER, text); }
    void ChooseDigits(const std::string& item) {
        const auto& items = window.controls[IDC_DIGITS].items;
        const auto found = std::find(items.begin(), items.end(), item);
        ASSERT_NE(items.end(), found) << item;
        window.selectItem(IDC_DIGITS, static_cast<int>(found - items.begin()));
        dialog.OnCommand(IDC_DIGITS, notify::ComboSelChange);
    }
    std::string SelectedDigits() const {
        return window.itemText(IDC_DIGITS, window.selectedItem(IDC_DIGITS));
    }
    std::string Range() const { return window.text(IDC_RANGE); }
    void Ok() { EXPECT_TRUE(dialog.OnCommand(IDC_OK, notify::ButtonClicked)); }
};

TEST(RenumberSettings, DigitListStartsAtTheDigitsOfTheFileCount) {
    const struct {
        int files;
        std::vector<std::string> items;
    } cases[] = {
        {5, {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {150, {"3", "4", "5", "6", "7", "8", "9"}},
        {99, {"2", "3", "4", "5", "6", "7", "8", "9"}},
        {100000000, {"9"}},
    };
    for (const auto& c : cases) {
        Renumber run(c.files, 1);
        EXPECT_EQ(c.items, run.window.controls[IDC_DIGITS].items) << c.files << " files";
    }
}

TEST(RenumberSettings, TheDigitCountSelectsItsItemOrElseTheFirst) {
    const struct {
        int files;
        int digits;
        const char* selected;
    } cases[] = {
        {150, 5, "5"}, {150, 9, "9"}, {5, 1, "1"}, {150, 2, "3"}, // fewer than the files need
        {5, 12, "1"}, // a hand-edited stored count: "12" begins no item
        {5, 0, "1"},   {5, -3, "1"},
    };
    for (const auto& c : cases) {
        Renumber run(c.files, c.digits);
        EXPECT_EQ(c.selected, run.SelectedDigits()) << c.files << " files, digits " << c.digits;
    }
}

TEST(RenumberSettings, OpensWithTheStartTheRangeAndTheOrder) {
    Renumber run(25, 3, 1, RenumberOrder::ByModificationTime);
    EXPECT_EQ("1", run.window.text(IDC_START_NUMBER));
    EXPECT_EQ(9, run.window.controls[IDC_START_NUMBER].limit);
    EXPECT_EQ("001-025", run.Range());
    EXPECT_FALSE(run.window.isChecked(IDC_ORDER_ALPHANUMERIC));
    EXPECT_TRUE(run.window.isChecked(IDC_ORDER_FILE_TIME));
    EXPECT_FALSE(run.window.isChecked(IDC_ORDER_IMAGE_TIME));
}

TEST(RenumberSettings, OrderRadioForEveryValue) {
    const struct {
        RenumberOrder order;
        int radio;
    } cases[] = {{RenumberOrder::ByPath, IDC_ORDER_ALPHANUMERIC},
                 {RenumberOrder::ByModificationTime, IDC_ORDER_FILE_TIME},
                 {RenumberOrder::ByPictureDate, IDC_ORDER_IMAGE_TIME}};
    for (const auto& c : cases) {
        Renumber run(5, 1, 1, c.order);
        for (const int radio : {IDC_ORDER_ALPHANUMERIC, IDC_ORDER_FILE_TIME, IDC_ORDER_IMAGE_TIME})
            EXPECT_EQ(radio == c.radio, run.window.isChecked(radio))
                << "order " << static_cast<int>(c.order) << ", radio " << radio;
    }
}

TEST(RenumberSettings, RangeFollowsTheStartEditAndTheDigits) {
    const struct {
        int files;
        const char* digits;
        const char* start;
        const char* range;
    } cases[] = {
        {25, "3", "1", "001-025"},
        {25, "2", "90", "90-114"},
        {7, "1", "0", "0-6"},
        {7, "1", "", "0-6"}, // an empty edit counts from 0
        {7, "4", "999999999", "999999999-1000000005"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.files << " files, " << c.digits
                                          << " digits, start \"" << c.start << "\"");
        Renumber run(c.files, 1, 5);
        run.ChooseDigits(c.digits);
        run.Type(c.start);
        EXPECT_EQ(c.range, run.Range());
    }
}

TEST(RenumberSettings, OkTakesDigitsOrderAndStart) {
    Renumber run(25, 3, 1);
    run.ChooseDigits("4");
    run.Type("100");
    run.window.setChecked(IDC_ORDER_ALPHANUMERIC, false);
    run.window.setChecked(IDC_ORDER_IMAGE_TIME, true);
    run.Ok();
    EXPECT_TRUE(run.window.ended);
    EXPECT_EQ(IDC_OK, run.window.endResult);
    EXPECT_TRUE(run.window.messages.empty());
    EXPECT_EQ(4, run.dialog.digits);
    EXPECT_EQ(100u, run.dialog.startNumber);
    EXPECT_EQ(RenumberOrder::ByPictureDate, run.dialog.order);
}

// Ten files cannot be given one digit (the list starts at two), so nine files starting at 2
// reach the same last number, 10.
TEST(RenumberSettings, TooFewDigitsForTheLastNumberAreRefused) {
    Renumber run(9, 1, 2, RenumberOrder::ByPath);
    EXPECT_EQ("2-10", run.Range());
    run.window.setChecked(IDC_ORDER_ALPHANUMERIC, false);
    run.window.setChecked(IDC_ORDER_FILE_TIME, true);
    run.Ok();
    EXPECT_FALSE(run.window.ended);
    ASSERT_EQ(1u, run.window.messages.size());
    EXPECT_EQ(kTooFewDigits, run.window.messages[0].text);
    EXPECT_EQ("Notice", run.window.messages[0].caption);
    EXPECT_EQ(mb::Ok | mb::IconExclamation, run.window.messages[0].style);
    // Digits and order are taken before the check, the start only after it.
    EXPECT_EQ(1, run.dialog.digits);
    EXPECT_EQ(RenumberOrder::ByModificationTime, run.dialog.order);
    EXPECT_EQ(2u, run.dialog.startNumber);

    // Start 0: the last number, 8, fits.
    run.Type("0");
    EXPECT_EQ("0-8", run.Range());
    run.Ok();
    EXPECT_TRUE(run.window.ended);
    EXPECT_EQ(IDC_OK, run.window.endResult);
    EXPECT_EQ(0u, run.dialog.startNumber);
}

TEST(RenumberSettings, TheLastNumberMustFitTheDigitsWithoutOverflow) {
    const struct {
        int files;
        int digits;
        const char* start;
        bool accepted;
    } cases[] = {
        {10, 2, "90", true},
        {10, 2, "91", false},
        {10, 2, "0", true},
        {150, 3, "850", true},
        {150, 3, "851", false},
        {1, 9, "999999999", true},
        {2, 9, "999999999", false},
        // Texts the edit would not take from the keyboard, but a paste or a message can give.
        {2, 9, "4294967295", false},
        {2, 9, "99999999999999999999", false},
        {3, 1, "-1", false}, // the last number 1 fits, but the start is no whole number
        {1, 1, "-1", false}, // the last number -1 wraps round to a huge one
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.files << " files, start " << c.start);
        Renumber run(c.files, c.digits);
        run.Type(c.start);
        run.Ok();
        EXPECT_EQ(c.accepted, run.window.ended);
        EXPECT_EQ(c.accepted ? 0u : 1u, run.window.messages.size());
    }
}

TEST(RenumberSettings, AStartEditWithoutANumberKeepsTheDialogOpen) {
    Renumber run(7, 1, 3);
    run.Type("");
    EXPECT_EQ("0-6", run.Range());
    run.Ok();
    EXPECT_FALSE(run.window.ended);
    ASSERT_EQ(1u, run.window.messages.size());
    EXPECT_EQ("Please enter a positive integer.", run.window.messages[0].text);
    EXPECT_EQ("Tessaly", run.window.messages[0].caption);
    EXPECT_EQ(mb::Ok | mb::IconExclamation, run.window.messages[0].style);
    EXPECT_EQ(IDC_START_NUMBER, run.window.focus);
    EXPECT_EQ(3u, run.dialog.startNumber);

    run.Type("2");
    run.Ok();
    EXPECT_TRUE(run.window.ended);
    EXPECT_EQ(2u, run.dialog.startNumber);
}

TEST(RenumberSettings, CancelEndsWithoutTakingAnything) {
    Renumber run(25, 3, 1);
    run.ChooseDigits("5");
    run.Type("40");
    EXPECT_TRUE(run.dialog.OnCommand(IDC_CANCEL, notify::ButtonClicked));
    EXPECT_TRUE(run.window.ended);
    EXPECT_EQ(IDC_CANCEL, run.window.endResult);
    EXPECT_EQ(3, run.dialog.digits);
    EXPECT_EQ(1u, run.dialog.startNumber);
}

} // namespace
} // namespace tessaly::test
