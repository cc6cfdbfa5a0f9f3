#pragma once

#include "viewpage/PageOpener.h"

#include <windows.h>

namespace tessaly {

// Opens the page with the user's default handler for HTML pages (ShellExecuteExW, "open"),
// owned by the given window.
class ShellPageOpener final : public PageOpener {
public:
    explicit ShellPageOpener(HWND owner) : owner_(owner) {}
    bool open(const std::string& pagePath) override;

private:
    HWND owner_;
};

} // namespace tessaly
