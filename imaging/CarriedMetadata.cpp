#include "imaging/CarriedMetadata.h"

#include "imaging/ExifReader.h"

#include <optional>
#include <utility>

namespace tessaly {

CarriedMetadata carriedMetadata(const PictureHead& head, PictureSize copy) {
    CarriedMetadata carried;
    if (head.format != PictureHead::Format::Jpeg)
        return carried;
    if (!head.exif.empty())
        carried.exif = exifForCopy(head.exif, copy.width, copy.height).value_or(std::string());
    std::vector<std::string> profile = wholeIccProfile(head.iccSegments);
    if (iccColourSpace(profile) == "RGB ")
        carried.iccSegments = std::move(profile);
    return carried;
}

std::string withCarriedMetadata(std::string jpeg, const CarriedMetadata& carried) {
    if (carried.empty())
        return jpeg;
    std::optional<std::string> placed = jpegWithMetadata(jpeg, carried.exif, carried.iccSegments);
    return placed ? std::move(*placed) : std::move(jpeg);
}

} // namespace tessaly
