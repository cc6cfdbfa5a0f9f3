#include "imaging/JpegSegments.h"

#include "imaging/ExifReader.h"

#include <algorithm>

namespace tessaly {

namespace {

constexpr unsigned char kMarker = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kApp0 = 0xE0;
constexpr unsigned char kApp1 = 0xE1;
constexpr unsigned char kApp2 = 0xE2;
constexpr std::string_view kExifId("Exif\0\0", 6);
constexpr std::string_view kIccId("ICC_PROFILE\0", 12);
// The first read of a file; most photos keep their EXIF block well inside it.
constexpr std::size_t kFirstRead = 64 * 1024;

unsigned char byteAt(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

bool isTiffHeader(std::string_view bytes) {
    return bytes.size() >= 4 && (bytes.substr(0, 4) == std::string_view("II*\0", 4) ||
                                 bytes.substr(0, 4) == std::string_view("MM\0*", 4));
}

void readJpegSegments(std::string_view bytes, PictureHead& head) {
    std::size_t at = 2;
    for (;;) {
        if (at + 2 > bytes.size()) {
            head.needed = at + 4;
            return;
        }
        if (byteAt(bytes, at) != kMarker) {
            head = PictureHead();
            return;
        }
        const unsigned char marker = byteAt(bytes, at + 1);
        if (marker == kMarker) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= kStartOfImage)) { // no length
            at += 2;
            continue;
        }
        if (marker == kStartOfScan || marker == kEndOfImage)
            return;
        if (at + 4 > bytes.size()) {
            head.needed = at + 4;
            return;
        }
        const std::size_t length = (byteAt(bytes, at + 2) << 8) | byteAt(bytes, at + 3);
        if (length < 2) {
            head = PictureHead();
            return;
        }
        const std::size_t end = at + 2 + length;
        if (end > bytes.size()) {
            head.needed = end;
            return;
        }
        const std::string_view payload = bytes.substr(at + 4, length - 2);
        if (marker == kApp1 && head.exif.empty() && payload.substr(0, kExifId.size()) == kExifId)
            head.exif = std::string(payload.substr(kExifId.size()));
        else if (marker == kApp2 && payload.substr(0, kIccId.size()) == kIccId)
            head.iccSegments.emplace_back(payload);
        at = end;
    }
}

} // namespace

PictureHead readPictureHead(std::string_view bytes) {
    PictureHead head;
    if (bytes.size() >= 2 && byteAt(bytes, 0) == kMarker && byteAt(bytes, 1) == kStartOfImage) {
        head.format = PictureHead::Format::Jpeg;
        readJpegSegments(bytes, head);
    } else if (isTiffHeader(bytes)) {
        head.format = PictureHead::Format::Tiff;
        head.exif = std::string(bytes);
        const ExifRead read = readExifTags(bytes, ExifExtent::Head);
        if (read.status == ExifRead::Status::Incomplete)
            head.needed = read.needed;
    }
    return head;
}

PictureHead readPictureHead(const FileSystem& fileSystem, const std::string& path,
                            std::size_t limit) {
    std::size_t want = std::min(kFirstRead, limit);
    for (;;) {
        const std::optional<std::string> bytes = fileSystem.readHead(path, want);
        if (!bytes)
            return PictureHead();
        PictureHead head = readPictureHead(*bytes);
        if (head.needed == 0)
            return head;
        if (head.needed <= bytes->size())
            return PictureHead();
        // A file that ends inside its head (a camera's header-only file, a cut download) still
        // holds the segments before its end.
        if (bytes->size() < want)
            return head;
        if (head.needed > limit)
            return PictureHead();
        want = std::min(limit, std::max(head.needed, 2 * want));
    }
}

std::vector<std::string> wholeIccProfile(const std::vector<std::string>& segments) {
    const std::size_t header = kIccId.size() + 2;
    std::vector<bool> seen(segments.size(), false);
    for (const std::string& segment : segments) {
        if (segment.size() < header)
            return {};
        const std::size_t number = static_cast<unsigned char>(segment[kIccId.size()]);
        const std::size_t count = static_cast<unsigned char>(segment[kIccId.size() + 1]);
        if (count != segments.size() || number < 1 || number > count || seen[number - 1])
            return {};
        seen[number - 1] = true;
    }
    return segments;
}

std::string iccColourSpace(const std::vector<std::string>& wholeProfile) {
    // Behind the identifier, the segment's number and count; the signature lies at 16 in the
    // profile's header, which the first segment holds.
    const std::size_t header = kIccId.size() + 2;
    for (const std::string& segment : wholeProfile) {
        if (segment.size() >= header + 20 && segment[kIccId.size()] == 1)
            return segment.substr(header + 16, 4);
    }
    return std::string();
}

std::optional<std::string> jpegWithMetadata(std::string_view jpeg, const std::string& exif,
                                            const std::vector<std::string>& iccSegments) {
    if (jpeg.size() < 2 || byteAt(jpeg, 0) != kMarker || byteAt(jpeg, 1) != kStartOfImage)
        return std::nullopt;
    const auto segment = [](unsigned char marker, std::string_view prefix,
                            const std::string& payload) {
        const std::size_t length = 2 + prefix.size() + payload.size();
        std::string bytes;
        bytes += static_cast<char>(kMarker);
        bytes += static_cast<char>(marker);
        bytes += static_cast<char>(length >> 8);
        bytes += static_cast<char>(length & 0xFF);
        bytes += prefix;
        bytes += payload;
        return bytes;
    };
    // Past the encoder's APP0 segments, each whole inside the file.
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && byteAt(jpeg, at) == kMarker && byteAt(jpeg, at + 1) == kApp0) {
        const std::size_t end = at + 2 + ((byteAt(jpeg, at + 2) << 8) | byteAt(jpeg, at + 3));
        if (end < at + 4 || end > jpeg.size())
            break;
        at = end;
    }
    std::string out(jpeg.substr(0, at));
    if (!exif.empty()) {
        if (2 + kExifId.size() + exif.size() > 0xFFFF)
            return std::nullopt;
        out += segment(kApp1, kExifId, exif);
    }
    for (const std::string& icc : iccSegments) {
        if (2 + icc.size() > 0xFFFF)
            return std::nullopt;
        out += segment(kApp2, std::string_view(), icc);
    }
    out += jpeg.substr(at);
    return out;
}

} // namespace tessaly
