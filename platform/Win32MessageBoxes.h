#pragma once

#include "platform/MessageBoxes.h"

#include <windows.h>

namespace tessaly {

// MessageBoxW, owned by the window the user invoked the command in when the shell named one;
// otherwise by no window or by the foreground window, as each message asks.
class Win32MessageBoxes final : public MessageBoxes {
public:
    explicit Win32MessageBoxes(HWND invokingWindow = nullptr) : invokingWindow_(invokingWindow) {}

    int show(MessageOwner owner, const std::string& text, const std::string& caption,
             unsigned style) override;

private:
    HWND invokingWindow_;
};

} // namespace tessaly
