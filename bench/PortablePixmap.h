#pragma once
// Binary PPM files (P6, 8-bit), the form in which vips hands the benchmarks decoded photos and
// their Lanczos references, and the measures by which copies are compared with them.

#include "imaging/Pixels.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace tessaly::bench {

// The picture as Bgr pixels; nothing when the file is not a binary 8-bit PPM.
inline std::optional<Pixels> readPortablePixmap(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    std::size_t at = 2;
    const auto number = [&bytes, &at]() -> long {
        while (at < bytes.size() &&
               (std::isspace(static_cast<unsigned char>(bytes[at])) || bytes[at] == '#')) {
            if (bytes[at] == '#')
                at = bytes.find('\n', at);
            else
                ++at;
        }
        long value = 0;
        while (at < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[at])))
            value = value * 10 + (bytes[at++] - '0');
        return value;
    };
    if (bytes.compare(0, 2, "P6") != 0)
        return std::nullopt;
    const long width = number(), height = number(), maximum = number();
    ++at; // the one blank after the header
    if (width <= 0 || height <= 0 || maximum != 255 ||
        bytes.size() < at + static_cast<std::size_t>(width * height * 3))
        return std::nullopt;
    Pixels pixels =
        blankPixels(static_cast<unsigned>(width), static_cast<unsigned>(height), PixelLayout::Bgr);
    for (std::size_t i = 0; i < pixels.bytes.size(); i += 3) {
        pixels.bytes[i] = static_cast<std::uint8_t>(bytes[at + i + 2]);
        pixels.bytes[i + 1] = static_cast<std::uint8_t>(bytes[at + i + 1]);
        pixels.bytes[i + 2] = static_cast<std::uint8_t>(bytes[at + i]);
    }
    return pixels;
}

// The peak signal-to-noise ratio in dB of a copy against its reference, both Bgr, over the
// pixels they share (a reference a pixel larger or smaller is compared where it overlaps).
inline double psnr(const Pixels& copy, const Pixels& reference) {
    const unsigned width = std::min(copy.width, reference.width);
    const unsigned height = std::min(copy.height, reference.height);
    double squares = 0;
    for (unsigned y = 0; y < height; ++y)
        for (unsigned x = 0; x < 3 * width; ++x) {
            const double d = double(copy.row(y)[x]) - double(reference.row(y)[x]);
            squares += d * d;
        }
    const double mean = squares / (3.0 * width * height);
    return mean == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mean);
}

// The standard deviation of every value of a picture's pixels.
inline double deviation(const Pixels& picture) {
    double sum = 0, squares = 0, n = 0;
    for (unsigned y = 0; y < picture.height; ++y)
        for (unsigned x = 0; x < 3 * picture.width; ++x) {
            const double v = picture.row(y)[x];
            sum += v, squares += v * v, n += 1;
        }
    const double mean = sum / n;
    return std::sqrt(std::max(0.0, squares / n - mean * mean));
}

// 1-pixel black and white columns.
inline Pixels stripes(unsigned width, unsigned height) {
    Pixels p = blankPixels(width, height, PixelLayout::Bgr);
    for (unsigned y = 0; y < height; ++y)
        for (unsigned x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                p.row(y)[3 * x + c] = x % 2 ? 255 : 0;
    return p;
}

} // namespace tessaly::bench
