#pragma once
// TIFF structures, EXIF blocks and JPEG heads written byte by byte, as cameras write them, for
// the tests of the metadata reader, of the copies' metadata and of ordering by picture date.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessaly::test {

struct ExifSpec {
    bool bigEndian = false;
    std::optional<int> orientation;                      // first IFD, SHORT
    std::optional<std::string> dateTime;                 // first IFD, ASCII with its NUL
    std::optional<std::pair<unsigned, unsigned>> pixels; // Exif IFD, LONG width and height
    // Exif IFD (with pixels only): the exposure time, a RATIONAL, and a link to an
    // interoperability IFD, as most cameras write them.
    std::optional<std::pair<std::uint32_t, std::uint32_t>> exposure;
    bool interop = false;
    std::optional<std::string> thumbnail; // second IFD and its bytes, last
};

// The layout of every block: the first IFD at 8, its entries in this order (those present):
// orientation, date, Exif IFD link; then the date text, the Exif IFD (exposure, width, height,
// interoperability link), the exposure, the interoperability IFD, the thumbnail IFD.
constexpr std::size_t kFirstIfd = 8;
constexpr std::size_t entryOffset(int index) {
    return kFirstIfd + 2 + 12 * index;
}

std::string exifBlock(const ExifSpec& spec);

struct TiffField {
    std::uint16_t tag;
    std::uint16_t type; // 2 ASCII, 3 SHORT, 4 LONG, 5 RATIONAL
    std::uint32_t count;
    std::uint32_t value; // inline value, or the offset of the out-of-line bytes
};

// A TIFF structure written front to back: the header (first IFD at 8), then whatever is added.
class TiffWriter {
public:
    explicit TiffWriter(bool bigEndian = false);
    std::string bytes;

    // Adds the bytes at the end; returns their offset.
    std::size_t append(const std::string& data);
    void number(std::size_t at, std::uint32_t value, int width);
    // An IFD of the fields at the end; returns its offset. next: the next IFD link.
    std::size_t ifd(const std::vector<TiffField>& fields, std::uint32_t next = 0);

private:
    bool big_;
};

// The number in the block's byte order.
void putNumber(std::string& block, std::size_t at, std::uint32_t value, int width, bool bigEndian);

// A JPEG segment: marker, length, payload.
std::string jpegSegment(unsigned char marker, const std::string& payload);
// The APP1 segment that carries an EXIF block.
std::string exifSegment(const std::string& block);
// An APP2 ICC profile segment: number of count.
std::string iccSegment(int number, int count, const std::string& data);
// A JPEG head: start marker, the segments, a start of scan and picture bytes.
std::string jpegHead(const std::string& segments, std::size_t pictureBytes = 16);

} // namespace tessaly::test
