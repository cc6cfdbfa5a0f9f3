#pragma once
// A dialog's state and handlers, apart from any window system. A binding (Win32Dialog, or a
// fake in the tests) creates the window from the template, hands the dialog its controls and
// routes the window's messages to the handlers below.

#include "dialogs/DialogControls.h"

#include <cstdint>
#include <string>

namespace tessaly {

// Notification codes the handlers see, with the values of the Windows headers.
namespace notify {
constexpr int ButtonClicked = 0;      // BN_CLICKED, also a menu or accelerator command
constexpr int ComboSelChange = 1;     // CBN_SELCHANGE
constexpr int EditChange = 0x0300;    // EN_CHANGE
constexpr int EditUpdate = 0x0400;    // EN_UPDATE
constexpr int UpDownDeltaPos = -722;  // UDN_DELTAPOS
constexpr int ListGetText = -177;     // LVN_GETDISPINFOW: a list asks for a cell's text
constexpr int ListColumnClick = -108; // LVN_COLUMNCLICK
constexpr int ListKeyDown = -155;     // LVN_KEYDOWN
constexpr int ListFindRow = -179;     // LVN_ODFINDITEMW: the user typed the start of a text
} // namespace notify

// A WM_NOTIFY as the handler sees it. For an up-down control's UDN_DELTAPOS, position and
// delta are those of its NMUPDOWN; a delta the handler changes goes back into the
// notification. result is the handler's answer to the control (for UDN_DELTAPOS, non-zero
// refuses the move). A list view asks for the text of row and column (ListGetText), which
// the handler answers in text; a click on a column's header names the column; a key pressed in
// the list is a virtual-key code, with control set while the Ctrl key is down. What the user
// types into a list comes as text, with the row to search from; the answer (result) is the row
// found, or -1.
struct Notification {
    int id = 0;
    int code = 0;
    int position = 0;
    int delta = 0;
    int row = 0;
    int column = 0;
    int key = 0;
    bool control = false;
    std::string text;
    std::intptr_t result = 0;
};

class Dialog {
public:
    explicit Dialog(int templateId) : templateId_(templateId) {}
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    int templateId() const { return templateId_; }
    // Whether the dialog's window exists.
    bool hasWindow() const { return controls_ != nullptr; }

    // For the binding: the controls from the window's creation until its destruction.
    void bindControls(DialogControls* controls) { controls_ = controls; }

    // Handlers. The binding calls OnInitDialog once the controls exist; true lets the focus go
    // to the first control that takes it.
    virtual bool OnInitDialog() { return true; }
    // A command from a control or menu; true when handled. The default sends OK and Cancel to
    // OnOK and OnCancel.
    virtual bool OnCommand(int id, int code);
    // true when handled; the notification's result is then the answer.
    virtual bool OnNotify(Notification&) { return false; }
    // A window-menu command; false leaves it to the default processing.
    virtual bool OnSysCommand(unsigned) { return false; }
    // false leaves the painting to the default processing.
    virtual bool OnPaint() { return false; }
    // The icon to drag for the minimized window, by resource id; 0 for the default.
    virtual int OnQueryDragIcon() { return 0; }

    // Enter and Esc (the OK and Cancel commands): both end the dialog by default.
    virtual void OnOK();
    virtual void OnCancel();

protected:
    // Only while hasWindow().
    DialogControls& controls() const { return *controls_; }

private:
    int templateId_;
    DialogControls* controls_ = nullptr;
};

} // namespace tessaly
