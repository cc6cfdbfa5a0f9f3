#pragma once
// The first segments of a picture file, where a photo keeps what it records about itself, read
// without touching the picture data; and the same segments placed into a scaled copy. Every
// length is checked against the bytes at hand.

#include "platform/FileSystem.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// The start of a picture file, as far as its metadata goes.
struct PictureHead {
    enum class Format { Other, Jpeg, Tiff };
    Format format = Format::Other;
    // Above 0: the head reaches beyond the bytes given, and this many bytes would hold it.
    std::size_t needed = 0;
    // The TIFF structure: a JPEG's Exif segment without its identifier, or a TIFF file's bytes.
    std::string exif;
    // A JPEG's ICC profile segments (APP2), each payload whole with its identifier, in file order.
    std::vector<std::string> iccSegments;
};

// Reads the head from the first bytes of a file. A JPEG whose segments are malformed before
// its picture data starts counts as Other.
PictureHead readPictureHead(std::string_view bytes);

// Reads the head of a file through the file system, reading more of the file only while the
// head needs it, up to limit bytes. A file that ends inside its head gives what lies whole
// before its end (needed stays above 0). Other when the file cannot be read or its head is
// longer than the limit.
PictureHead readPictureHead(const FileSystem& fileSystem, const std::string& path,
                            std::size_t limit);

// The ICC profile segments when they form one whole profile (numbered 1 to n, n of them), else
// none.
std::vector<std::string> wholeIccProfile(const std::vector<std::string>& segments);

// The colour space signature in the header of a whole profile ("RGB ", "GRAY", "CMYK", ...);
// empty when the header is too short to hold it.
std::string iccColourSpace(const std::vector<std::string>& wholeProfile);

// A JPEG file with the EXIF block and the ICC segments placed after its start marker and the
// encoder's APP0 (JFIF) segments, where readers look for those first. Nothing when the file
// does not start with a start marker.
std::optional<std::string> jpegWithMetadata(std::string_view jpeg, const std::string& exif,
                                            const std::vector<std::string>& iccSegments);

} // namespace tessaly
