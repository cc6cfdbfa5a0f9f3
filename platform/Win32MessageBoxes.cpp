#include "platform/Win32MessageBoxes.h"

#include "platform/WideText.h"
#include "platform/Win32ActivationContext.h"

#include <windows.h>

namespace tessaly {

int Win32MessageBoxes::show(MessageOwner owner, const std::string& text, const std::string& caption,
                            unsigned style) {
    HWND window = invokingWindow_;
    if (window == nullptr && owner == MessageOwner::Foreground)
        window = GetForegroundWindow();
    const ActivationScope commonControls;
    return MessageBoxW(window, wideFromUtf8(text).c_str(), wideFromUtf8(caption).c_str(), style);
}

} // namespace tessaly
