#pragma once
// The TIFF structure of an EXIF block (or a TIFF file's header): the DateTime text (tag 0x0132)
// and the orientation (tag 0x0112) of its first IFD, and the block a scaled copy carries. Every
// offset, count and link is checked against the bytes at hand; a chain of IFDs that loops ends.
// One tag that makes no sense costs that tag, not the block.

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

// What the bytes given are: a whole structure (an EXIF block, a whole file), or the start of a
// TIFF file read in part, which may hold further on what lies beyond them.
enum class ExifExtent { Whole, Head };

// Reads the first IFD; a tag whose value makes no sense, or lies outside a whole structure, is
// left out. Of a head: Incomplete when the first IFD, or a value of the two tags, lies beyond
// the bytes given. A whole structure is never Incomplete.
ExifRead readExifTags(std::string_view tiff, ExifExtent extent = ExifExtent::Whole);

// The EXIF block for a scaled copy of width x height pixels, upright: orientation 1, the pixel
// dimensions set to the copy's, the thumbnail IFD unlinked and cut off where it lies at the end.
// A tag whose value lies outside the block, links to an IFD that does not, or cannot take the
// copy's value is left out of its IFD. Nothing when the block cannot be carried safely: no
// sound first IFD, IFDs that loop or overlap each other or a value, or too long for a JPEG
// segment. What comes back gives itself again when carried once more.
std::optional<std::string> exifForCopy(std::string_view tiff, unsigned width, unsigned height);

} // namespace tessaly
