#pragma once
// Records every page the code under test asks to open.

#include "viewpage/PageOpener.h"

#include <string>
#include <vector>

namespace tessaly::test {

class RecordingPageOpener final : public PageOpener {
public:
    std::vector<std::string> opened;
    bool succeeds = true; // a program could be started for the page

    bool open(const std::string& pagePath) override {
        opened.push_back(pagePath);
        return succeeds;
    }
};

} // namespace tessaly::test
