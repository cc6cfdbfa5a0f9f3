#pragma once
// Stands in for the GDI+ resizer: a copy of a picture is "copy of " and the picture's bytes;
// dates come from a table by the picture's bytes; pictures it cannot read are named. Records
// every scaling, and tells when it is destroyed.

#include "imaging/ImageResizer.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tessaly::test {

struct ScaleCall {
    std::string picture; // the bytes scaled
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

    std::map<std::string, std::string> dateTags; // picture bytes -> DateTime text
    std::set<std::string> unreadable;            // picture bytes that cannot be scaled
    std::vector<ScaleCall> scaled;
    mutable std::vector<std::string> dateReads;

    std::optional<std::string> ScaledJpeg(const std::string& picture, unsigned width,
                                          unsigned height) override {
        scaled.push_back({picture, width, height});
        if (unreadable.count(picture) != 0)
            return std::nullopt;
        return "copy of " + picture;
    }

    std::optional<std::string> ReadDateTimeTag(const std::string& picture) const override {
        dateReads.push_back(picture);
        const auto it = dateTags.find(picture);
        if (it == dateTags.end())
            return std::nullopt;
        return it->second;
    }

private:
    bool* destroyed_ = nullptr;
};

} // namespace tessaly::test
