// The size of a resized copy.
#include "imaging/ScaledSize.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tessaly {

std::ostream& operator<<(std::ostream& out, const PictureSize& size) {
    return out << size.width << " x " << size.height;
}

namespace {

struct SizeCase {
    unsigned sourceWidth, sourceHeight, width, height;
    std::optional<PictureSize> result;
};

TEST(ScaledSize, RatioFirstTruncatedNeverEnlarged) {
    const SizeCase cases[] = {
        {2048, 1536, 700, 0, PictureSize{700, 525}},
        {1536, 2048, 700, 0, PictureSize{700, 933}}, // a width choice sets portrait widths too
        {3000, 2000, 160, 0, PictureSize{160, 106}}, // truncated, not rounded to 107
        {3000, 2000, 0, 120, PictureSize{180, 120}},
        {500, 375, 640, 0, PictureSize{500, 375}},     // would grow: kept
        {500, 1001, 500, 0, PictureSize{500, 1000}},   // 2.002 x 500 comes out just below 1001
        {3000, 2000, 160, 500, PictureSize{160, 106}}, // the width wins over the height
        {300, 200, 0, 480, PictureSize{300, 200}},
        {4000, 10, 160, 0, std::nullopt}, // a height of 0.4 pixels
        {3000, 2000, 0, 0, std::nullopt}, // no size chosen
        {0, 0, 160, 0, std::nullopt},     // the picture did not load
        {3000, 2000, 4000000000u, 0, PictureSize{3000, 2000}},
    };
    for (const SizeCase& c : cases)
        EXPECT_EQ(c.result, scaledSize(c.sourceWidth, c.sourceHeight, c.width, c.height))
            << c.sourceWidth << " x " << c.sourceHeight << " at width " << c.width << ", height "
            << c.height;
}

} // namespace
} // namespace tessaly
