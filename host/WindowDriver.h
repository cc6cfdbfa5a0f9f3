#pragma once
// Driving dialogs from another thread than the one that runs them, as a user would: find a
// dialog by caption, read its controls, press its buttons, type, choose. Everything goes
// through messages, so the dialog's thread does the work. The run command's unattended session
// and the Windows tests both use it.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace tessaly::host {

// The visible dialog with this caption, waiting up to the timeout for it; null when none came.
HWND WaitForDialog(const std::string& caption, DWORD timeoutMs = 10000);
// The same for one of several dialogs that share a caption: the one that holds the control.
// A timeout of 0 looks once.
HWND WaitForDialogWithControl(const std::string& caption, int controlId, DWORD timeoutMs = 10000);
// Waits until the window is gone; false when it is still there at the timeout.
bool WaitUntilGone(HWND window, DWORD timeoutMs = 10000);

std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int id);
// Presses a button as the dialog sees it, and returns once the dialog has handled it.
void ClickButton(HWND dialog, int id);
// Presses a button without waiting: for a button whose handler opens another modal window.
void PostClick(HWND dialog, int id);
// A key press that the dialog's message loop turns into a dialog command (Enter, Esc).
void PostKey(HWND window, WPARAM key);
// A click of the mouse on a radio button or check box: the control changes its own state, as
// its kind and group want, and notifies the dialog. Returns once the dialog has handled it.
void ClickControl(HWND dialog, int id);
// A click of the mouse on the right or the left half of an up-down control, posted: the
// control asks its dialog first, which may answer with a message box of its own.
void PostArrowClick(HWND dialog, int id, bool rightHalf);
// Waits until a control shows the text and returns the text it showed last.
std::string WaitForControlText(HWND dialog, int id, const std::string& expected,
                               DWORD timeoutMs = 5000);
// Replaces an edit's text; the edit notifies its dialog as it does for typing.
void TypeText(HWND dialog, int id, const std::string& text);
// Selects a combo box item as the user does, with the notification the dialog gets for it.
void ChooseItem(HWND dialog, int id, int index);
// The items of a combo box and its selection (-1 for none).
std::vector<std::string> ComboItems(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
// The control that has the keyboard focus in the dialog's thread.
HWND FocusedWindow(HWND dialog);
// The selection of an edit, as start and end offsets.
std::pair<DWORD, DWORD> EditSelection(HWND dialog, int id);

// A message box's text, and the icon it shows (null for none).
std::string MessageBoxText(HWND box);
HICON MessageBoxIcon(HWND box);

// What a message box showed before it was answered; `shown` is false when none came.
struct AnsweredBox {
    bool shown = false;
    std::string text;
    HICON icon = nullptr;
};
// Waits for the message box with this caption (as long as WaitForDialog, or timeoutMs), reads
// it, presses the button and waits until the box is gone.
AnsweredBox AnswerMessageBox(const std::string& caption, int button, DWORD timeoutMs = 10000);

} // namespace tessaly::host
