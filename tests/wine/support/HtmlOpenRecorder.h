#pragma once
// For its lifetime, the shell opens HTML pages (.htm) with the recorder program built with the
// tests instead of a browser; the association that was there before comes back afterwards.

#include "support/TempFolder.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tessaly::test {

class HtmlOpenRecorder {
public:
    HtmlOpenRecorder();
    ~HtmlOpenRecorder();
    HtmlOpenRecorder(const HtmlOpenRecorder&) = delete;
    HtmlOpenRecorder& operator=(const HtmlOpenRecorder&) = delete;

    // Whether the association could be set up.
    bool ready() const { return ready_; }

    // The targets opened so far, in UTF-16 as the recorder received them. Waits until at least
    // `expected` were recorded (at most a few seconds), then a little longer, so that a further
    // unexpected start would show as well.
    std::vector<std::wstring> opened(size_t expected) const;

private:
    TempFolder folder_; // holds the record file
    std::string recordFile_;
    std::optional<std::string> earlierProgId_; // HKCR\.htm's default value before
    bool createdExtensionKey_ = false;
    bool ready_ = false;
};

} // namespace tessaly::test
