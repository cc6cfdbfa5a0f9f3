// The resampler: what survives a reduction, what is averaged away, and the same bytes in every
// build.
#include "imaging/Resampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

namespace tessaly {
namespace {

// A picture whose every pixel is given by its position, as layout bytes.
Pixels picture(unsigned width, unsigned height, PixelLayout layout,
               const std::function<std::uint32_t(unsigned, unsigned)>& bgra) {
    Pixels p = blankPixels(width, height, layout);
    const std::size_t size = bytesPerPixel(layout);
    for (unsigned y = 0; y < height; ++y)
        for (unsigned x = 0; x < width; ++x)
            for (std::size_t c = 0; c < size; ++c)
                p.row(y)[x * size + c] = static_cast<std::uint8_t>(bgra(x, y) >> (8 * c));
    return p;
}

std::string name(PixelLayout layout) {
    return layout == PixelLayout::Bgr ? "Bgr" : layout == PixelLayout::Bgrx ? "Bgrx" : "Pbgra";
}

struct SizeCase {
    unsigned width, height, toWidth, toHeight;
};

TEST(Resampler, FlatFieldsStayFlatToTheEdgesAtEverySize) {
    const SizeCase sizes[] = {{640, 480, 160, 120}, {3, 3, 1, 1},   {1, 1, 1, 1},
                              {4000, 3, 160, 1},    {5, 7, 5, 7},   {101, 1, 7, 1},
                              {37, 53, 36, 52},     {2, 300, 1, 13}};
    for (const PixelLayout layout : {PixelLayout::Bgr, PixelLayout::Bgrx, PixelLayout::Pbgra}) {
        for (const SizeCase& s : sizes) {
            SCOPED_TRACE(name(layout) + " " + std::to_string(s.width) + " x " +
                         std::to_string(s.height));
            const Pixels copy = resample(
                picture(s.width, s.height, layout, [](unsigned, unsigned) { return 0xFFF0D810u; }),
                {s.toWidth, s.toHeight});
            ASSERT_EQ(s.toWidth, copy.width);
            ASSERT_EQ(s.toHeight, copy.height);
            ASSERT_EQ(PixelLayout::Bgr, copy.layout);
            ASSERT_EQ(std::size_t{3} * s.toWidth * s.toHeight, copy.bytes.size());
            std::size_t off = 0;
            for (std::size_t i = 0; i < copy.bytes.size(); i += 3)
                off +=
                    copy.bytes[i] != 0x10 || copy.bytes[i + 1] != 0xD8 || copy.bytes[i + 2] != 0xF0;
            EXPECT_EQ(0u, off);
        }
    }
}

TEST(Resampler, OnePixelStripesBecomeAnEvenGrey) {
    const struct {
        const char* pattern;
        std::function<std::uint32_t(unsigned, unsigned)> bgra;
        unsigned width, height, toWidth, toHeight;
    } cases[] = {
        {"columns, 25x", [](unsigned x, unsigned) { return x % 2 ? 0xFFFFFFFFu : 0xFF000000u; },
         1000, 1000, 40, 40},
        {"rows, 25x", [](unsigned, unsigned y) { return y % 2 ? 0xFFFFFFFFu : 0xFF000000u; }, 1000,
         1000, 40, 40},
        {"checks, 25x",
         [](unsigned x, unsigned y) { return (x + y) % 2 ? 0xFFFFFFFFu : 0xFF000000u; }, 1000, 1000,
         40, 40},
        {"columns, 3.003x", [](unsigned x, unsigned) { return x % 2 ? 0xFFFFFFFFu : 0xFF000000u; },
         1000, 600, 333, 200},
        {"columns, 6.25x", [](unsigned x, unsigned) { return x % 2 ? 0xFFFFFFFFu : 0xFF000000u; },
         4000, 300, 640, 48},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        const Pixels copy = resample(picture(c.width, c.height, PixelLayout::Bgrx, c.bgra),
                                     {c.toWidth, c.toHeight});
        double sum = 0, squares = 0;
        for (const std::uint8_t v : copy.bytes)
            sum += v, squares += double(v) * v;
        const double n = static_cast<double>(copy.bytes.size());
        const double mean = sum / n;
        EXPECT_NEAR(127.5, mean, 2.0);
        EXPECT_LT(std::sqrt(squares / n - mean * mean), 12.0);
    }
}

TEST(Resampler, KeepsAPictureAtItsOwnSizeAndARampStraight) {
    std::uint32_t seed = 1;
    const auto noise = [&seed](unsigned, unsigned) { return seed = seed * 1664525u + 1013904223u; };
    const Pixels original = picture(29, 17, PixelLayout::Bgr, noise);
    EXPECT_EQ(original.bytes, resample(original, {29, 17}).bytes);

    // Away from the edges, a cubic that interpolates keeps a ramp a ramp.
    const Pixels ramp = picture(256, 4, PixelLayout::Bgr, [](unsigned x, unsigned) { return x; });
    const Pixels copy = resample(ramp, {64, 1});
    for (unsigned x = 2; x < 62; ++x)
        EXPECT_NEAR(4.0 * x + 1.5, copy.bytes[3 * x], 1.0) << x;
}

TEST(Resampler, TransparencyShowsWhiteWithoutADarkFringe) {
    // Red, opaque on the left and transparent on the right, premultiplied.
    const Pixels half = picture(200, 100, PixelLayout::Pbgra, [](unsigned x, unsigned) {
        return x < 100 ? 0xFFFF0000u : 0x00000000u;
    });
    const Pixels copy = resample(half, {20, 10});
    for (unsigned y = 0; y < 10; ++y) {
        for (unsigned x = 0; x < 20; ++x) {
            const std::uint8_t* p = copy.row(y) + 3 * x;
            EXPECT_GE(p[2], 254) << x; // red over white is red wherever there is any
            EXPECT_EQ(p[0], p[1]) << x;
        }
        EXPECT_LE(copy.row(y)[0], 1);
        EXPECT_GE(copy.row(y)[3 * 19], 254);
    }
}

// FNV-1a, to compare copies with those another build made.
std::uint32_t hash(const std::vector<std::uint8_t>& bytes) {
    std::uint32_t h = 2166136261u;
    for (const std::uint8_t b : bytes)
        h = (h ^ b) * 16777619u;
    return h;
}

TEST(Resampler, MakesTheSameBytesInEveryBuild) {
    const struct {
        PixelLayout layout;
        SizeCase size;
        std::uint32_t hash;
    } cases[] = {
        {PixelLayout::Bgr, {613, 409, 160, 106}, 2195587919u},
        {PixelLayout::Bgrx, {613, 409, 97, 300}, 535752654u},
        {PixelLayout::Pbgra, {613, 409, 612, 408}, 2002521023u},
    };
    for (const auto& c : cases) {
        std::uint32_t seed = 7;
        const Pixels source =
            picture(c.size.width, c.size.height, c.layout, [&seed](unsigned x, unsigned y) {
                seed = seed * 1664525u + 1013904223u;
                // Smooth parts and noise, alpha at most 255 and never below the colours.
                const std::uint32_t v = (x * 7 + y * 3 + (seed >> 28)) & 0xFF;
                return 0xFF000000u | (v << 16) | ((seed >> 8) & 0xFF00u) | (255 - v);
            });
        EXPECT_EQ(c.hash, hash(resample(source, {c.size.toWidth, c.size.toHeight}).bytes))
            << name(c.layout) << " to " << c.size.toWidth << " x " << c.size.toHeight;
    }
}

} // namespace
} // namespace tessaly
