#pragma once
// The TIFF structure of an EXIF block (or a TIFF file's header): the DateTime text (tag 0x0132)
// and the orientation (tag 0x0112) of its first IFD, and the block a scaled copy carries. Every
// offset, count and link is checked against the bytes at hand; a chain of IFDs that loops ends.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// The tags of the first IFD of a TIFF structure.
struct ExifTags {
    std::optional<std::string> dateTime; // up to its first NUL
    std::optional<int> orientation;      // 1 to 8
};

struct ExifRead {
    enum class Status { Ok, Malformed, Incomplete };
    Status status = Status::Malformed;
    std::size_t needed = 0; // Incomplete: the bytes that would hold the first IFD and its values
    ExifTags tags;
};

// Reads the first IFD. Incomplete when it, or a value of the two tags, lies beyond the bytes
// given (a TIFF file read in part); a tag whose value makes no sense is left out.
ExifRead readExifTags(std::string_view tiff);

// The EXIF block for a scaled copy of width x height pixels, upright: orientation 1, the pixel
// dimensions set to the copy's, the thumbnail IFD unlinked and cut off where it lies at the end.
// Nothing when the block cannot be carried safely (anything malformed, or too long for a JPEG
// segment).
std::optional<std::string> exifForCopy(std::string_view tiff, unsigned width, unsigned height);

} // namespace tessaly
