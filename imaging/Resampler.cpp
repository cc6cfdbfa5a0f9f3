#include "imaging/Resampler.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tessaly {

namespace {

// Weights carry 14 fractional bits, so that one weight of 1 still fits 16 bits; the rows between
// the two passes keep 6 fractional bits of each value, so that rounding twice costs nothing seen.
constexpr int kWeightBits = 14;
constexpr int kMiddleBits = 6;
constexpr int kRowShift = kWeightBits - kMiddleBits;
constexpr int kColumnShift = kWeightBits + kMiddleBits;

// The Catmull-Rom cubic (B = 0, C = 1/2): of the cubics, the sharpest that does not overshoot
// much, and the nearest to a Lanczos filter; it keeps a picture exactly at its own size.
double catmullRom(double x) {
    x = std::fabs(x);
    if (x < 1)
        return (1.5 * x - 2.5) * x * x + 1;
    if (x < 2)
        return ((-0.5 * x + 2.5) * x - 4) * x + 2;
    return 0;
}

// The source samples and weights of every target sample along one dimension: the same number of
// taps for each, from a window inside the source; the weights of taps past an edge are added to
// the edge's, and each target sample's weights add up to exactly 1.
struct Taps {
    int count = 0;
    std::vector<int> first;
    std::vector<std::int16_t> weights; // count for each target sample
};

// scale: source samples a target sample covers (after a box shrink, fewer than source / target).
Taps makeTaps(unsigned source, unsigned target, double scale) {
    // Reducing, the kernel is stretched over as many source samples as one target sample covers.
    const double spread = std::max(scale, 1.0);
    const double radius = 2 * spread;
    const int n = static_cast<int>(source);
    Taps taps;
    taps.count = std::min(n, static_cast<int>(std::ceil(2 * radius)) + 1);
    taps.first.resize(target);
    taps.weights.resize(static_cast<std::size_t>(taps.count) * target);
    std::vector<double> folded(static_cast<std::size_t>(taps.count));
    for (unsigned i = 0; i < target; ++i) {
        const double centre = (i + 0.5) * scale - 0.5;
        const int lo = static_cast<int>(std::ceil(centre - radius));
        const int hi = static_cast<int>(std::floor(centre + radius));
        const int start = std::min(std::clamp(lo, 0, n - 1), n - taps.count);
        std::fill(folded.begin(), folded.end(), 0.0);
        double sum = 0;
        for (int j = lo; j <= hi; ++j) {
            const double w = catmullRom((j - centre) / spread);
            folded[static_cast<std::size_t>(std::clamp(j, 0, n - 1) - start)] += w;
            sum += w;
        }
        std::int16_t* out = &taps.weights[static_cast<std::size_t>(i) * taps.count];
        int total = 0;
        int largest = 0;
        for (int k = 0; k < taps.count; ++k) {
            out[k] = static_cast<std::int16_t>(std::lround(folded[k] / sum * (1 << kWeightBits)));
            total += out[k];
            if (out[k] > out[largest])
                largest = k;
        }
        // Rounding must not brighten or darken a flat field.
        out[largest] = static_cast<std::int16_t>(out[largest] + (1 << kWeightBits) - total);
        taps.first[i] = start;
    }
    return taps;
}

// One row of the source filtered along x: channels values a pixel, of which the first filtered
// are kept; the pixels lie step bytes apart.
template <int step, int filtered>
void filterRow(const std::uint8_t* __restrict source, const Taps& taps, unsigned width,
               std::int16_t* __restrict out) {
    const int n = taps.count;
    for (unsigned x = 0; x < width; ++x) {
        const std::uint8_t* p = source + static_cast<std::size_t>(taps.first[x]) * step;
        const std::int16_t* w = &taps.weights[static_cast<std::size_t>(x) * n];
        std::int32_t sum[filtered] = {};
        for (int t = 0; t < n; ++t)
            for (int c = 0; c < filtered; ++c)
                sum[c] += w[t] * p[t * step + c];
        for (int c = 0; c < filtered; ++c)
            out[x * filtered + c] =
                static_cast<std::int16_t>((sum[c] + (1 << (kRowShift - 1))) >> kRowShift);
    }
}

// The rows of a window filtered along y into the sums of one target row.
void filterColumns(const std::int16_t* const* rows, const std::int16_t* weights, int n,
                   std::size_t length, std::int32_t* __restrict sums) {
    std::fill(sums, sums + length, 1 << (kColumnShift - 1));
    for (int t = 0; t < n; ++t) {
        const std::int16_t* __restrict row = rows[t];
        const std::int32_t w = weights[t];
        for (std::size_t k = 0; k < length; ++k)
            sums[k] += w * row[k];
    }
}

std::uint8_t toByte(std::int32_t value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// By how much a box shrinks a dimension before the cubic: a whole factor that leaves the cubic at
// least a reduction of 2, as a reduction of more than 4 would otherwise spend most of the time
// on wide cubic windows that the box averages as well and far faster.
// At most 64, so that a block's sum and its reciprocal stay exact in 64 bits (see boxShrink).
unsigned boxFactor(unsigned source, unsigned target) {
    const unsigned factor = std::min(source / target / 2, 64u);
    return factor >= 2 ? factor : 1;
}

// Each block of across x down pixels averaged into one, rounded; the blocks at the right and
// bottom edges average the pixels they hold.
template <int step> Pixels boxShrink(const Pixels& picture, unsigned across, unsigned down) {
    const unsigned width = (picture.width + across - 1) / across;
    const unsigned height = (picture.height + down - 1) / down;
    Pixels shrunk = blankPixels(width, height, picture.layout);
    const std::size_t length = static_cast<std::size_t>(picture.width) * step;
    std::vector<std::uint32_t> columns(length);
    for (unsigned by = 0; by < height; ++by) {
        const unsigned top = by * down;
        const unsigned rows = std::min(down, picture.height - top);
        std::fill(columns.begin(), columns.end(), 0u);
        for (unsigned r = 0; r < rows; ++r) {
            const std::uint8_t* __restrict in = picture.row(top + r);
            std::uint32_t* __restrict sum = columns.data();
            for (std::size_t k = 0; k < length; ++k)
                sum[k] += in[k];
        }
        std::uint8_t* out = shrunk.row(by);
        for (unsigned bx = 0; bx < width; ++bx) {
            const unsigned left = bx * across;
            const unsigned count = std::min(across, picture.width - left);
            // Dividing by a multiply: with sums below 2^22 and blocks below 2^13 pixels, the
            // reciprocal's excess never reaches the next whole number.
            const std::uint64_t n = count * rows;
            const std::uint64_t reciprocal = ((std::uint64_t{1} << 40) + n - 1) / n;
            for (int c = 0; c < step; ++c) {
                std::uint32_t total = 0;
                for (unsigned i = 0; i < count; ++i)
                    total += columns[(left + i) * step + c];
                out[bx * step + c] =
                    static_cast<std::uint8_t>(((total + n / 2) * reciprocal) >> 40);
            }
        }
    }
    return shrunk;
}

template <int step, int filtered>
Pixels filterCubic(const Pixels& picture, PictureSize size, double scaleX, double scaleY,
                   bool premultiplied) {
    const Taps across = makeTaps(picture.width, size.width, scaleX);
    const Taps down = makeTaps(picture.height, size.height, scaleY);
    const std::size_t length = static_cast<std::size_t>(size.width) * filtered;

    // The rows filtered along x that the current window of rows needs, in a ring.
    std::vector<std::int16_t> ring(length * static_cast<std::size_t>(down.count));
    std::vector<const std::int16_t*> window(static_cast<std::size_t>(down.count));
    std::vector<std::int32_t> sums(length);
    int next = 0; // the next source row to filter along x

    Pixels copy = blankPixels(size.width, size.height, PixelLayout::Bgr);
    for (unsigned y = 0; y < size.height; ++y) {
        const int first = down.first[y];
        for (next = std::max(next, first); next < first + down.count; ++next)
            filterRow<step, filtered>(picture.row(static_cast<unsigned>(next)), across, size.width,
                                      &ring[length * static_cast<std::size_t>(next % down.count)]);
        for (int t = 0; t < down.count; ++t)
            window[t] = &ring[length * static_cast<std::size_t>((first + t) % down.count)];
        filterColumns(window.data(), &down.weights[static_cast<std::size_t>(y) * down.count],
                      down.count, length, sums.data());

        std::uint8_t* out = copy.row(y);
        for (unsigned x = 0; x < size.width; ++x) {
            const std::int32_t* v = &sums[static_cast<std::size_t>(x) * filtered];
            // Over white: what is transparent shows the white behind it. The alpha is taken as
            // filtered, before it is clipped, as the colours were filtered with it.
            const std::int32_t behind = premultiplied ? 255 - (v[3] >> kColumnShift) : 0;
            for (int c = 0; c < 3; ++c)
                out[3 * x + c] = toByte((v[c] >> kColumnShift) + behind);
        }
    }
    return copy;
}

template <int step, int filtered>
Pixels resampleAs(const Pixels& picture, PictureSize size, bool premultiplied) {
    const unsigned across = boxFactor(picture.width, size.width);
    const unsigned down = boxFactor(picture.height, size.height);
    // The cubic's scale keeps every target sample centred where it lies in the whole picture.
    const double scaleX = static_cast<double>(picture.width) / across / size.width;
    const double scaleY = static_cast<double>(picture.height) / down / size.height;
    if (across == 1 && down == 1)
        return filterCubic<step, filtered>(picture, size, scaleX, scaleY, premultiplied);
    return filterCubic<step, filtered>(boxShrink<step>(picture, across, down), size, scaleX, scaleY,
                                       premultiplied);
}

} // namespace

std::uint64_t resampleWorkBytes(PictureSize picture, PixelLayout layout, PictureSize size) {
    const std::uint64_t step = bytesPerPixel(layout);
    const unsigned across = boxFactor(picture.width, size.width);
    const unsigned down = boxFactor(picture.height, size.height);
    const std::uint64_t shrunkWidth = (picture.width + across - 1) / across;
    const std::uint64_t shrunkHeight = (picture.height + down - 1) / down;
    const std::uint64_t shrunk =
        across == 1 && down == 1 ? 0 : shrunkWidth * shrunkHeight * step + picture.width * step * 4;
    // The ring of rows filtered along x (16 bits a value) and one row of sums (32 bits a value).
    const double scale = static_cast<double>(picture.height) / down / size.height;
    const std::uint64_t rows = std::min<std::uint64_t>(
        shrunkHeight, static_cast<std::uint64_t>(std::ceil(4 * std::max(scale, 1.0))) + 1);
    const std::uint64_t length = std::uint64_t{size.width} * step;
    return shrunk + rows * length * 2 + length * 4;
}

Pixels resample(const Pixels& picture, PictureSize size) {
    switch (picture.layout) {
    case PixelLayout::Bgr:
        return resampleAs<3, 3>(picture, size, false);
    case PixelLayout::Bgrx:
        return resampleAs<4, 3>(picture, size, false);
    case PixelLayout::Pbgra:
        break;
    }
    return resampleAs<4, 4>(picture, size, true);
}

} // namespace tessaly
