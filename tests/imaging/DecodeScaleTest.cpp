// The size a scaling decoder is asked for.
#include "imaging/DecodeScale.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(DecodeScale, TheSmallestOfferedSizeThatLeavesTwiceTheCopy) {
    const std::vector<PictureSize> jpeg = {{2000, 1500}, {1000, 750}, {500, 375}};
    const struct {
        PictureSize copy;
        std::vector<PictureSize> offered;
        PictureSize decoded;
    } cases[] = {
        {{640, 480}, jpeg, {2000, 1500}}, // 1000 x 750 is short of 1280 x 960
        {{500, 375}, jpeg, {1000, 750}},  // exactly twice is enough
        {{160, 120}, jpeg, {500, 375}},
        {{250, 187}, jpeg, {500, 375}},
        {{251, 188}, jpeg, {1000, 750}},
        {{2000, 1500}, jpeg, {4000, 3000}}, // a copy at full size is decoded at full size
        {{160, 120}, {}, {4000, 3000}},     // a codec that does not scale
        {{160, 120}, {{8000, 6000}, {320, 100}}, {4000, 3000}}, // larger, or too short one way
        {{160, 120}, {{500, 375}, {1000, 750}}, {500, 375}},    // in any order
    };
    for (const auto& c : cases) {
        const PictureSize decoded = decodeSize({4000, 3000}, c.copy, c.offered);
        EXPECT_EQ(c.decoded.width, decoded.width) << c.copy.width << " x " << c.copy.height;
        EXPECT_EQ(c.decoded.height, decoded.height) << c.copy.width << " x " << c.copy.height;
    }
}

} // namespace
} // namespace tessaly
