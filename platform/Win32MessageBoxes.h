#pragma once

#include "platform/MessageBoxes.h"

namespace tessaly {

// MessageBoxW, owned by no window or by the foreground window.
class Win32MessageBoxes final : public MessageBoxes {
public:
    int show(MessageOwner owner, const std::string& text, const std::string& caption,
             unsigned style) override;
};

} // namespace tessaly
