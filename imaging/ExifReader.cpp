#include "imaging/ExifReader.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <set>
#include <vector>

namespace tessaly {

namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kDateTimeTag = 0x0132;
constexpr std::uint16_t kImageWidthTag = 0x0100;
constexpr std::uint16_t kImageLengthTag = 0x0101;
constexpr std::uint16_t kExifIfdTag = 0x8769;
constexpr std::uint16_t kGpsIfdTag = 0x8825;
constexpr std::uint16_t kInteropIfdTag = 0xA005;
constexpr std::uint16_t kPixelXTag = 0xA002;
constexpr std::uint16_t kPixelYTag = 0xA003;
constexpr std::uint16_t kShort = 3;
constexpr std::uint16_t kLong = 4;
constexpr std::size_t kEntrySize = 12;
// The longest block that fits one JPEG segment: 65535 bytes less the length field and "Exif\0\0".
constexpr std::size_t kMaxCarriedBlock = 65535 - 2 - 6;

// Reads and writes numbers in the byte order of one TIFF structure.
class TiffBytes {
public:
    explicit TiffBytes(std::string_view bytes) : bytes_(bytes) {}

    bool readHeader() {
        if (bytes_.size() < 8)
            return false;
        if (bytes_.substr(0, 2) == "II")
            little_ = true;
        else if (bytes_.substr(0, 2) == "MM")
            little_ = false;
        else
            return false;
        return u16(2) == 42;
    }
    std::size_t size() const { return bytes_.size(); }
    bool fits(std::uint64_t offset, std::uint64_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }
    std::uint32_t u16(std::size_t at) const { return number(at, 2); }
    std::uint32_t u32(std::size_t at) const { return number(at, 4); }
    std::string_view view(std::size_t at, std::size_t length) const {
        return bytes_.substr(at, length);
    }
    void put(std::string& out, std::size_t at, std::uint32_t value, int width) const {
        for (int i = 0; i < width; ++i) {
            const int shift = little_ ? 8 * i : 8 * (width - 1 - i);
            out[at + i] = static_cast<char>((value >> shift) & 0xFF);
        }
    }

private:
    std::uint32_t number(std::size_t at, int width) const {
        std::uint32_t value = 0;
        for (int i = 0; i < width; ++i) {
            const auto byte = static_cast<unsigned char>(bytes_[at + i]);
            value |= static_cast<std::uint32_t>(byte) << (little_ ? 8 * i : 8 * (width - 1 - i));
        }
        return value;
    }

    std::string_view bytes_;
    bool little_ = true;
};

std::uint64_t typeSize(std::uint16_t type) {
    switch (type) {
    case 1:
    case 2:
    case 6:
    case 7:
        return 1; // BYTE, ASCII, SBYTE, UNDEFINED
    case 3:
    case 8:
        return 2; // SHORT, SSHORT
    case 4:
    case 9:
    case 11:
        return 4; // LONG, SLONG, FLOAT
    case 5:
    case 10:
    case 12:
        return 8; // RATIONAL, SRATIONAL, DOUBLE
    default:
        return 0;
    }
}

struct Entry {
    std::size_t at; // of the entry itself
    std::uint16_t tag;
    std::uint16_t type;
    std::uint32_t count;
    std::uint64_t length; // of the value, in bytes; 0 for an unknown type
    std::size_t valueAt;  // inline in the entry, or the offset it gives
    bool inBounds;        // whether the value lies inside the bytes
};

struct Ifd {
    std::size_t at;
    std::vector<Entry> entries;
    std::size_t nextLinkAt; // where the offset of the next IFD is stored
    std::size_t end;        // past the next-IFD link
};

enum class IfdRead { Ok, Malformed, Incomplete };

IfdRead readIfd(const TiffBytes& tiff, std::size_t at, Ifd& ifd, std::size_t& needed) {
    if (at < 8)
        return IfdRead::Malformed;
    if (!tiff.fits(at, 2)) {
        needed = at + 2;
        return IfdRead::Incomplete;
    }
    const std::uint64_t count = tiff.u16(at);
    const std::uint64_t length = 2 + count * kEntrySize + 4;
    if (count == 0)
        return IfdRead::Malformed;
    if (!tiff.fits(at, length)) {
        needed = static_cast<std::size_t>(at + length);
        return IfdRead::Incomplete;
    }
    ifd.at = at;
    ifd.nextLinkAt = static_cast<std::size_t>(at + 2 + count * kEntrySize);
    ifd.end = static_cast<std::size_t>(at + length);
    ifd.entries.clear();
    for (std::size_t i = 0; i < count; ++i) {
        Entry e;
        e.at = at + 2 + i * kEntrySize;
        e.tag = static_cast<std::uint16_t>(tiff.u16(e.at));
        e.type = static_cast<std::uint16_t>(tiff.u16(e.at + 2));
        e.count = tiff.u32(e.at + 4);
        e.length = typeSize(e.type) * e.count;
        e.valueAt = e.length <= 4 ? e.at + 8 : tiff.u32(e.at + 8);
        e.inBounds = e.length > 0 && tiff.fits(e.valueAt, e.length);
        ifd.entries.push_back(e);
    }
    return IfdRead::Ok;
}

const Entry* findEntry(const Ifd& ifd, std::uint16_t tag) {
    for (const Entry& e : ifd.entries)
        if (e.tag == tag)
            return &e;
    return nullptr;
}

// A SHORT or LONG held in an entry.
std::optional<std::uint32_t> unsignedValue(const TiffBytes& tiff, const Entry& e) {
    if (e.count < 1 || !e.inBounds)
        return std::nullopt;
    if (e.type == kShort)
        return tiff.u16(e.valueAt);
    if (e.type == kLong)
        return tiff.u32(e.valueAt);
    return std::nullopt;
}

// Writes a SHORT or LONG into the copy of an entry held inline; false for any other entry.
bool setInlineValue(const TiffBytes& tiff, std::string& out, const Entry& e, std::uint32_t value) {
    if (e.count != 1 || (e.type != kShort && e.type != kLong))
        return false;
    if (e.type == kShort && value > 0xFFFF)
        return false;
    tiff.put(out, e.valueAt, value, e.type == kShort ? 2 : 4);
    return true;
}

// Walks an IFD and the sub-IFDs it links to, checking that each lies inside the bytes, that no
// IFD is visited twice, and that every value lies inside too. end grows to the last byte used.
bool checkTree(const TiffBytes& tiff, std::size_t at, int depth, std::set<std::size_t>& visited,
               std::size_t& end, std::vector<Ifd>& ifds) {
    // EXIF links at most three levels deep: first IFD, Exif IFD, interoperability IFD.
    if (depth > 3 || !visited.insert(at).second)
        return false;
    Ifd ifd;
    std::size_t needed = 0;
    if (readIfd(tiff, at, ifd, needed) != IfdRead::Ok)
        return false;
    end = std::max(end, ifd.end);
    for (const Entry& e : ifd.entries) {
        if (e.length == 0)
            continue; // an unknown type: its bytes are not ours to judge
        if (!e.inBounds)
            return false;
        end = std::max(end, static_cast<std::size_t>(e.valueAt + e.length));
        if (e.tag == kExifIfdTag || e.tag == kGpsIfdTag || e.tag == kInteropIfdTag) {
            const std::optional<std::uint32_t> sub = unsignedValue(tiff, e);
            if (!sub || !checkTree(tiff, *sub, depth + 1, visited, end, ifds))
                return false;
        }
    }
    ifds.push_back(std::move(ifd));
    return true;
}

} // namespace

