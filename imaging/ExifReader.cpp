#include "imaging/ExifReader.h"

#include <algorithm>
#include <cstddef>
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

// The first entry of the tag whose value lies inside the bytes.
const Entry* findEntry(const Ifd& ifd, std::uint16_t tag) {
    for (const Entry& e : ifd.entries)
        if (e.tag == tag && e.inBounds)
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

// Whether an entry can hold the value inline: one SHORT or LONG wide enough for it.
bool canHoldInline(const Entry& e, std::uint32_t value) {
    return e.count == 1 && (e.type == kLong || (e.type == kShort && value <= 0xFFFF));
}

// An entry a copy keeps, and the value it gets there, if any.
struct KeptEntry {
    Entry entry;
    std::optional<std::uint32_t> value;
};

struct KeptIfd {
    Ifd ifd; // as it lies in the original
    std::vector<KeptEntry> entries;
};

// A byte range that an IFD or an out-of-line value takes.
struct Span {
    std::size_t begin;
    std::size_t end;
    bool ifd;
};

// What a copy of a block keeps: its IFDs, reached from the first through the Exif, GPS and
// interoperability links, each with the entries it keeps.
class CopyPlan {
public:
    enum class Walk { Kept, LeftOut, Refused };

    CopyPlan(const TiffBytes& tiff, std::size_t first, unsigned width, unsigned height)
        : tiff_(tiff), first_(first), width_(width), height_(height) {}

    // Walks an IFD and the IFDs it links to. Left out: the IFD is deeper than EXIF nests, does
    // not lie whole inside the bytes, or keeps no entry. Refused: an IFD is reached twice.
    Walk walk(std::size_t at, int depth) {
        // EXIF links at most three levels deep: first IFD, Exif IFD, interoperability IFD.
        if (depth > 3)
            return Walk::LeftOut;
        KeptIfd kept;
        std::size_t needed = 0;
        if (readIfd(tiff_, at, kept.ifd, needed) != IfdRead::Ok)
            return Walk::LeftOut;
        if (!visited_.insert(at).second)
            return Walk::Refused;
        for (const Entry& e : kept.ifd.entries) {
            if (typeSize(e.type) == 0) {
                // An unknown type: its bytes are not ours to judge, and may lie anywhere.
                unknownTypes_ = true;
                kept.entries.push_back({e, std::nullopt});
                continue;
            }
            if (!e.inBounds)
                continue;
            const std::optional<std::uint32_t> value = valueForCopy(e, at == first_);
            if (value && !canHoldInline(e, *value))
                continue;
            if (e.tag == kExifIfdTag || e.tag == kGpsIfdTag || e.tag == kInteropIfdTag) {
                const std::optional<std::uint32_t> sub = unsignedValue(tiff_, e);
                const Walk linked = sub ? walk(*sub, depth + 1) : Walk::LeftOut;
                if (linked == Walk::Refused)
                    return Walk::Refused;
                if (linked == Walk::LeftOut)
                    continue;
            }
            if (e.length > 4)
                spans_.push_back(
                    {e.valueAt, static_cast<std::size_t>(e.valueAt + e.length), false});
            kept.entries.push_back({e, value});
        }
        if (kept.entries.empty())
            return Walk::LeftOut;
        spans_.push_back({kept.ifd.at, kept.ifd.end, true});
        ifds_.push_back(std::move(kept));
        return Walk::Kept;
    }

    // Whether an IFD shares a byte with another IFD or a value: rewriting it would change them.
    bool overlaps() {
        std::sort(spans_.begin(), spans_.end(),
                  [](const Span& a, const Span& b) { return a.begin < b.begin; });
        std::size_t reach = 0;    // of every span so far
        std::size_t ifdReach = 0; // of the IFDs so far
        for (const Span& s : spans_) {
            if (s.begin < ifdReach || (s.ifd && s.begin < reach))
                return true;
            reach = std::max(reach, s.end);
            if (s.ifd)
                ifdReach = std::max(ifdReach, s.end);
        }
        return false;
    }

    // Past the last byte that a kept IFD or value takes.
    std::size_t end() const {
        std::size_t last = 8;
        for (const Span& s : spans_)
            last = std::max(last, s.end);
        return last;
    }

    bool unknownTypes() const { return unknownTypes_; }
    const std::vector<KeptIfd>& ifds() const { return ifds_; } // the first IFD comes last

private:
    // The value a copy gives an entry: upright, and its own size.
    std::optional<std::uint32_t> valueForCopy(const Entry& e, bool inFirst) const {
        if (inFirst && e.tag == kOrientationTag)
            return 1;
        if ((inFirst && e.tag == kImageWidthTag) || e.tag == kPixelXTag)
            return width_;
        if ((inFirst && e.tag == kImageLengthTag) || e.tag == kPixelYTag)
            return height_;
        return std::nullopt;
    }

    const TiffBytes& tiff_;
    std::size_t first_;
    unsigned width_;
    unsigned height_;
    std::set<std::size_t> visited_;
    std::vector<KeptIfd> ifds_;
    std::vector<Span> spans_;
    bool unknownTypes_ = false;
};

// Writes an IFD over its place with only the entries it keeps, their new values set, and the
// given next-IFD link; the bytes it no longer takes become zeros.
void rewriteIfd(const TiffBytes& tiff, std::string_view original, std::string& out,
                const KeptIfd& kept, std::uint32_t nextLink) {
    const std::size_t at = kept.ifd.at;
    tiff.put(out, at, static_cast<std::uint32_t>(kept.entries.size()), 2);
    std::size_t to = at + 2;
    for (const KeptEntry& k : kept.entries) {
        out.replace(to, kEntrySize, original.substr(k.entry.at, kEntrySize));
        if (k.value)
            tiff.put(out, to + 8, *k.value, k.entry.type == kShort ? 2 : 4);
        to += kEntrySize;
    }
    tiff.put(out, to, nextLink, 4);
    to += 4;
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(to),
              out.begin() + static_cast<std::ptrdiff_t>(kept.ifd.end), '\0');
}

} // namespace

