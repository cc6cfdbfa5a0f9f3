// The batch's windows as real dialogs: the progress window over the foreground window, its
// updates, Enter and Esc; the result dialog read and closed from a second thread.
#include "batch/Win32BatchWindows.h"
#include "resources/ResourceIds.h"
#include "support/DialogDriver.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

const char* const kCaption = "Vexmoor Software Tessaly 3.1";

int BarPosition(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
}

POINT Centre(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// A top-level window in the foreground, as Explorer's window is when the batch starts.
class ProgressWindowTest : public ::testing::Test {
protected:
    HWND owner = nullptr;
    Win32BatchWindows windows;
    std::unique_ptr<ProgressWindow> progress;
    HWND dialog = nullptr;

    void SetUp() override {
        owner = CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 300, 200,
                                700, 500, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, owner);
        SetForegroundWindow(owner);
        ASSERT_EQ(owner, GetForegroundWindow());
        progress = windows.OpenProgress();
        dialog = FindWindowA("#32770", kCaption);
        ASSERT_NE(nullptr, dialog);
    }
    void TearDown() override {
        progress.reset();
        if (owner != nullptr)
            DestroyWindow(owner);
    }
};

TEST_F(ProgressWindowTest, OpensShownAndCentredOverTheForegroundWindow) {
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(owner, GetWindow(dialog, GW_OWNER));
    const POINT expected = Centre(owner);
    const POINT actual = Centre(dialog);
    EXPECT_NEAR(expected.x, actual.x, 1);
    EXPECT_NEAR(expected.y, actual.y, 1);
}

TEST_F(ProgressWindowTest, ShowsLabelsCountsAndAClampedBar) {
    progress->SetCounterLabels(true, false);
    EXPECT_EQ("Files renamed:", ControlText(dialog, IDC_DONE_LABEL));
    EXPECT_EQ("Files not renamed:", ControlText(dialog, IDC_NOT_DONE_LABEL));
    progress->SetCounterLabels(false, false);
    EXPECT_EQ("Files renamed:", ControlText(dialog, IDC_DONE_LABEL));
    progress->SetCounterLabels(false, true);
    EXPECT_EQ("Files resized:", ControlText(dialog, IDC_DONE_LABEL));
    EXPECT_EQ("Files not resized:", ControlText(dialog, IDC_NOT_DONE_LABEL));

    progress->SetDoneText("0");
    progress->SetNotDoneText("0");
    progress->SetDoneText("17");
    EXPECT_EQ("17", ControlText(dialog, IDC_DONE_COUNT));
    EXPECT_EQ("0", ControlText(dialog, IDC_NOT_DONE_COUNT));

    const struct {
        int given;
        int shown;
    } steps[] = {{33, 33}, {150, 100}, {66, 66}, {-5, 0}, {100, 100}};
    for (const auto& step : steps) {
        progress->SetPercent(step.given);
        EXPECT_EQ(step.shown, BarPosition(dialog)) << "given " << step.given;
    }
}

TEST_F(ProgressWindowTest, EnterHidesItAndItKeepsTakingUpdates) {
    PostKey(dialog, VK_RETURN);
    EXPECT_TRUE(progress->PumpMessages());
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_FALSE(IsWindowVisible(dialog));

    progress->SetDoneText("4");
    progress->SetPercent(80);
    EXPECT_EQ("4", ControlText(dialog, IDC_DONE_COUNT));
    EXPECT_EQ(80, BarPosition(dialog));

    progress->Close();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(ProgressWindowTest, EscDestroysItAndLaterUpdatesAreDropped) {
    PostKey(dialog, VK_ESCAPE);
    EXPECT_TRUE(progress->PumpMessages());
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowEnabled(owner));

    progress->SetCounterLabels(true, true);
    progress->SetDoneText("5");
    progress->SetNotDoneText("1");
    progress->SetPercent(90);
    EXPECT_TRUE(progress->PumpMessages());
    progress->Close();
    EXPECT_EQ(nullptr, FindWindowA("#32770", kCaption));
}

TEST_F(ProgressWindowTest, GoesWithItsObject) {
    progress.reset();
    EXPECT_FALSE(IsWindow(dialog));
}

TEST(ResultWindow, ShowsTheCountsAndTheLogPathUntilOk) {
    HWND seen = nullptr;
    HWND owner = reinterpret_cast<HWND>(1);
    std::string texts[5];
    DialogScript script([&] {
        seen = WaitForDialog(kCaption);
        if (seen == nullptr)
            return;
        owner = GetWindow(seen, GW_OWNER);
        const int ids[] = {IDC_DONE_LABEL, IDC_DONE_COUNT, IDC_NOT_DONE_LABEL, IDC_NOT_DONE_COUNT,
                           IDC_LOG_FILE};
        for (int i = 0; i < 5; ++i)
            texts[i] = ControlText(seen, ids[i]);
        ClickButton(seen, IDC_OK);
    });
    Win32BatchWindows windows;
    windows.ShowResult({"0", "1", "C:\\Photos\\Tessaly.log", true, false});
    script.Join();

    ASSERT_NE(nullptr, seen);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_EQ(nullptr, owner);
    EXPECT_EQ("Files renamed:", texts[0]);
    EXPECT_EQ("1", texts[1]);
    EXPECT_EQ("Files not renamed:", texts[2]);
    EXPECT_EQ("0", texts[3]);
    EXPECT_EQ("C:\\Photos\\Tessaly.log", texts[4]);
}

} // namespace
} // namespace tessaly::test
