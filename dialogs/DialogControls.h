#pragma once
// What a dialog's handlers may do with its window: reach its controls by control id, answer
// the user, end the dialog. The Windows binding (Win32Dialog) implements it over real windows;
// the portable tests use a fake that records every call.

#include <string>
#include <vector>

namespace tessaly {

class Dialog;

// The edges of the dialog's client area that a control keeps its distance to as the dialog is
// resized: with both of a pair it stretches, with one it moves along.
namespace edge {
constexpr unsigned Left = 1;
constexpr unsigned Top = 2;
constexpr unsigned Right = 4;
constexpr unsigned Bottom = 8;
} // namespace edge

class DialogControls {
public:
    virtual ~DialogControls() = default;

    // The text of a control; for a button, its caption.
    virtual std::string text(int id) const = 0;
    virtual void setText(int id, const std::string& text) = 0;

    // Check boxes and radio buttons.
    virtual bool isChecked(int id) const = 0;
    virtual void setChecked(int id, bool checked) = 0;

    virtual void enable(int id, bool enabled) = 0;
    virtual void show(int id, bool visible) = 0;

    // Combo boxes: items in the order added; index -1 stands for no selection.
    virtual void addItem(int id, const std::string& item) = 0;
    virtual int itemCount(int id) const = 0;
    virtual std::string itemText(int id, int index) const = 0;
    virtual int selectedItem(int id) const = 0;
    virtual void selectItem(int id, int index) = 0;

    // Edits: the most characters the user may type, and the focus moved into the edit with its
    // whole text selected and the caret scrolled into view.
    virtual void limitText(int id, int maxChars) = 0;
    virtual void focusAndSelectAll(int id) = 0;

    // Positions of progress bars and up-down controls.
    virtual void setPosition(int id, int position) = 0;

    // List views in report view whose rows the dialog holds: the list asks for each text it
    // shows as it shows it (notify::ListGetText). The columns by their titles; the number of
    // rows, shown afresh with none selected; a column as wide as the widest of the texts and
    // its title; the rows selected, ascending; every row selected.
    virtual void setListColumns(int id, const std::vector<std::string>& titles) = 0;
    virtual void setListRowCount(int id, int count) = 0;
    virtual void fitListColumn(int id, int column, const std::vector<std::string>& texts) = 0;
    virtual std::vector<int> selectedListRows(int id) const = 0;
    virtual void selectAllListRows(int id) = 0;
    // The arrow in a column's header that tells the rows' order (none elsewhere).
    virtual void markListSort(int id, int column, bool descending) = 0;

    // The keyboard focus moved to the control.
    virtual void setFocus(int id) = 0;
    // As the dialog is resized, the control keeps its distance to these edges (see edge); the
    // dialog never becomes smaller than it opened.
    virtual void anchor(int id, unsigned edges) = 0;
    // The clipboard holds the text; false when it cannot be had.
    virtual bool copyToClipboard(const std::string& text) = 0;

    // The dialog window itself.
    virtual void centreOverOwner() = 0;
    // Ends the dialog with a result: a modal run returns it; a modeless window is hidden and
    // stays in existence.
    virtual void endDialog(int result) = 0;
    // Destroys the window at once; the dialog loses its controls.
    virtual void destroyWindow() = 0;

    // A message box owned by the dialog (styles and answers as in platform/MessageBoxes.h).
    virtual int messageBox(const std::string& text, const std::string& caption, unsigned style) = 0;
    // Runs another dialog modally, owned by this one, and returns its result.
    virtual int runChild(Dialog& child) = 0;

    // Module resources: a string of the string table (empty when it does not load), the icon
    // shown for the window, and a separator and entry added to the window menu (false when
    // the window has no window menu).
    virtual std::string loadString(int stringId) const = 0;
    virtual void setIcon(int iconId) = 0;
    virtual bool appendToSystemMenu(const std::string& text, unsigned command) = 0;
    // Inside the paint handler: whether the window is minimized, and painting it as its icon,
    // centred in the client area.
    virtual bool isMinimized() const = 0;
    virtual void paintIcon(int iconId) = 0;

    // The wait cursor, shown from the first begin to the matching end; WaitCursorScope pairs
    // them.
    virtual void beginWaitCursor() = 0;
    virtual void endWaitCursor() = 0;
};

// Shows the wait cursor over a dialog for the lifetime of the object.
class WaitCursorScope {
public:
    explicit WaitCursorScope(DialogControls& controls) : controls_(controls) {
        controls_.beginWaitCursor();
    }
    ~WaitCursorScope() { controls_.endWaitCursor(); }
    WaitCursorScope(const WaitCursorScope&) = delete;
    WaitCursorScope& operator=(const WaitCursorScope&) = delete;

private:
    DialogControls& controls_;
};

} // namespace tessaly
