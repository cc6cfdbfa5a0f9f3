// The preview's list as a person uses it: sorted by a column and reversed by a second click,
// narrowed to the files with a note, and copied as a table.
#include "dialogs/PreviewDlg.h"
#include "resources/ResourceIds.h"
#include "support/FakeDialogControls.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tessaly::test {
namespace {

PlanPreview threeFiles() {
    PlanPreview p;
    p.rename = true;
    p.rows = {{"b.jpg", "Trip_1.jpg", "", ""},
              {"C.jpg", "Trip_2.jpg", "", "name taken by Trip_2.jpg"},
              {"a.jpg", "Trip_3.jpg", "", "in two steps"}};
    p.summary = "3 files: 2 to rename, 1 name taken";
    return p;
}

struct PreviewRun {
    CPreviewDlg dialog{threeFiles()};
    FakeDialogControls window;
    PreviewRun() { EXPECT_FALSE(window.Open(dialog)); }

    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int row = 0; row < window.controls[IDC_PREVIEW_LIST].rowCount; ++row) {
            Notification n;
            n.id = IDC_PREVIEW_LIST;
            n.code = notify::ListGetText;
            n.row = row;
            EXPECT_TRUE(dialog.OnNotify(n));
            names.push_back(n.text);
        }
        return names;
    }
    void Notify(int code, int column = 0, int key = 0, bool control = false) {
        Notification n;
        n.id = IDC_PREVIEW_LIST;
        n.code = code;
        n.column = column;
        n.key = key;
        n.control = control;
        EXPECT_TRUE(dialog.OnNotify(n));
    }
};

TEST(PreviewDialog, SortsFiltersAndCopiesItsRows) {
    PreviewRun run;
    EXPECT_EQ(IDC_PREVIEW_LIST, run.window.focus);
    EXPECT_EQ((std::vector<std::string>{"Name", "New name", "Note"}),
              run.window.controls[IDC_PREVIEW_LIST].columns);
    EXPECT_EQ((std::vector<std::string>{"b.jpg", "C.jpg", "a.jpg"}), run.Names());
    run.Notify(notify::ListColumnClick, 0);
    EXPECT_EQ((std::vector<std::string>{"a.jpg", "b.jpg", "C.jpg"}), run.Names());
    run.Notify(notify::ListColumnClick, 0);
    EXPECT_EQ((std::vector<std::string>{"C.jpg", "b.jpg", "a.jpg"}), run.Names());
    // Another column sorts ascending first; equal notes keep the batch's order.
    run.Notify(notify::ListColumnClick, 2);
    EXPECT_EQ((std::vector<std::string>{"b.jpg", "a.jpg", "C.jpg"}), run.Names());

    // Typing the start of a name finds its row, searching on from the row given, round again.
    for (const auto& [typed, from, found] :
         {std::tuple<const char*, int, int>{"c", 0, 2}, {"B.J", 1, 0}, {"A", 2, 1}, {"x", 0, -1}}) {
        Notification n;
        n.id = IDC_PREVIEW_LIST;
        n.code = notify::ListFindRow;
        n.text = typed;
        n.row = from;
        EXPECT_TRUE(run.dialog.OnNotify(n));
        EXPECT_EQ(found, n.result) << typed;
    }

    run.window.setChecked(IDC_PREVIEW_NOTED, true);
    EXPECT_TRUE(run.dialog.OnCommand(IDC_PREVIEW_NOTED, notify::ButtonClicked));
    EXPECT_EQ((std::vector<std::string>{"a.jpg", "C.jpg"}), run.Names());

    run.Notify(notify::ListKeyDown, 0, 'C', true); // nothing selected: the header alone
    EXPECT_EQ("Name\tNew name\tNote\r\n", run.window.clipboard);
    run.Notify(notify::ListKeyDown, 0, 'A', true);
    run.Notify(notify::ListKeyDown, 0, 'C', true);
    EXPECT_EQ("Name\tNew name\tNote\r\n"
              "a.jpg\tTrip_3.jpg\tin two steps\r\n"
              "C.jpg\tTrip_2.jpg\tname taken by Trip_2.jpg\r\n",
              run.window.clipboard);
    // Without Ctrl, the keys are the list's own.
    run.window.clipboard.clear();
    run.Notify(notify::ListKeyDown, 0, 'C', false);
    EXPECT_EQ("", run.window.clipboard);
}

} // namespace
} // namespace tessaly::test
