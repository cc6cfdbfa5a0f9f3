#pragma once

#include "viewpage/PageOpener.h"

namespace tessaly {

// Opens the page through HlinkNavigateString, which hands it to the shell's default handler.
class HlinkPageOpener final : public PageOpener {
public:
    void open(const std::string& pagePath) override;
};

} // namespace tessaly
