#pragma once
// Stands in for the GDI+ resizer: answers picture dates from a table, records every resize and
// answers it from a script, and tells when it is destroyed.

#include "imaging/ImageResizer.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace tessaly::test {

struct ResizeCall {
    std::string source;
    std::string target;
    unsigned width;
    unsigned height;
};

class FakeImageResizer final : public ImageResizer {
public:
    FakeImageResizer() = default;
    // destroyed is set when the resizer goes.
    explicit FakeImageResizer(bool* destroyed) : destroyed_(destroyed) {}
    ~FakeImageResizer() override {
        if (destroyed_ != nullptr)
            *destroyed_ = true;
    }

    std::map<std::string, std::string> dateTags; // path -> DateTime text
    std::deque<int> results;                     // answers to ResizeToJpeg, in order
    int otherwise = resize::Written;             // the answer once the script has run out
    std::vector<ResizeCall> resizes;
    mutable std::vector<std::string> dateReads;

    int ResizeToJpeg(const std::string& source, const std::string& target, unsigned width,
                     unsigned height) override {
        resizes.push_back({source, target, width, height});
        if (results.empty())
            return otherwise;
        const int result = results.front();
        results.pop_front();
        return result;
    }

    std::optional<std::string> ReadDateTimeTag(const std::string& path) const override {
        dateReads.push_back(path);
        const auto it = dateTags.find(path);
        if (it == dateTags.end())
            return std::nullopt;
        return it->second;
    }

private:
    bool* destroyed_ = nullptr;
};

} // namespace tessaly::test
