#pragma once
// A decoded picture in memory, rows top to bottom, as the decoder hands it over and as the
// resampler and the encoder take it.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaly {

// The byte order of a pixel.
enum class PixelLayout {
    Bgr,   // 3 bytes: blue, green, red
    Bgrx,  // 4 bytes: blue, green, red and one that means nothing (opaque)
    Pbgra, // 4 bytes: blue, green and red premultiplied by alpha, then alpha
};

constexpr std::size_t bytesPerPixel(PixelLayout layout) {
    return layout == PixelLayout::Bgr ? 3 : 4;
}

struct Pixels {
    unsigned width = 0;
    unsigned height = 0;
    PixelLayout layout = PixelLayout::Bgr;
    std::size_t stride = 0; // bytes from one row's start to the next's
    std::vector<std::uint8_t> bytes;

    std::uint8_t* row(unsigned y) { return bytes.data() + y * stride; }
    const std::uint8_t* row(unsigned y) const { return bytes.data() + y * stride; }
};

// A picture of the size whose rows hold no padding; its bytes are zero.
inline Pixels blankPixels(unsigned width, unsigned height, PixelLayout layout) {
    Pixels pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.layout = layout;
    pixels.stride = width * bytesPerPixel(layout);
    pixels.bytes.assign(pixels.stride * height, 0);
    return pixels;
}

} // namespace tessaly
