#pragma once
// Opens a written page with the user's default handler for HTML pages. One Windows
// implementation (ShellPageOpener); tests record the calls.

#include <string>

namespace tessaly {

class PageOpener {
public:
    virtual ~PageOpener() = default;
    // False when no program could be started for the page; the page stays on disk either way.
    virtual bool open(const std::string& pagePath) = 0;
};

} // namespace tessaly
