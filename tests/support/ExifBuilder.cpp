#include "support/ExifBuilder.h"

#include <vector>

namespace tessaly::test {

void putNumber(std::string& block, std::size_t at, std::uint32_t value, int width, bool bigEndian) {
    for (int i = 0; i < width; ++i) {
        const int shift = bigEndian ? 8 * (width - 1 - i) : 8 * i;
        block[at + i] = static_cast<char>((value >> shift) & 0xFF);
    }
}

TiffWriter::TiffWriter(bool bigEndian) : big_(bigEndian) {
    append(bigEndian ? std::string("MM\0*", 4) : std::string("II*\0", 4));
    append(std::string(4, '\0'));
    number(4, kFirstIfd, 4);
}

std::size_t TiffWriter::append(const std::string& data) {
    const std::size_t at = bytes.size();
    bytes += data;
    return at;
}

void TiffWriter::number(std::size_t at, std::uint32_t value, int width) {
    putNumber(bytes, at, value, width, big_);
}

std::size_t TiffWriter::ifd(const std::vector<TiffField>& fields, std::uint32_t next) {
    const std::size_t at = append(std::string(2 + 12 * fields.size() + 4, '\0'));
    number(at, static_cast<std::uint32_t>(fields.size()), 2);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t e = at + 2 + 12 * i;
        number(e, fields[i].tag, 2);
        number(e + 2, fields[i].type, 2);
        number(e + 4, fields[i].count, 4);
        number(e + 8, fields[i].value, fields[i].type == 3 && fields[i].count == 1 ? 2 : 4);
    }
    number(at + 2 + 12 * fields.size(), next, 4);
    return at;
}

std::string exifBlock(const ExifSpec& spec) {
    TiffWriter w(spec.bigEndian);
    std::vector<TiffField> first;
    if (spec.orientation)
        first.push_back({0x0112, 3, 1, static_cast<std::uint32_t>(*spec.orientation)});
    if (spec.dateTime)
        first.push_back({0x0132, 2, static_cast<std::uint32_t>(spec.dateTime->size() + 1), 0});
    if (spec.pixels)
        first.push_back({0x8769, 4, 1, 0});
    const std::size_t firstAt = w.ifd(first);

    std::size_t index = spec.orientation ? 1 : 0;
    if (spec.dateTime) {
        const std::size_t text = w.append(*spec.dateTime + '\0');
        w.number(firstAt + 2 + 12 * index + 8, static_cast<std::uint32_t>(text), 4);
        ++index;
    }
    if (spec.pixels) {
        std::vector<TiffField> fields;
        if (spec.exposure)
            fields.push_back({0x829A, 5, 1, 0});
        fields.push_back({0xA002, 4, 1, spec.pixels->first});
        fields.push_back({0xA003, 4, 1, spec.pixels->second});
        if (spec.interop)
            fields.push_back({0xA005, 4, 1, 0});
        const std::size_t exif = w.ifd(fields);
        w.number(firstAt + 2 + 12 * index + 8, static_cast<std::uint32_t>(exif), 4);
        if (spec.exposure) {
            const std::size_t value = w.append(std::string(8, '\0'));
            w.number(value, spec.exposure->first, 4);
            w.number(value + 4, spec.exposure->second, 4);
            w.number(exif + 2 + 8, static_cast<std::uint32_t>(value), 4);
        }
        if (spec.interop) {
            // The interoperability index "R98", four ASCII bytes held in the entry itself.
            const std::size_t interop = w.ifd({{0x0001, 2, 4, 0}});
            w.bytes.replace(interop + 2 + 8, 4, std::string("R98\0", 4));
            w.number(exif + 2 + 12 * (fields.size() - 1) + 8, static_cast<std::uint32_t>(interop),
                     4);
        }
    }
    if (spec.thumbnail) {
        const std::size_t second =
            w.ifd({{0x0201, 4, 1, 0},
                   {0x0202, 4, 1, static_cast<std::uint32_t>(spec.thumbnail->size())}});
        const std::size_t data = w.append(*spec.thumbnail);
        w.number(second + 2 + 8, static_cast<std::uint32_t>(data), 4);
        w.number(firstAt + 2 + 12 * first.size(), static_cast<std::uint32_t>(second), 4);
    }
    return w.bytes;
}

std::string jpegSegment(unsigned char marker, const std::string& payload) {
    const std::size_t length = payload.size() + 2;
    std::string s;
    s += '\xFF';
    s += static_cast<char>(marker);
    s += static_cast<char>(length >> 8);
    s += static_cast<char>(length & 0xFF);
    return s + payload;
}

std::string exifSegment(const std::string& block) {
    return jpegSegment(0xE1, std::string("Exif\0\0", 6) + block);
}

std::string iccSegment(int number, int count, const std::string& data) {
    return jpegSegment(0xE2, std::string("ICC_PROFILE\0", 12) + static_cast<char>(number) +
                                 static_cast<char>(count) + data);
}

std::string jpegHead(const std::string& segments, std::size_t pictureBytes) {
    return std::string("\xFF\xD8", 2) + segments + jpegSegment(0xDA, std::string(10, '\x01')) +
           std::string(pictureBytes, '\x55') + std::string("\xFF\xD9", 2);
}

} // namespace tessaly::test
