// The main dialog driven through controls without windows: what it opens with, the removal
// adjuster step by step, the checkboxes and the action button, the two settings dialogs it
// runs, and what "Rename Files" writes, saves and refuses.
#include "dialogs/PreviewDlg.h"
#include "dialogs/RenameDlg.h"
#include "dialogs/RenumberSettingsDlg.h"
#include "naming/BatchJob.h"
#include "platform/MessageBoxes.h"
#include "resources/ResourceIds.h"
#include "settings/SettingsStore.h"
#include "support/FakeDialogControls.h"
#include "support/FakeFileSystem.h"
#include "support/FakeImageResizer.h"
#include "support/FakeSettingsBackend.h"
#include "support/RecordingPageOpener.h"
#include "support/ScriptedMessageBoxes.h"
#include "viewpage/ViewPageWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace tessaly::test {
namespace {

const std::string kUserKey = "SOFTWARE\\Vexmoor Software\\Tessaly\\3.01.000";
const std::string kMachineKey = "SOFTWARE\\Vexmoor Software\\Tessaly\\3.10.000";

const char* const kQuestion =
    "All of the common file prefix characters have been removed.  If you continue, the entire "
    "file prefix will be removed from all selected files during the rename operation.  The "
    "renumber option will be automatically set if you choose to continue.  Would you like to "
    "continue?";
const char* const kAlreadyRemoved = "The entire file prefix has already been removed.  Press the "
                                    "left arrow button to restore the prefix characters.";
const char* const kEntire = "<Entire prefix removed>";

int SetCalls(const FakeSettingsBackend& registry, const std::string& name) {
    return static_cast<int>(
        std::count(registry.calls.begin(), registry.calls.end(), "set " + name));
}

std::vector<FileEntry> Entries(const std::vector<std::string>& paths) {
    std::vector<FileEntry> files;
    for (const std::string& path : paths)
        files.push_back({path});
    return files;
}

// The dialog as the verb sets it up and runs it, on controls without windows. The machine key
// exists, as the installer leaves it, so that saved resize settings are kept.
struct RenameRun {
    FakeFileSystem disk;
    // At each look at the disk, whether the wait cursor was up.
    std::vector<int> cursorDepths;
    FakeSettingsBackend registry;
    SettingsStore store{registry};
    RecordingPageOpener opener;
    ScriptedMessageBoxes messages;
    ViewPageWriter viewPage{disk, opener, messages};
    std::vector<FileEntry> files;
    BatchJob job;
    // The orders the check asked for; the batch's order is the list reversed.
    std::vector<RenumberOrder> ordersAsked;
    CRenameDlg dialog;
    FakeDialogControls window;

    explicit RenameRun(const std::vector<std::string>& paths,
                       const std::function<void(RenameRun&)>& before = {})
        : files(Entries(paths)), job(files, std::make_unique<FakeImageResizer>()),
          dialog({store, disk, viewPage, [this](const BatchJob& j, RenumberOrder order) {
                      ordersAsked.push_back(order);
                      std::vector<FileEntry> reversed = j.files();
                      if (order != RenumberOrder::ByPath)
                          std::reverse(reversed.begin(), reversed.end());
                      return reversed;
                  }}) {
        disk.onExists = [this] { cursorDepths.push_back(window.waitCursorDepth); };
        for (const FileEntry& file : files)
            disk.addFile(file.path);
        registry.addKey(SettingsRoot::Machine, kMachineKey);
        dialog.TakeInputsFrom(job);
        window.edits.insert(IDC_NEW_PREFIX);
        window.strings[IDS_ABOUTBOX] = "&About Tessaly...";
        if (before)
            before(*this);
        EXPECT_TRUE(window.Open(dialog));
    }

