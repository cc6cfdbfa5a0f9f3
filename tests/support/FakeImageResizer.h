#pragma once
// Stands in for the WIC resizer: a copy of a picture is "copy of " and the picture's bytes;
// dates come from a table by the picture's bytes; pictures it cannot read are named; a picture
// needs four bytes of pixels for each of its bytes unless a table says otherwise, asked for before
// it is "decoded". Records every scaling, and tells when it is destroyed.

#include "imaging/ImageResizer.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
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

    std::map<std::string, std::string> dateTags;       // picture bytes -> DateTime text
    std::set<std::string> unreadable;                  // picture bytes that cannot be scaled
    std::map<std::string, std::uint64_t> decodedBytes; // picture bytes -> pixel bytes needed
    std::vector<ScaleCall> scaled;
    // Runs in every scaling, on the thread that scales, before the copy is made: it may take its
    // time, or throw.
    std::function<void(const std::string& picture)> onScale;
    mutable std::vector<std::string> dateReads;

    using ImageResizer::ScaledJpeg;
    std::optional<std::string> ScaledJpeg(const std::string& picture, unsigned width,
                                          unsigned height,
                                          const PixelReservation& reserve) override {
        // Called from the batch's workers, several at once.
        if (onScale)
            onScale(picture);
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            scaled.push_back({picture, width, height});
        }
        if (unreadable.count(picture) != 0)
            return std::nullopt;
        const auto pixels = decodedBytes.find(picture);
        if (reserve && !reserve(pixels != decodedBytes.end() ? pixels->second
                                                             : 4 * std::uint64_t{picture.size()}))
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
    std::mutex mutex_;
};

} // namespace tessaly::test
