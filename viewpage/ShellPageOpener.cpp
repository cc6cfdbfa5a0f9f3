#include "viewpage/ShellPageOpener.h"

#include "platform/WideText.h"

#include <shellapi.h>

namespace tessaly {

bool ShellPageOpener::open(const std::string& pagePath) {
    const std::wstring page = wideFromUtf8(pagePath);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    // No asynchronous start that would outlive the call in a shell extension, and no message of
    // the shell's own: the caller says what went wrong.
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner_;
    info.lpVerb = L"open";
    info.lpFile = page.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

} // namespace tessaly
