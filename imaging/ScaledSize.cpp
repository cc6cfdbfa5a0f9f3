#include "imaging/ScaledSize.h"

#include <cmath>

namespace tessaly {

namespace {
// Rounds to a true double. On x87 an intermediate would otherwise keep extended precision and
// move the point where truncation lands (500 x 1001 at width 500 must give 1000, not 1001).
double asDouble(double value) {
    const volatile double stored = value;
    return stored;
}

// The other side of the picture at the chosen length of one side: the ratio is formed first,
// then multiplied, then truncated toward zero.
double otherSide(unsigned other, unsigned side, unsigned chosen) {
    const double ratio = asDouble(static_cast<double>(other) / static_cast<double>(side));
    return std::trunc(asDouble(ratio * static_cast<double>(chosen)));
}
} // namespace

std::optional<PictureSize> scaledSize(unsigned sourceWidth, unsigned sourceHeight, unsigned width,
                                      unsigned height) {
    if (sourceWidth == 0 || sourceHeight == 0)
        return std::nullopt;
    double newWidth = 0;
    double newHeight = 0;
    if (width != 0) {
        newWidth = width;
        newHeight = otherSide(sourceHeight, sourceWidth, width);
    } else if (height != 0) {
        newHeight = height;
        newWidth = otherSide(sourceWidth, sourceHeight, height);
    } else {
        return std::nullopt;
    }
    if (newWidth == 0 || newHeight == 0)
        return std::nullopt;
    // A picture smaller than the choice keeps its own size.
    if (newHeight > sourceHeight || newWidth > sourceWidth)
        return PictureSize{sourceWidth, sourceHeight};
    return PictureSize{static_cast<unsigned>(newWidth), static_cast<unsigned>(newHeight)};
}

} // namespace tessaly
