#pragma once
// The copies as they were made before the WIC resizer, for the benchmark to measure against: GDI+
// decodes the picture from a stream over its bytes, turns it upright, draws it scaled onto a
// canvas with its high-quality bicubic and encodes the canvas with its JPEG encoder; the
// metadata is carried as the WIC resizer carries it.

#include "imaging/GdiplusObjects.h"

#include <optional>
#include <string>

namespace tessaly::bench {

class GdiplusBaseline {
public:
    std::optional<std::string> ScaledJpeg(const std::string& picture, unsigned width,
                                          unsigned height);

private:
    GdiplusSession gdiplus_;
};

} // namespace tessaly::bench
