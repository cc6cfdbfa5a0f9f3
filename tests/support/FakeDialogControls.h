#pragma once
// Controls without windows, for driving a dialog's handlers in the portable tests. Open binds
// the dialog and runs its OnInitDialog; every control is remembered by id, with the state the
// handlers gave it. Messages are answered from a script, child dialogs from a list of results.

#include "dialogs/Dialog.h"
#include "dialogs/DialogControls.h"

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tessaly::test {

struct FakeControl {
    std::string text;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    std::vector<std::string> items;
    int selected = -1;
    int limit = 0;
    int position = 0;
    // List views.
    std::vector<std::string> columns;
    int rowCount = 0;
    std::vector<int> selectedRows;
    unsigned anchored = 0; // the edges (see edge)
    int sortMark = 0;      // the column marked, or -1 less it when descending
};

struct DialogMessage {
    std::string text;
    std::string caption;
    unsigned style;
};

class FakeDialogControls final : public DialogControls {
public:
    ~FakeDialogControls() override;

    // Binds the dialog and runs its initialisation; returns what OnInitDialog returned.
    bool Open(Dialog& dialog);

    std::map<int, FakeControl> controls;
    // Single-line edits: setting their text notifies the dialog, EN_UPDATE then EN_CHANGE, as
    // the real control does, also while the dialog initialises.
    std::set<int> edits;
    bool windowVisible = false;
    bool centred = false;
    bool ended = false;
    int endResult = 0;
    int destroyCount = 0;
    int focus = 0; // the control that has the focus, 0 for none
    std::vector<DialogMessage> messages;
    std::deque<int> answers;       // to messages, in order; then otherwise
    int otherwise = 1;             // IDOK
    std::vector<Dialog*> children; // dialogs run as children, in order
    // Runs a child dialog (for instance with a fake of its own) and gives its result; without
    // it every child ends with 2 (IDCANCEL).
    std::function<int(Dialog&)> childRunner;
    std::map<int, std::string> strings; // the string table
    int icon = 0;
    std::vector<std::pair<std::string, unsigned>> systemMenu;
    bool minimized = false;
    int paintedIcon = 0;
    int waitCursorDepth = 0; // begun and not yet ended
    int waitCursorShown = 0; // times it appeared
    std::string clipboard;

    std::string text(int id) const override;
    void setText(int id, const std::string& text) override;
    bool isChecked(int id) const override;
    void setChecked(int id, bool checked) override { controls[id].checked = checked; }
    void enable(int id, bool enabled) override { controls[id].enabled = enabled; }
    void show(int id, bool visible) override { controls[id].visible = visible; }
    void addItem(int id, const std::string& item) override { controls[id].items.push_back(item); }
    int itemCount(int id) const override;
    std::string itemText(int id, int index) const override;
    int selectedItem(int id) const override;
    void selectItem(int id, int index) override;
    void limitText(int id, int maxChars) override { controls[id].limit = maxChars; }
    void focusAndSelectAll(int id) override { focus = id; }
    void setPosition(int id, int position) override { controls[id].position = position; }
    void setListColumns(int id, const std::vector<std::string>& titles) override {
        controls[id].columns = titles;
    }
    void setListRowCount(int id, int count) override {
        controls[id].rowCount = count;
        controls[id].selectedRows.clear();
    }
    void fitListColumn(int, int, const std::vector<std::string>&) override {}
    std::vector<int> selectedListRows(int id) const override;
    void selectAllListRows(int id) override;
    void markListSort(int id, int column, bool descending) override {
        controls[id].sortMark = descending ? -1 - column : column;
    }
    void setFocus(int id) override { focus = id; }
    void anchor(int id, unsigned edges) override { controls[id].anchored = edges; }
    bool copyToClipboard(const std::string& text) override {
        clipboard = text;
        return true;
    }
    void centreOverOwner() override { centred = true; }
    void endDialog(int result) override;
    void destroyWindow() override;
    int messageBox(const std::string& text, const std::string& caption, unsigned style) override;
    int runChild(Dialog& child) override;
    std::string loadString(int stringId) const override;
    void setIcon(int iconId) override { icon = iconId; }
    bool appendToSystemMenu(const std::string& text, unsigned command) override;
    bool isMinimized() const override { return minimized; }
    void paintIcon(int iconId) override { paintedIcon = iconId; }
    void beginWaitCursor() override {
        if (waitCursorDepth++ == 0)
            ++waitCursorShown;
    }
    void endWaitCursor() override { --waitCursorDepth; }

private:
    const FakeControl* find(int id) const;

    Dialog* dialog_ = nullptr;
};

} // namespace tessaly::test
