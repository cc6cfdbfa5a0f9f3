#pragma once
// The size of a resized copy: the chosen width (or, without one, the chosen height) with the
// picture's aspect ratio kept, truncated, and never larger than the picture itself.

#include <optional>

namespace tessaly {

struct PictureSize {
    unsigned width = 0;
    unsigned height = 0;
};

inline bool operator==(const PictureSize& a, const PictureSize& b) {
    return a.width == b.width && a.height == b.height;
}

// sourceWidth and sourceHeight are the picture's size (0 when it could not be read); width
// takes precedence over height. Nothing when no copy can be made: no size chosen, an unreadable
// picture, or a dimension that comes out as 0.
std::optional<PictureSize> scaledSize(unsigned sourceWidth, unsigned sourceHeight, unsigned width,
                                      unsigned height);

} // namespace tessaly
