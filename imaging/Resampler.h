#pragma once
// Scales a picture down (or keeps its size) with a separable Catmull-Rom cubic whose support
// widens with the reduction, so that what is too fine for the copy is averaged away instead of
// aliasing. The filter works on the stored (sRGB-encoded) values, row by row and then column by
// column, in fixed-point integers: the copy is the same bytes in every build. Samples past an
// edge repeat the edge pixel. Premultiplied pixels are filtered as they are and laid over white
// at the end, so that transparent parts neither bleed dark nor turn black.

#include "imaging/Pixels.h"
#include "imaging/ScaledSize.h"

#include <cstdint>

namespace tessaly {

// The picture scaled to the size, as Bgr pixels without padding. The size must not be 0 in either
// dimension; it may be larger than the picture, which is then interpolated.
Pixels resample(const Pixels& picture, PictureSize size);

// The bytes resample holds while it works, besides the picture and the copy it returns.
std::uint64_t resampleWorkBytes(PictureSize picture, PixelLayout layout, PictureSize size);

} // namespace tessaly
