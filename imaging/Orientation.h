#pragma once
// A picture's EXIF orientation (1 to 8): how its stored pixels are turned and mirrored to be
// seen upright. Copies are made upright, and their size rule applies to the upright picture.

#include "imaging/JpegSegments.h"
#include "imaging/Pixels.h"
#include "imaging/ScaledSize.h"

namespace tessaly {

// The orientation a picture's head records, 1 when it records none that can be read.
int recordedOrientation(const PictureHead& head);

// The size of the stored pixels of a picture seen at the given upright size, and the other way
// round: orientations 5 to 8 swap width and height.
PictureSize turnedSize(PictureSize size, int orientation);

// The stored pixels turned and mirrored upright.
Pixels turnUpright(const Pixels& stored, int orientation);

} // namespace tessaly
