#include "viewpage/HlinkPageOpener.h"

#include "platform/WideText.h"

#include <windows.h>
#include <objbase.h>
#include <urlmon.h>

#include <cstring>
#include <memory>

namespace tessaly {

namespace {
struct CoTaskMemDeleter {
    void operator()(wchar_t* memory) const { CoTaskMemFree(memory); }
};
using CoTaskMemText = std::unique_ptr<wchar_t, CoTaskMemDeleter>;
} // namespace

void HlinkPageOpener::open(const std::string& pagePath) {
    const std::wstring wide = wideFromUtf8(pagePath);
    if (wide.empty())
        return;
    CoTaskMemText target(
        static_cast<wchar_t*>(CoTaskMemAlloc((wide.size() + 1) * sizeof(wchar_t))));
    if (!target)
        return;
    std::memcpy(target.get(), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    // Whether a browser could be started is not ours to report.
    HlinkNavigateString(nullptr, target.get());
}

} // namespace tessaly
