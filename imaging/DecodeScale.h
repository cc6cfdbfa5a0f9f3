#pragma once
// The size a picture is decoded at when its codec can scale while it decodes (a JPEG decoder
// takes 1/2, 1/4 or 1/8 almost for free): small enough to spare most of the decoding, large
// enough that the resampler still has the detail it averages.

#include "imaging/ScaledSize.h"

#include <vector>

namespace tessaly {

// Of the sizes offered, the smallest that is at least twice the copy's size in each dimension
// and no larger than the picture; the picture's own size when none is.
PictureSize decodeSize(PictureSize picture, PictureSize copy,
                       const std::vector<PictureSize>& offered);

} // namespace tessaly
