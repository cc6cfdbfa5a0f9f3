#pragma once
// Modal messages shown outside any dialog of ours: text, caption, buttons and icon in, the
// user's answer out. Tests script the answers and check the exact texts.

#include <string>

namespace tessaly {

// Button and icon styles and answers, with the values of the Windows message box.
namespace mb {
constexpr unsigned Ok = 0x0;
constexpr unsigned OkCancel = 0x1;
constexpr unsigned YesNoCancel = 0x3;
constexpr unsigned YesNo = 0x4;
constexpr unsigned IconError = 0x10;
constexpr unsigned IconQuestion = 0x20;
constexpr unsigned IconWarning = 0x30; // the same value as the exclamation icon
constexpr unsigned IconExclamation = 0x30;
constexpr unsigned IconInformation = 0x40;

constexpr int IdOk = 1;
constexpr int IdCancel = 2;
constexpr int IdYes = 6;
constexpr int IdNo = 7;
} // namespace mb

enum class MessageOwner {
    None,       // no owner window
    Foreground, // the window in the foreground when the message is shown
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows the message and returns the answer (mb::IdOk, mb::IdYes, ...).
    virtual int show(MessageOwner owner, const std::string& text, const std::string& caption,
                     unsigned style) = 0;
};

} // namespace tessaly
