#include "platform/Win32MessageBoxes.h"

#include <windows.h>

namespace tessaly {

int Win32MessageBoxes::show(MessageOwner owner, const std::string& text, const std::string& caption,
                            unsigned style) {
    const HWND window = owner == MessageOwner::Foreground ? GetForegroundWindow() : nullptr;
    return MessageBoxA(window, text.c_str(), caption.c_str(), style);
}

} // namespace tessaly
