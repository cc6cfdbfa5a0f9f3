#pragma once
// What a copy of a picture carries of the original's metadata: its EXIF block made fit for the
// copy, and its ICC profile. Both only from JPEG originals, and only when they are sound. The
// copy is RGB: a grey or CMYK profile would shift its colours in colour-managed viewers.

#include "imaging/JpegSegments.h"
#include "imaging/ScaledSize.h"

#include <string>
#include <vector>

namespace tessaly {

struct CarriedMetadata {
    std::string exif;
    std::vector<std::string> iccSegments;
    bool empty() const { return exif.empty() && iccSegments.empty(); }
};

CarriedMetadata carriedMetadata(const PictureHead& head, PictureSize copy);

// The encoder's JPEG file with the metadata placed in it; the file as the encoder made it when
// the metadata cannot be placed safely.
std::string withCarriedMetadata(std::string jpeg, const CarriedMetadata& carried);

} // namespace tessaly
