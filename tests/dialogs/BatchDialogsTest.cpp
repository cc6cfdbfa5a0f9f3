// The progress window and the result dialog, driven through controls without windows.
#include "dialogs/ProgressDlg.h"
#include "dialogs/ResultDlg.h"
#include "resources/ResourceIds.h"
#include "support/FakeDialogControls.h"

#include <gtest/gtest.h>

#include <climits>

namespace tessaly::test {
namespace {

const char* const kTemplateDone = "Files renamed/resized:";
const char* const kTemplateNotDone = "Files not renamed/resized:";

struct LabelCase {
    bool rename;
    bool resize;
    const char* done; // null: the labels are left alone
    const char* notDone;
};

const LabelCase kLabelCases[] = {
    {true, true, "Files renamed/resized:", "Files not renamed/resized:"},
    {true, false, "Files renamed:", "Files not renamed:"},
    {false, true, "Files resized:", "Files not resized:"},
    {false, false, nullptr, nullptr},
};

// The progress window as the template creates it.
class ProgressDialog : public ::testing::Test {
protected:
    CProgressDlg dialog;
    FakeDialogControls window;

    void SetUp() override {
        window.controls[IDC_DONE_LABEL].text = kTemplateDone;
        window.controls[IDC_NOT_DONE_LABEL].text = kTemplateNotDone;
        EXPECT_TRUE(window.Open(dialog));
    }
};

TEST_F(ProgressDialog, LabelsFollowRenameAndResize) {
    for (const LabelCase& c : kLabelCases) {
        SCOPED_TRACE(::testing::Message() << "rename " << c.rename << ", resize " << c.resize);
        window.controls[IDC_DONE_LABEL].text = "done before";
        window.controls[IDC_NOT_DONE_LABEL].text = "not done before";
        dialog.SetCounterLabels(c.rename, c.resize);
        EXPECT_EQ(c.done ? c.done : "done before", window.text(IDC_DONE_LABEL));
        EXPECT_EQ(c.notDone ? c.notDone : "not done before", window.text(IDC_NOT_DONE_LABEL));
    }
}

TEST_F(ProgressDialog, CountsGoToTheirOwnControls) {
    dialog.SetDoneText("12");
    dialog.SetNotDoneText("3");
    EXPECT_EQ("12", window.text(IDC_DONE_COUNT));
    EXPECT_EQ("3", window.text(IDC_NOT_DONE_COUNT));
}

TEST_F(ProgressDialog, PercentIsClampedToTheBarsRange) {
    const struct {
        int given;
        int shown;
    } cases[] = {{-5, 0}, {INT_MIN, 0}, {0, 0}, {33, 33}, {100, 100}, {150, 100}, {INT_MAX, 100}};
    for (const auto& c : cases) {
        window.controls[IDC_PROGRESS_BAR].position = -1;
        dialog.SetPercent(c.given);
        EXPECT_EQ(c.shown, window.controls[IDC_PROGRESS_BAR].position) << "given " << c.given;
    }
}

TEST_F(ProgressDialog, EnterHidesItAndItStillTakesUpdates) {
    EXPECT_TRUE(dialog.OnCommand(IDC_OK, 0));
    EXPECT_TRUE(window.ended);
    EXPECT_FALSE(window.windowVisible);
    EXPECT_EQ(0, window.destroyCount);

    dialog.SetDoneText("4");
    dialog.SetPercent(80);
    EXPECT_EQ("4", window.text(IDC_DONE_COUNT));
    EXPECT_EQ(80, window.controls[IDC_PROGRESS_BAR].position);

    dialog.Close();
    EXPECT_EQ(1, window.destroyCount);
    EXPECT_FALSE(dialog.hasWindow());
}

TEST_F(ProgressDialog, EscDestroysItAndLaterUpdatesAreDropped) {
    dialog.SetDoneText("1");
    dialog.SetPercent(10);
    EXPECT_TRUE(dialog.OnCommand(IDC_CANCEL, 0));
    EXPECT_EQ(1, window.destroyCount);
    EXPECT_FALSE(dialog.hasWindow());

    dialog.SetCounterLabels(true, false);
    dialog.SetDoneText("2");
    dialog.SetNotDoneText("7");
    dialog.SetPercent(50);
    EXPECT_EQ("1", window.text(IDC_DONE_COUNT));
    EXPECT_EQ("", window.text(IDC_NOT_DONE_COUNT));
    EXPECT_EQ(kTemplateDone, window.text(IDC_DONE_LABEL));
    EXPECT_EQ(10, window.controls[IDC_PROGRESS_BAR].position);

    dialog.Close();
    EXPECT_EQ(1, window.destroyCount);
}

TEST(ProgressDialogLifetime, DestructorClosesAnOpenWindow) {
    FakeDialogControls window;
    {
        CProgressDlg dialog;
        window.Open(dialog);
    }
    EXPECT_EQ(1, window.destroyCount);
}

TEST(ResultDialog, ShowsItsStringsUnderTheirIds) {
    for (const LabelCase& c : kLabelCases) {
        SCOPED_TRACE(::testing::Message() << "rename " << c.rename << ", resize " << c.resize);
        CResultDlg dialog;
        EXPECT_EQ(IDD_RESULT, dialog.templateId());
        dialog.notDoneText = "2";
        dialog.doneText = "10";
        dialog.logFileText = "C:\\Photos\\Tessaly.log";
        dialog.SetCounterLabels(c.rename, c.resize);
        FakeDialogControls window;
        window.Open(dialog);

        EXPECT_EQ("2", window.text(IDC_NOT_DONE_COUNT));
        EXPECT_EQ("10", window.text(IDC_DONE_COUNT));
        EXPECT_EQ("C:\\Photos\\Tessaly.log", window.text(IDC_LOG_FILE));
        // Without a wording the label strings stay empty, and so do the labels.
        EXPECT_EQ(c.done ? c.done : "", window.text(IDC_DONE_LABEL));
        EXPECT_EQ(c.notDone ? c.notDone : "", window.text(IDC_NOT_DONE_LABEL));
    }
}

} // namespace
} // namespace tessaly::test