ExifRead readExifTags(std::string_view bytes, ExifExtent extent) {
    ExifRead result;
    const bool head = extent == ExifExtent::Head;
    TiffBytes tiff(bytes);
    if (!tiff.readHeader()) {
        if (head && bytes.size() < 8) {
            result.status = ExifRead::Status::Incomplete;
            result.needed = 8;
        }
        return result;
    }
    Ifd ifd;
    std::size_t ifdNeeded = 0;
    switch (readIfd(tiff, tiff.u32(4), ifd, ifdNeeded)) {
    case IfdRead::Malformed:
        return result;
    case IfdRead::Incomplete:
        if (head) {
            result.status = ExifRead::Status::Incomplete;
            result.needed = ifdNeeded;
        }
        return result;
    case IfdRead::Ok:
        break;
    }

    std::uint64_t needed = 0;
    for (const Entry& e : ifd.entries) {
        if ((e.tag == kDateTimeTag || e.tag == kOrientationTag) && e.length > 0 && !e.inBounds)
            needed = std::max<std::uint64_t>(needed, e.valueAt + e.length);
    }
    if (head && needed > 0) {
        result.status = ExifRead::Status::Incomplete;
        result.needed = static_cast<std::size_t>(
            std::min<std::uint64_t>(needed, std::numeric_limits<std::size_t>::max()));
        return result;
    }

    result.status = ExifRead::Status::Ok;
    if (const Entry* date = findEntry(ifd, kDateTimeTag); date != nullptr) {
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
    const std::size_t first = tiff.u32(4);
    CopyPlan plan(tiff, first, width, height);
    if (plan.walk(first, 1) != CopyPlan::Walk::Kept || plan.overlaps())
        return std::nullopt;

    std::string out(bytes);
    for (const KeptIfd& kept : plan.ifds()) {
        // The thumbnail shows the old size and the old turn: the first IFD no longer links it.
        const std::uint32_t next = kept.ifd.at == first ? 0 : tiff.u32(kept.ifd.nextLinkAt);
        rewriteIfd(tiff, bytes, out, kept, next);
    }
    // The thumbnail is cut off when nothing the copy keeps lies behind it; a value of an unknown
    // type might, wherever it seems to lie.
    const std::size_t thumbnail = tiff.u32(plan.ifds().back().ifd.nextLinkAt);
    if (!plan.unknownTypes() && thumbnail >= plan.end() && thumbnail < out.size())
        out.resize(thumbnail);
    if (out.size() > kMaxCarriedBlock)
        return std::nullopt;
    return out;
}

} // namespace tessaly