ExifRead readExifTags(std::string_view bytes) {
    ExifRead result;
    TiffBytes tiff(bytes);
    if (!tiff.readHeader()) {
        if (bytes.size() < 8) {
            result.status = ExifRead::Status::Incomplete;
            result.needed = 8;
        }
        return result;
    }
    Ifd ifd;
    switch (readIfd(tiff, tiff.u32(4), ifd, result.needed)) {
    case IfdRead::Malformed:
        return result;
    case IfdRead::Incomplete:
        result.status = ExifRead::Status::Incomplete;
        return result;
    case IfdRead::Ok:
        break;
    }

    std::uint64_t needed = 0;
    for (const Entry& e : ifd.entries) {
        if ((e.tag == kDateTimeTag || e.tag == kOrientationTag) && e.length > 0 && !e.inBounds)
            needed = std::max<std::uint64_t>(needed, e.valueAt + e.length);
    }
    if (needed > 0) {
        result.status = ExifRead::Status::Incomplete;
        result.needed = static_cast<std::size_t>(
            std::min<std::uint64_t>(needed, std::numeric_limits<std::size_t>::max()));
        return result;
    }

    result.status = ExifRead::Status::Ok;
    if (const Entry* date = findEntry(ifd, kDateTimeTag); date != nullptr && date->inBounds) {
        std::string text(tiff.view(date->valueAt, static_cast<std::size_t>(date->length)));
        text.resize(std::min(text.size(), text.find('\0')));
        result.tags.dateTime = text;
    }
    if (const Entry* turn = findEntry(ifd, kOrientationTag); turn != nullptr) {
        const std::optional<std::uint32_t> value = unsignedValue(tiff, *turn);
        if (value && *value >= 1 && *value <= 8)
            result.tags.orientation = static_cast<int>(*value);
    }
    return result;
}

std::optional<std::string> exifForCopy(std::string_view bytes, unsigned width, unsigned height) {
    TiffBytes tiff(bytes);
    if (!tiff.readHeader())
        return std::nullopt;
    std::set<std::size_t> visited;
    std::size_t end = 8;
    std::vector<Ifd> ifds; // the first IFD comes last
    const std::size_t first = tiff.u32(4);
    if (!checkTree(tiff, first, 1, visited, end, ifds))
        return std::nullopt;

    std::string out(bytes);
    for (const Ifd& ifd : ifds) {
        for (const Entry& e : ifd.entries) {
            bool ok = true;
            if (ifd.at == first && e.tag == kOrientationTag)
                ok = setInlineValue(tiff, out, e, 1);
            else if ((ifd.at == first && e.tag == kImageWidthTag) || e.tag == kPixelXTag)
                ok = setInlineValue(tiff, out, e, width);
            else if ((ifd.at == first && e.tag == kImageLengthTag) || e.tag == kPixelYTag)
                ok = setInlineValue(tiff, out, e, height);
            if (!ok)
                return std::nullopt;
        }
    }

    // The thumbnail shows the old size and the old turn: unlink its IFD, and cut it off when
    // nothing the first IFD reaches lies behind it.
    const Ifd& firstIfd = ifds.back();
    const std::size_t thumbnail = tiff.u32(firstIfd.nextLinkAt);
    tiff.put(out, firstIfd.nextLinkAt, 0, 4);
    if (thumbnail >= end && thumbnail < out.size())
        out.resize(thumbnail);
    if (out.size() > kMaxCarriedBlock)
        return std::nullopt;
    return out;
}

} // namespace tessaly