    std::string Text(int id) const { return window.text(id); }
    bool Checked(int id) const { return window.isChecked(id); }
    bool Enabled(int id) const {
        const auto it = window.controls.find(id);
        return it == window.controls.end() || it->second.enabled;
    }
    void Type(const std::string& text) { window.setText(IDC_NEW_PREFIX, text); }
    // A click on a check box turns it over before the dialog hears of it.
    void Click(int id) {
        if (id == IDC_RENAME || id == IDC_RESIZE || id == IDC_RENUMBER)
            window.setChecked(id, !window.isChecked(id));
        EXPECT_TRUE(dialog.OnCommand(id, notify::ButtonClicked)) << "button " << id;
    }
    // The adjuster as the real control behaves with its own range, 100 down to 0: the right
    // arrow proposes -1, and the step the dialog hands back moves it unless refused.
    int Position() { return window.controls[IDC_REMOVAL_ADJUSTER].position; }
    void Step(int delta) {
        Notification n;
        n.id = IDC_REMOVAL_ADJUSTER;
        n.code = notify::UpDownDeltaPos;
        n.position = std::min(Position(), 100);
        n.delta = delta;
        ASSERT_TRUE(dialog.OnNotify(n));
        if (n.result == 0)
            window.controls[IDC_REMOVAL_ADJUSTER].position =
                std::clamp(n.position + n.delta, 0, 100);
    }
    void Right() { Step(-1); }
    void Left() { Step(+1); }
};

const std::vector<std::string> kRomePhotos = {
    "C:\\Photos\\IMG_0001.JPG", "C:\\Photos\\IMG_0002.JPG", "C:\\Photos\\IMG_0013.JPG"};

TEST(RenameDialog, OpensWithTheVerbsInputsAndTheStoredSettings) {
    RenameRun run(kRomePhotos, [](RenameRun& r) {
        r.registry.putValue(SettingsRoot::User, kUserKey, "RenumberDigits", reg::Dword, dword(4));
        r.registry.putValue(SettingsRoot::Machine, kMachineKey, "ResizeSelectedSize", reg::Dword,
                            dword(1029));
    });
    EXPECT_EQ("3", run.Text(IDC_FILE_COUNT));
    EXPECT_EQ("IMG_0001.JPG", run.Text(IDC_ORIGINAL_NAME));
    EXPECT_EQ("0001.JPG", run.Text(IDC_NEW_NAME));
    EXPECT_EQ("sml.0001.JPG", run.Text(IDC_RESIZE_NAME));
    EXPECT_EQ("", run.Text(IDC_NEW_PREFIX));
    EXPECT_EQ("4", run.Text(IDC_REMOVED_COUNT));
    EXPECT_EQ(4, run.Position());
    EXPECT_EQ("IMG_", run.Text(IDC_REMOVED_PREFIX));
    EXPECT_EQ("IMG_00", run.dialog.commonPrefix);
    EXPECT_EQ("Height: 120", run.Text(IDC_RESIZE_SIZE));
    EXPECT_EQ("Prefix: sml.", run.Text(IDC_RESIZE_PREFIX_TEXT));
    EXPECT_EQ(4, run.dialog.digits);
    EXPECT_EQ(1, run.dialog.startNumber);
    EXPECT_EQ(RenumberOrder::ByPath, run.dialog.order);
    EXPECT_EQ(0, run.dialog.renumber);

    EXPECT_TRUE(run.Checked(IDC_RENAME));
    EXPECT_FALSE(run.Checked(IDC_RESIZE));
    EXPECT_FALSE(run.Checked(IDC_RENUMBER));
    EXPECT_EQ("Rename Files", run.Text(IDC_RENAME_FILES));
    EXPECT_TRUE(run.Enabled(IDC_RENAME_FILES));
    EXPECT_FALSE(run.Enabled(IDC_RENUMBER_SETTINGS));
    for (const int id : {IDC_RESIZE_SETTINGS, IDC_RESIZE_NAME, IDC_RESIZE_NAME_LABEL,
                         IDC_RESIZE_SIZE, IDC_RESIZE_PREFIX_TEXT})
        EXPECT_FALSE(run.Enabled(id)) << id;

    EXPECT_EQ(IDI_TESSALY, run.window.icon);
    ASSERT_EQ(1u, run.window.systemMenu.size());
    EXPECT_EQ("&About Tessaly...", run.window.systemMenu[0].first);
    EXPECT_EQ(16u, run.window.systemMenu[0].second);
    // Loading reads, and writes nothing.
    EXPECT_FALSE(bytesOf(run.registry, SettingsRoot::Machine, kMachineKey, "ResizePrefix"));
}

TEST(RenameDialog, AdjusterWorkedExample) {
    RenameRun run(kRomePhotos);
    enum Action { Opened, Right, Left };
    const struct {
        Action action;
        int answer; // to a question, if one comes
        const char* message;
        int removed;
        int position;
        const char* display;
        const char* newName;
        bool renumberOn;
        bool renumberEnabled;
    } steps[] = {
        {Opened, 0, nullptr, 4, 4, "IMG_", "0001.JPG", false, true},
        {Right, 0, nullptr, 5, 5, "IMG_0", "001.JPG", false, true},
        {Right, 0, nullptr, 6, 6, "IMG_00", "01.JPG", false, true},
        {Right, mb::IdYes, kQuestion, 8, 7, kEntire, "1.JPG", true, false},
        {Right, 0, kAlreadyRemoved, 8, 7, kEntire, "1.JPG", true, false},
        // Renumbering stays on: 01 loses its trailing digits and gets the number 1.
        {Left, 0, nullptr, 6, 6, "IMG_00", "1.JPG", true, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(::testing::Message() << "removed " << step.removed << " at " << step.position);
        run.window.messages.clear();
        if (step.answer != 0)
            run.window.answers.push_back(step.answer);
        if (step.action == Right)
            run.Right();
        else if (step.action == Left)
            run.Left();
        if (step.message == nullptr) {
            EXPECT_TRUE(run.window.messages.empty());
        } else {
            ASSERT_EQ(1u, run.window.messages.size());
            EXPECT_EQ(step.message, run.window.messages[0].text);
            EXPECT_EQ("Notice", run.window.messages[0].caption);
            EXPECT_EQ(step.answer != 0 ? mb::YesNo : mb::Ok, run.window.messages[0].style);
        }
        EXPECT_EQ(std::to_string(step.removed), run.Text(IDC_REMOVED_COUNT));
        EXPECT_EQ(step.position, run.Position());
        EXPECT_EQ(step.display, run.Text(IDC_REMOVED_PREFIX));
        EXPECT_EQ(step.newName, run.Text(IDC_NEW_NAME));
        EXPECT_EQ(std::string("sml.") + step.newName, run.Text(IDC_RESIZE_NAME));
        EXPECT_EQ(step.renumberOn, run.Checked(IDC_RENUMBER));
        EXPECT_EQ(step.renumberOn ? 1 : 0, run.dialog.renumber);
        EXPECT_EQ(step.renumberOn, run.Enabled(IDC_RENUMBER_SETTINGS));
        EXPECT_EQ(step.renumberEnabled, run.Enabled(IDC_RENUMBER));
        EXPECT_EQ(step.display == kEntire, run.dialog.entirePrefixRemoved);
    }
}

// A single file's prefix is its whole base name: the adjuster runs from 0 to its length and
// never asks about removing more.
TEST(RenameDialog, OneFileNeverReachesTheEntirePrefixQuestion) {
    RenameRun run({"C:\\Photos\\IMG_0001.JPG"});
    EXPECT_EQ(8, run.dialog.maxPrefix);
    for (int i = 0; i < 6; ++i)
        run.Right();
    EXPECT_EQ("8", run.Text(IDC_REMOVED_COUNT));
    EXPECT_EQ("IMG_0001", run.Text(IDC_REMOVED_PREFIX));
    EXPECT_EQ(".JPG", run.Text(IDC_NEW_NAME));
    for (int i = 0; i < 10; ++i)
        run.Left();
    EXPECT_EQ("0", run.Text(IDC_REMOVED_COUNT));
    EXPECT_EQ(0, run.Position());
    EXPECT_EQ("IMG_0001.JPG", run.Text(IDC_NEW_NAME));
    EXPECT_TRUE(run.window.messages.empty());
    EXPECT_FALSE(run.dialog.entirePrefixRemoved);
}

// Counts, the removed prefix and the example are in whole characters as a person sees them,
// whatever their bytes: a letter with its combining accent, a flag, a family joined by ZWJ and
// a heart with its variation selector are one character each.
TEST(RenameDialog, TheAdjusterStepsWholeCharacters) {
    const std::string family = "\U0001F468\u200D\U0001F469\u200D\U0001F467";
    const std::string flags = "\U0001F1EB\U0001F1F7\U0001F1EE\U0001F1F9\U0001F1E9\U0001F1EA";
    const struct {
        std::vector<std::string> paths;
        std::vector<std::string> seen; // opened, one right, two left, three right with a Yes
    } selections[] = {
        {{"C:\\P\\\u30b2\u30fc\u30e001.jpg", "C:\\P\\\u30b2\u30fc\u30e002.jpg"},
         {"3 \u30b2\u30fc\u30e0 01.jpg", "4 \u30b2\u30fc\u30e00 1.jpg",
          "2 \u30b2\u30fc \u30e001.jpg", "5 <Entire prefix removed> 1.jpg"}},
        {{"C:\\P\\Ne\u0301e01.jpg", "C:\\P\\Ne\u0301e02.jpg"},
         {"3 Ne\u0301e 01.jpg", "4 Ne\u0301e0 1.jpg", "2 Ne\u0301 e01.jpg",
          "5 <Entire prefix removed> 1.jpg"}},
        {{"C:\\P\\" + flags + "\U0001F1EA\U0001F1F801.jpg",
          "C:\\P\\" + flags + "\U0001F1EA\U0001F1F802.jpg"},
         {"4 " + flags + "\U0001F1EA\U0001F1F8 01.jpg",
          "5 " + flags + "\U0001F1EA\U0001F1F80 1.jpg",
          "3 " + flags + " \U0001F1EA\U0001F1F801.jpg", "6 <Entire prefix removed> 1.jpg"}},
        {{"C:\\P\\" + family + "\u2764\uFE0Fb01.jpg", "C:\\P\\" + family + "\u2764\uFE0Fb02.jpg"},
         {"3 " + family + "\u2764\uFE0Fb 01.jpg", "4 " + family + "\u2764\uFE0Fb0 1.jpg",
          "2 " + family + "\u2764\uFE0F b01.jpg", "5 <Entire prefix removed> 1.jpg"}},
    };
    for (const auto& selection : selections) {
        SCOPED_TRACE(selection.paths.front());
        RenameRun run(selection.paths);
        std::vector<std::string> seen;
        const auto note = [&] {
            seen.push_back(run.Text(IDC_REMOVED_COUNT) + " " + run.Text(IDC_REMOVED_PREFIX) + " " +
                           run.Text(IDC_NEW_NAME));
        };
        note();
        run.Right();
        note();
        run.Left();
        run.Left();
        note();
        run.window.answers = {mb::IdYes};
        run.Right();
        run.Right();
        run.Right();
        note();
        EXPECT_EQ(selection.seen, seen);
    }
}

// The control stops at 100; a longer prefix is still stepped one character at a time.
TEST(RenameDialog, APrefixBeyondTheControlsRangeStepsOneByOne) {
    const std::string stem = "C:\\P\\" + std::string(120, 'A');
    RenameRun run({stem + "x1.jpg", stem + "x2.jpg"});
    run.window.answers = {mb::IdNo};
    std::vector<std::string> counts = {run.Text(IDC_REMOVED_COUNT)};
    for (const bool right : {false, false, true, true, true}) {
        if (right)
            run.Right();
        else
            run.Left();
        counts.push_back(run.Text(IDC_REMOVED_COUNT));
    }
    EXPECT_EQ((std::vector<std::string>{"121", "120", "119", "120", "121", "121"}), counts);
    ASSERT_EQ(1u, run.window.messages.size());
    EXPECT_EQ(kQuestion, run.window.messages[0].text);
}

// Letter case differs at the first byte: no common prefix, so the first right arrow asks.
TEST(RenameDialog, AnEmptyCommonPrefixAsksAtTheFirstStep) {
    RenameRun run({"C:\\Photos\\img_01.jpg", "C:\\Photos\\IMG_02.jpg"});
    EXPECT_EQ("0", run.Text(IDC_REMOVED_COUNT));

    run.window.answers = {mb::IdNo};
    run.Right();
    ASSERT_EQ(1u, run.window.messages.size());
    EXPECT_EQ(kQuestion, run.window.messages[0].text);
    EXPECT_EQ("0", run.Text(IDC_REMOVED_COUNT));
    EXPECT_EQ(0, run.Position());
    EXPECT_EQ("img_01.jpg", run.Text(IDC_NEW_NAME));
    EXPECT_FALSE(run.Checked(IDC_RENUMBER));

    run.window.answers = {mb::IdYes};
    run.Type("Trip");
    run.Right();
    EXPECT_EQ(2u, run.window.messages.size());
    EXPECT_EQ("6", run.Text(IDC_REMOVED_COUNT));
    EXPECT_EQ(kEntire, run.Text(IDC_REMOVED_PREFIX));
    EXPECT_EQ("Trip1.jpg", run.Text(IDC_NEW_NAME));

    run.Left();
    EXPECT_EQ("0", run.Text(IDC_REMOVED_COUNT));
    EXPECT_EQ("", run.Text(IDC_REMOVED_PREFIX));
    EXPECT_EQ("Tripimg_1.jpg", run.Text(IDC_NEW_NAME));
    // A left arrow at 0 is refused without a word.
    run.Left();
    EXPECT_EQ(0, run.Position());
    EXPECT_EQ(2u, run.window.messages.size());
}

TEST(RenameDialog, ActionButtonAndExampleFollowTheCheckboxes) {
    const int renameGroup[] = {IDC_REMOVED_PREFIX, IDC_NEW_PREFIX, IDC_NEW_NAME,
                               IDC_NEW_NAME_LABEL, IDC_RENUMBER,   IDC_REMOVAL_ADJUSTER};
    const int resizeGroup[] = {IDC_RESIZE_SETTINGS, IDC_RESIZE_NAME, IDC_RESIZE_NAME_LABEL,
                               IDC_RESIZE_SIZE, IDC_RESIZE_PREFIX_TEXT};
    const struct {
        std::vector<int> clicks;
        const char* caption;
        bool enabled;
        const char* newName;
    } cases[] = {
        {{}, "Rename Files", true, "X0001.JPG"},
        {{IDC_RESIZE}, "Rename && Resize", true, "X0001.JPG"},
        {{IDC_RESIZE, IDC_RESIZE}, "Rename Files", true, "X0001.JPG"},
        {{IDC_RENAME}, "Rename Files", false, "IMG_0001.JPG"},
        {{IDC_RENAME, IDC_RENAME}, "Rename files", true, "X0001.JPG"},
        {{IDC_RESIZE, IDC_RENAME}, "Resize files", true, "IMG_0001.JPG"},
        {{IDC_RENAME, IDC_RESIZE}, "Resize files", true, "IMG_0001.JPG"},
        {{IDC_RESIZE, IDC_RENAME, IDC_RESIZE}, "Resize files", false, "IMG_0001.JPG"},
        {{IDC_RENAME, IDC_RESIZE, IDC_RENAME}, "Rename && Resize", true, "X0001.JPG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.clicks.size() << " clicks, " << c.caption);
        RenameRun run(kRomePhotos);
        run.Type("X");
        for (const int id : c.clicks)
            run.Click(id);
        EXPECT_EQ(c.caption, run.Text(IDC_RENAME_FILES));
        EXPECT_EQ(c.enabled, run.Enabled(IDC_RENAME_FILES));
        EXPECT_EQ(c.enabled, run.Enabled(IDC_PREVIEW));
        EXPECT_EQ(c.newName, run.Text(IDC_NEW_NAME));
        EXPECT_EQ(std::string("sml.") + c.newName, run.Text(IDC_RESIZE_NAME));
        for (const int id : renameGroup)
            EXPECT_EQ(run.Checked(IDC_RENAME), run.Enabled(id)) << "control " << id;
        for (const int id : resizeGroup)
            EXPECT_EQ(run.Checked(IDC_RESIZE), run.Enabled(id)) << "control " << id;
    }
}

TEST(RenameDialog, RenumberSettingsAreTakenOnlyOnOk) {
    RenameRun run(kRomePhotos);
    run.Click(IDC_RENUMBER);
    EXPECT_EQ("1.JPG", run.Text(IDC_NEW_NAME));
    std::vector<std::string> seen;
    int result = IDC_CANCEL;
    run.window.childRunner = [&](Dialog& child) {
        auto& settings = dynamic_cast<CRenumberSettingsDlg&>(child);
        seen.push_back(std::to_string(settings.digits) + " " +
                       std::to_string(settings.startNumber) + " " +
                       std::to_string(static_cast<int>(settings.order)) + " " +
                       std::to_string(settings.fileCount));
        settings.digits = 3;
        settings.startNumber = 90;
        settings.order = RenumberOrder::ByModificationTime;
        return result;
    };
    run.Click(IDC_RENUMBER_SETTINGS);
    EXPECT_EQ(1, run.dialog.digits);
    EXPECT_EQ(1, run.dialog.startNumber);
    EXPECT_EQ(RenumberOrder::ByPath, run.dialog.order);
    EXPECT_EQ("1.JPG", run.Text(IDC_NEW_NAME));

    result = IDC_OK;
    run.Click(IDC_RENUMBER_SETTINGS);
    EXPECT_EQ((std::vector<std::string>{"1 1 1 3", "1 1 1 3"}), seen);
    EXPECT_EQ(3, run.dialog.digits);
    EXPECT_EQ(90, run.dialog.startNumber);
    EXPECT_EQ(RenumberOrder::ByModificationTime, run.dialog.order);
    EXPECT_EQ("090.JPG", run.Text(IDC_NEW_NAME));
}

// The resize settings dialog kept by the main dialog, run on controls of its own: whichever
// button closes it, the labels and the example show what it holds then.
TEST(RenameDialog, ResizeSettingsShowWhateverTheirDialogHolds) {
    RenameRun run(kRomePhotos);
    run.Click(IDC_RESIZE);
    std::function<void(FakeDialogControls&, Dialog&)> user;
    std::vector<int> results;
    run.window.childRunner = [&](Dialog& child) {
        FakeDialogControls controls;
        controls.Open(child);
        user(controls, child);
        results.push_back(controls.endResult);
        return controls.endResult;
    };
    user = [](FakeDialogControls& c, Dialog& d) {
        c.setChecked(IDC_WIDTH_LARGE, false);
        c.setChecked(IDC_HEIGHT_THUMBNAIL, true);
        c.setText(IDC_RESIZE_PREFIX, "t_");
        d.OnCommand(IDC_OK, notify::ButtonClicked);
    };
    run.Click(IDC_RESIZE_SETTINGS);
    EXPECT_EQ(&run.dialog.resizeSettings, run.window.children.at(0));
    EXPECT_EQ("Height: 120", run.Text(IDC_RESIZE_SIZE));
    EXPECT_EQ("Prefix: t_", run.Text(IDC_RESIZE_PREFIX_TEXT));
    EXPECT_EQ("t_0001.JPG", run.Text(IDC_RESIZE_NAME));

    // A refused OK has taken the fields already; Cancel then keeps them.
    user = [](FakeDialogControls& c, Dialog& d) {
        c.setText(IDC_RESIZE_PREFIX, "");
        d.OnCommand(IDC_OK, notify::ButtonClicked);
        d.OnCommand(IDC_CANCEL, notify::ButtonClicked);
    };
    run.Click(IDC_RESIZE_SETTINGS);
    EXPECT_EQ((std::vector<int>{IDC_OK, IDC_CANCEL}), results);
    EXPECT_EQ("Prefix: ", run.Text(IDC_RESIZE_PREFIX_TEXT));
    EXPECT_EQ("0001.JPG", run.Text(IDC_RESIZE_NAME));
    EXPECT_EQ("Height: 120", run.Text(IDC_RESIZE_SIZE));
}

TEST(RenameDialog, WindowMenuAboutPaintingAndTheHiddenViewButton) {
    RenameRun run(kRomePhotos);
    // The About dialog lives only while it runs.
    std::vector<int> opened;
    run.window.childRunner = [&](Dialog& child) {
        opened.push_back(child.templateId());
        return IDC_OK;
    };
    // Only the entry's own command, in any of its low four bits, opens About.
    for (const unsigned command : {0x0010u, 0x0013u, 0x001Fu})
        EXPECT_TRUE(run.dialog.OnSysCommand(command)) << command;
    for (const unsigned command : {0x0020u, 0xF010u, 0xF020u, 0xF060u, 0x0000u})
        EXPECT_FALSE(run.dialog.OnSysCommand(command)) << command;
    run.Click(IDC_ABOUT);
    EXPECT_EQ((std::vector<int>(4, IDD_ABOUTBOX)), opened);

    EXPECT_FALSE(run.dialog.OnPaint());
    run.window.minimized = true;
    EXPECT_TRUE(run.dialog.OnPaint());
    EXPECT_EQ(IDI_TESSALY, run.window.paintedIcon);
    EXPECT_EQ(IDI_TESSALY, run.dialog.OnQueryDragIcon());

    run.Click(IDC_VIEW_SELECTED);
    EXPECT_EQ((std::vector<std::string>{"C:\\Photos\\Tessaly.htm"}), run.opener.opened);
    EXPECT_NE(std::string::npos,
              run.disk.bytes("C:\\Photos\\Tessaly.htm").find("C:\\Photos\\IMG_0013.JPG"));
}

TEST(RenameDialog, RenameFilesSavesOnEveryPressAndATakenNameKeepsTheDialogOpen) {
    RenameRun run(kRomePhotos);
    run.disk.addFile("C:\\Photos\\Rome_0002.JPG");
    run.Type("Rome_");
    run.Click(IDC_RESIZE);
    run.Click(IDC_RENAME_FILES);

    EXPECT_FALSE(run.window.ended);
    ASSERT_EQ(1u, run.window.messages.size());
    EXPECT_EQ("One or more of the destination file names is already in use.  The first "
              "conflicting file name is \"C:\\Photos\\Rome_0002.JPG\".  Please modify your "
              "selected rename options or choose a different set of files.",
              run.window.messages[0].text);
    EXPECT_EQ("Tessaly Notice", run.window.messages[0].caption);
    EXPECT_EQ(mb::Ok | mb::IconExclamation, run.window.messages[0].style);
    // The check looked at the disk under the wait cursor, up to the first taken name.
    EXPECT_EQ((std::vector<int>{1, 1}), run.cursorDepths);
    EXPECT_EQ(1, run.window.waitCursorShown);
    EXPECT_EQ(0, run.window.waitCursorDepth);
    // The options were written before the check, and stay written.
    EXPECT_EQ("Rome_", run.job.newPrefix());
    EXPECT_EQ(4, run.job.removedCount());
    EXPECT_EQ(0, run.job.renumber());
    EXPECT_EQ(1, run.job.digits());
    EXPECT_EQ(1, run.job.startNumber());
    EXPECT_FALSE(run.job.entirePrefixRemoved());
    EXPECT_EQ(std::string("sml.\0", 5),
              bytesOf(run.registry, SettingsRoot::Machine, kMachineKey, "ResizePrefix"));
    EXPECT_EQ(dword(1044),
              bytesOf(run.registry, SettingsRoot::Machine, kMachineKey, "ResizeSelectedSize"));
    EXPECT_EQ(dword(0),
              bytesOf(run.registry, SettingsRoot::Machine, kMachineKey, "ResizeCustomWidth"));
    EXPECT_EQ(dword(0),
              bytesOf(run.registry, SettingsRoot::Machine, kMachineKey, "ResizeCustomHeight"));

    run.Type("Trip_");
    run.Click(IDC_RENAME_FILES);
    EXPECT_TRUE(run.window.ended);
    EXPECT_EQ(IDC_OK, run.window.endResult);
    EXPECT_EQ(1u, run.window.messages.size());
    EXPECT_EQ("Trip_", run.job.newPrefix());
    for (const char* name :
         {"ResizePrefix", "ResizeSelectedSize", "ResizeCustomHeight", "ResizeCustomWidth"})
        EXPECT_EQ(2, SetCalls(run.registry, name)) << name;
    // The digit count is the verb's to save, and only once the dialog has closed.
    EXPECT_EQ(0, SetCalls(run.registry, "RenumberDigits"));
    EXPECT_TRUE(run.dialog.renameChecked);
    EXPECT_TRUE(run.dialog.resizeChecked);
    EXPECT_TRUE(run.disk.renames.empty());
}

TEST(RenameDialog, ANewPrefixThatNoFileNameMayHoldIsRefusedBeforeAnythingElse) {
    const std::pair<const char*, const char*> rows[] = {{"sub\\", "\"\\\""},
                                                        {"..\\..\\", "\"\\\""},
                                                        {"a/b", "\"/\""},
                                                        {"C:", "\":\""},
                                                        {"a*", "\"*\""},
                                                        {"why?", "\"?\""},
                                                        {"\"q\"", "\"\"\""},
                                                        {"<x>", "\"<\""},
                                                        {"a|b", "\"|\""},
                                                        {"x\ty", "a tab"},
                                                        {"\x1b", "a control character (27)"}};
    for (const auto& [prefix, named] : rows) {
        RenameRun run(kRomePhotos);
        run.Type(prefix);
        run.Click(IDC_RENAME_FILES);
        EXPECT_FALSE(run.window.ended) << prefix;
        ASSERT_EQ(1u, run.window.messages.size()) << prefix;
        EXPECT_EQ(std::string("The new prefix may not contain ") + named +
                      ".  File names may not contain \\ / : * ? \" < > | or control "
                      "characters.",
                  run.window.messages[0].text);
        EXPECT_EQ("Tessaly Notice", run.window.messages[0].caption);
        // Nothing saved, nothing looked at on disk.
        EXPECT_EQ(0, SetCalls(run.registry, "ResizePrefix")) << prefix;
        EXPECT_TRUE(run.cursorDepths.empty()) << prefix;
    }
    // Only the renaming uses the new prefix.
    RenameRun resizeOnly(kRomePhotos);
    resizeOnly.Type("a|b");
    resizeOnly.Click(IDC_RENAME);
    resizeOnly.Click(IDC_RESIZE);
    resizeOnly.Click(IDC_RENAME_FILES);
    EXPECT_TRUE(resizeOnly.window.ended);
}

// New names that other selected files give up: the user may let the batch rename in place.
// The check numbers the files in the batch's order for the chosen renumber order.
TEST(RenameDialog, NamesOtherSelectedFilesGiveUpAskToRenameInPlace) {
    const std::vector<std::string> swapped = {"C:\\Photos\\b1.jpg", "C:\\Photos\\b2.jpg"};
    for (const int answer : {mb::IdNo, mb::IdYes}) {
        RenameRun run(swapped);
        run.dialog.order = RenumberOrder::ByModificationTime;
        run.Type("b");
        run.Click(IDC_RENUMBER);
        run.window.answers = {answer};
        // By the batch's order (reversed here) b2 takes b1 and b1 takes b2.
        run.Click(IDC_RENAME_FILES);
        EXPECT_EQ(std::vector<RenumberOrder>{RenumberOrder::ByModificationTime}, run.ordersAsked);
        ASSERT_EQ(1u, run.window.messages.size());
        EXPECT_EQ("2 of the new file names belong to other selected files, which are renamed too.  "
                  "Tessaly will rename those files in two steps, first to a temporary name and "
                  "then to the new one.  Do you want to continue?",
                  run.window.messages[0].text);
        EXPECT_EQ("Tessaly Notice", run.window.messages[0].caption);
        EXPECT_EQ(mb::YesNo | mb::IconQuestion, run.window.messages[0].style);
        EXPECT_EQ(answer == mb::IdYes, run.window.ended);
        EXPECT_EQ(answer == mb::IdYes, run.job.inPlace());
    }
    // Numbered in path order b1 and b2 keep their names: nothing to ask.
    RenameRun byPath(swapped);
    byPath.Type("b");
    byPath.Click(IDC_RENUMBER);
    byPath.Click(IDC_RENAME_FILES);
    EXPECT_TRUE(byPath.window.messages.empty());
    EXPECT_TRUE(byPath.window.ended);
    EXPECT_FALSE(byPath.job.inPlace());
}

// Only resizing: the new names do not matter, so nothing is checked on disk.
TEST(RenameDialog, ResizeOnlyClosesWithoutTheConflictCheck) {
    RenameRun run(kRomePhotos);
    run.window.answers = {mb::IdYes};
    run.Right();
    run.Right();
    run.Right();
    run.Click(IDC_RENAME);
    run.Click(IDC_RESIZE);
    run.Click(IDC_RENAME_FILES);
    EXPECT_TRUE(run.window.ended);
    EXPECT_EQ(IDC_OK, run.window.endResult);
    EXPECT_TRUE(run.cursorDepths.empty());
    EXPECT_EQ(1, SetCalls(run.registry, "ResizePrefix"));
    EXPECT_FALSE(run.dialog.renameChecked);
    EXPECT_TRUE(run.dialog.resizeChecked);
    EXPECT_TRUE(run.job.entirePrefixRemoved());
    EXPECT_EQ(8, run.job.removedCount());
    EXPECT_EQ(1, run.job.renumber());
}

// The preview shows the choices as they stand, numbered in the batch's order, and leaves the
// dialog, the disk and the stored settings as they were.
TEST(RenameDialog, PreviewShowsTheChoicesAsTheyStandAndChangesNothing) {
    RenameRun run(kRomePhotos);
    run.disk.addFile("C:\\Photos\\sml.Trip_3.JPG");
    run.Type("Trip_");
    run.Click(IDC_RENUMBER);
    run.Click(IDC_RESIZE);
    run.dialog.order = RenumberOrder::ByModificationTime;
    const std::vector<int> watched = {IDC_NEW_PREFIX, IDC_NEW_NAME, IDC_RESIZE_NAME,
                                      IDC_REMOVED_COUNT, IDC_RENAME_FILES};
    std::vector<std::string> before;
    for (const int id : watched)
        before.push_back(run.Text(id));
    std::vector<std::string> rows;
    std::string summary;
    run.window.childRunner = [&](Dialog& child) {
        auto& preview = dynamic_cast<CPreviewDlg&>(child);
        FakeDialogControls controls;
        controls.Open(preview);
        rows.clear();
        summary = controls.text(IDC_PREVIEW_SUMMARY);
        for (int row = 0; row < controls.controls[IDC_PREVIEW_LIST].rowCount; ++row) {
            std::string line;
            for (std::size_t column = 0;
                 column < controls.controls[IDC_PREVIEW_LIST].columns.size(); ++column)
                line += preview.cell(row, static_cast<int>(column)) + "|";
            rows.push_back(line);
        }
        preview.OnCommand(IDC_CANCEL, notify::ButtonClicked);
        return controls.endResult;
    };
    run.Click(IDC_PREVIEW);
    run.Click(IDC_PREVIEW);
    // In the batch's order, reversed here.
    EXPECT_EQ(
        (std::vector<std::string>{
            "IMG_0013.JPG|Trip_1.JPG|sml.Trip_1.JPG||", "IMG_0002.JPG|Trip_2.JPG|sml.Trip_2.JPG||",
            "IMG_0001.JPG|Trip_3.JPG|sml.Trip_3.JPG|copy replaces sml.Trip_3.JPG|"}),
        rows);
    EXPECT_EQ("3 files: 3 to rename, 3 copies 700 pixels wide, 1 replacing a file", summary);
    // The times were read once for both.
    EXPECT_EQ(std::vector<RenumberOrder>{RenumberOrder::ByModificationTime}, run.ordersAsked);
    std::vector<std::string> after;
    for (const int id : watched)
        after.push_back(run.Text(id));
    EXPECT_EQ(before, after);
    EXPECT_FALSE(run.window.ended);
    EXPECT_TRUE(run.window.messages.empty());
    EXPECT_EQ(0, SetCalls(run.registry, "ResizePrefix"));
    EXPECT_TRUE(run.disk.renames.empty());
    EXPECT_EQ(2, run.window.waitCursorShown);
    // Another order is read afresh.
    run.dialog.order = RenumberOrder::ByPath;
    run.Click(IDC_RENAME_FILES);
    EXPECT_EQ(
        (std::vector<RenumberOrder>{RenumberOrder::ByModificationTime, RenumberOrder::ByPath}),
        run.ordersAsked);
}

} // namespace
} // namespace tessaly::test
