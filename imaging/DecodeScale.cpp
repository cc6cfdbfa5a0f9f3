#include "imaging/DecodeScale.h"

#include <cstdint>

namespace tessaly {

PictureSize decodeSize(PictureSize picture, PictureSize copy,
                       const std::vector<PictureSize>& offered) {
    PictureSize best = picture;
    const auto pixels = [](PictureSize s) { return std::uint64_t{s.width} * s.height; };
    for (const PictureSize& size : offered) {
        const bool enough = std::uint64_t{size.width} >= 2 * std::uint64_t{copy.width} &&
                            std::uint64_t{size.height} >= 2 * std::uint64_t{copy.height};
        const bool within = size.width <= picture.width && size.height <= picture.height;
        if (enough && within && pixels(size) < pixels(best))
            best = size;
    }
    return best;
}

} // namespace tessaly
