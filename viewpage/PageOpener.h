#pragma once
// Opens a written page with the user's default handler for HTML pages. One Windows
// implementation (HlinkPageOpener); tests record the calls.

#include <string>

namespace tessaly {

class PageOpener {
public:
    virtual ~PageOpener() = default;
    // Failures are not reported: the page stays on disk either way.
    virtual void open(const std::string& pagePath) = 0;
};

} // namespace tessaly
