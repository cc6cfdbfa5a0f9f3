#pragma once
// The Windows side of every dialog: creates the window from the dialog's template in this
// module, routes its messages to the dialog's handlers and gives the handlers its controls.
// The dialog must outlive its binding, and the binding its window: destroying the binding
// destroys a window still open.

#include "dialogs/Dialog.h"
#include "dialogs/DialogControls.h"
#include "platform/WaitCursor.h"
#include "platform/Win32Module.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace tessaly {

class Win32Dialog final : public DialogControls {
public:
    explicit Win32Dialog(Dialog& dialog) : dialog_(dialog) {}
    ~Win32Dialog() override;
    Win32Dialog(const Win32Dialog&) = delete;
    Win32Dialog& operator=(const Win32Dialog&) = delete;

    // Runs the dialog modally, owned by owner (may be null), and returns the result it ended
    // with; -1 when the window cannot be created (0 when owner is not a window).
    INT_PTR RunModal(HWND owner);
    // Creates the dialog as a modeless window owned by owner (may be null), not yet shown.
    // PumpWaitingMessages gives it the keyboard handling of a dialog (Enter, Esc, Tab).
    bool CreateModeless(HWND owner);
    // The window while it exists, else null.
    HWND window() const { return window_; }
    // Keyboard input for a modeless dialog of ours goes to IsDialogMessage; true when it took
    // the message, which must then not be dispatched again.
    static bool PreTranslate(MSG& message);

    std::string text(int id) const override;
    void setText(int id, const std::string& text) override;
    bool isChecked(int id) const override;
    void setChecked(int id, bool checked) override;
    void enable(int id, bool enabled) override;
    void show(int id, bool visible) override;
    void addItem(int id, const std::string& item) override;
    int itemCount(int id) const override;
    std::string itemText(int id, int index) const override;
    int selectedItem(int id) const override;
    void selectItem(int id, int index) override;
    void limitText(int id, int maxChars) override;
    void focusAndSelectAll(int id) override;
    void setPosition(int id, int position) override;
    void setListColumns(int id, const std::vector<std::string>& titles) override;
    void setListRowCount(int id, int count) override;
    void fitListColumn(int id, int column, const std::vector<std::string>& texts) override;
    std::vector<int> selectedListRows(int id) const override;
    void selectAllListRows(int id) override;
    void markListSort(int id, int column, bool descending) override;
    void setFocus(int id) override;
    void anchor(int id, unsigned edges) override;
    bool copyToClipboard(const std::string& text) override;
    void centreOverOwner() override;
    void endDialog(int result) override;
    void destroyWindow() override;
    int messageBox(const std::string& text, const std::string& caption, unsigned style) override;
    int runChild(Dialog& child) override;
    std::string loadString(int stringId) const override;
    void setIcon(int iconId) override;
    bool appendToSystemMenu(const std::string& text, unsigned command) override;
    bool isMinimized() const override;
    void paintIcon(int iconId) override;
    void beginWaitCursor() override;
    void endWaitCursor() override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Route(UINT message, WPARAM wParam, LPARAM lParam);
    HWND item(int id) const { return GetDlgItem(window_, id); }
    INT_PTR RouteNotify(NMHDR& header);
    // Moves the anchored controls for a client area of this size.
    void FollowSize(int width, int height);

    // A control that keeps its distances to some edges, as it stood in a client area of the
    // size the dialog opened with.
    struct Anchor {
        int id;
        unsigned edges;
        RECT rect;
    };

    Dialog& dialog_;
    HWND window_ = nullptr;
    bool modeless_ = false;
    int modalRuns_ = 0; // message boxes and child dialogs shown so far
    std::optional<WaitCursor> waitCursor_;
    int waitCursorDepth_ = 0;
    std::vector<Anchor> anchors_;
    SIZE openedClient_ = {}; // the client area's size when the first control was anchored
    SIZE openedWindow_ = {}; // and the window's: the smallest it may become
};

// Takes, translates and dispatches the messages waiting in this thread's queue, one at a time,
// until none is left; keyboard input for a modeless dialog of ours goes through
// IsDialogMessage. On WM_QUIT it posts a new quit message with exit code 0 and returns false.
bool PumpWaitingMessages();

} // namespace tessaly
