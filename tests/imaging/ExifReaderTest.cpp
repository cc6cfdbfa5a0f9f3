// What a photo records about itself: read from its first segments, carried into its copies,
// and every malformed block falling back quietly.
#include "imaging/ExifReader.h"
#include "imaging/JpegSegments.h"
#include "support/ExifBuilder.h"
#include "support/FakeFileSystem.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tessaly::test {
namespace {

const char kDate[] = "2008:05:12 10:20:30";

ExifSpec camera(bool bigEndian = false) {
    ExifSpec spec;
    spec.bigEndian = bigEndian;
    spec.orientation = 6;
    spec.dateTime = kDate;
    spec.pixels = std::make_pair(4000u, 3000u);
    spec.thumbnail = std::string(300, '\x7E');
    return spec;
}

TEST(ExifTags, DateAndOrientationInEitherByteOrder) {
    for (bool big : {false, true}) {
        for (int turn = 1; turn <= 8; ++turn) {
            ExifSpec spec = camera(big);
            spec.orientation = turn;
            const ExifRead read = readExifTags(exifBlock(spec));
            ASSERT_EQ(ExifRead::Status::Ok, read.status) << big << turn;
            EXPECT_EQ(std::optional<std::string>(kDate), read.tags.dateTime);
            EXPECT_EQ(std::optional<int>(turn), read.tags.orientation);
        }
    }
    ExifSpec bare;
    bare.pixels = std::make_pair(1u, 1u);
    const ExifRead read = readExifTags(exifBlock(bare));
    EXPECT_EQ(ExifRead::Status::Ok, read.status);
    EXPECT_EQ(std::nullopt, read.tags.dateTime);
    EXPECT_EQ(std::nullopt, read.tags.orientation);
}

// A block spoilt in one place. Either the whole block is refused, or only the spoilt tag is
// left out; nothing is read outside the bytes (the sanitizers watch). Read as the head of a
// TIFF file, a value beyond the bytes asks for more of the file instead.
struct Spoilt {
    const char* what;
    void (*spoil)(std::string& block);
    ExifRead::Status status;
    ExifRead::Status headStatus;
    bool dateKept;
    bool orientationKept;
};

constexpr auto kOk = ExifRead::Status::Ok;
constexpr auto kMalformed = ExifRead::Status::Malformed;
constexpr auto kIncomplete = ExifRead::Status::Incomplete;

const Spoilt kSpoilt[] = {
    {"truncated inside the first IFD", [](std::string& b) { b.resize(entryOffset(1)); }, kMalformed,
     kIncomplete, false, false},
    {"truncated inside the date", [](std::string& b) { b.resize(b.find(kDate) + 4); }, kOk,
     kIncomplete, false, true},
    {"no byte order", [](std::string& b) { b[0] = 'X'; }, kMalformed, kMalformed, false, false},
    {"first IFD past the end", [](std::string& b) { putNumber(b, 4, 0xFFFFFFF0u, 4, false); },
     kMalformed, kIncomplete, false, false},
    {"first IFD inside the header", [](std::string& b) { putNumber(b, 4, 2, 4, false); },
     kMalformed, kMalformed, false, false},
    {"a huge entry count", [](std::string& b) { putNumber(b, kFirstIfd, 0xFFFF, 2, false); },
     kMalformed, kIncomplete, false, false},
    {"no entries", [](std::string& b) { putNumber(b, kFirstIfd, 0, 2, false); }, kMalformed,
     kMalformed, false, false},
    {"a huge date count",
     [](std::string& b) { putNumber(b, entryOffset(1) + 4, 0xFFFFFFFFu, 4, false); }, kOk,
     kIncomplete, false, true},
    {"the date past the end",
     [](std::string& b) { putNumber(b, entryOffset(1) + 8, 0x7FFFFFF0u, 4, false); }, kOk,
     kIncomplete, false, true},
    {"an orientation of 9", [](std::string& b) { putNumber(b, entryOffset(0) + 8, 9, 2, false); },
     kOk, kOk, true, false},
    {"an orientation of unknown type",
     [](std::string& b) { putNumber(b, entryOffset(0) + 2, 99, 2, false); }, kOk, kOk, true, false},
};

TEST(ExifTags, SpoiltBlocksFallBackQuietly) {
    for (const Spoilt& s : kSpoilt) {
        std::string block = exifBlock(camera());
        s.spoil(block);
        const ExifRead read = readExifTags(block);
        EXPECT_EQ(s.status, read.status) << s.what;
        EXPECT_EQ(s.dateKept, read.tags.dateTime.has_value()) << s.what;
        EXPECT_EQ(s.orientationKept, read.tags.orientation.has_value()) << s.what;

        const ExifRead head = readExifTags(block, ExifExtent::Head);
        EXPECT_EQ(s.headStatus, head.status) << s.what;
        if (head.status == kIncomplete) {
            EXPECT_GT(head.needed, block.size()) << s.what;
        } else {
            EXPECT_EQ(read.tags.dateTime, head.tags.dateTime) << s.what;
            EXPECT_EQ(read.tags.orientation, head.tags.orientation) << s.what;
        }
    }
}

// What every carried block must be: read back whole, upright, and the same when carried again.
void expectCarriedWhole(const std::string& copy, const char* what) {
    const ExifRead read = readExifTags(copy);
    EXPECT_EQ(kOk, read.status) << what;
    EXPECT_EQ(1, read.tags.orientation.value_or(1)) << what;
    EXPECT_EQ(std::optional<std::string>(copy), exifForCopy(copy, 360, 480)) << what;
}

TEST(ExifForCopy, UprightWithTheCopysSizeAndNoThumbnail) {
    for (bool big : {false, true}) {
        for (bool cameraIfds : {false, true}) {
            ExifSpec spec = camera(big);
            if (cameraIfds) {
                spec.exposure = std::make_pair(1u, 250u);
                spec.interop = true;
            }
            const std::optional<std::string> copy = exifForCopy(exifBlock(spec), 360, 480);
            ASSERT_TRUE(copy.has_value()) << big << cameraIfds;
            const ExifRead read = readExifTags(*copy);
            EXPECT_EQ(std::optional<std::string>(kDate), read.tags.dateTime);

            spec.orientation = 1;
            spec.pixels = std::make_pair(360u, 480u);
            spec.thumbnail.reset();
            EXPECT_EQ(exifBlock(spec), *copy) << "thumbnail cut off, everything else kept";
            expectCarriedWhole(*copy, "camera");
        }
    }
}

// A block whose first IFD (orientation 6, then the given field) links a thumbnail IFD, and
// whose field's value lies behind that IFD, where some writers put it.
std::string valueBehindTheThumbnail(std::uint16_t type, std::uint32_t count,
                                    const std::string& value) {
    constexpr std::uint32_t ifdSize = 2 + 2 * 12 + 4;
    constexpr std::uint32_t thumbnail = kFirstIfd + ifdSize;
    TiffWriter w;
    w.ifd({{0x0112, 3, 1, 6}, {0x011A, type, count, thumbnail + ifdSize}}, thumbnail);
    w.ifd({{0x0201, 4, 1, 0}, {0x0202, 4, 1, 0}});
    w.append(value);
    return w.bytes;
}

// A first IFD that links an Exif IFD and a GPS IFD lying inside it: the width the copy sets in
// the one is the GPS IFD's entry count.
std::string nestedIfds() {
    TiffWriter w;
    constexpr std::uint32_t exif = kFirstIfd + 2 + 2 * 12 + 4;
    w.ifd({{0x8769, 4, 1, exif}, {0x8825, 4, 1, exif + 12}});
    w.ifd({{0xA002, 4, 1, 0x10000}, {0xA003, 4, 1, 7}});
    return w.bytes;
}

struct Carried {
    const char* what;
    std::string block;
    bool carried;
    bool dateKept;
    std::string copy; // when not empty, the copy byte for byte
};

TEST(ExifForCopy, ABadTagIsLeftOutAndABadStructureRefused) {
    const std::string original = exifBlock(camera());
    const auto spoilt = [&original](std::size_t at, std::uint32_t value, int width) {
        std::string block = original;
        putNumber(block, at, value, width, false);
        return block;
    };
    const std::string rational("\x48\0\0\0\x01\0\0\0", 8);
    std::string upright = valueBehindTheThumbnail(5, 1, rational);
    putNumber(upright, entryOffset(0) + 8, 1, 2, false);
    putNumber(upright, entryOffset(2), 0, 4, false);
    std::string uprightUnknown = valueBehindTheThumbnail(99, 2, rational);
    putNumber(uprightUnknown, entryOffset(0) + 8, 1, 2, false);
    putNumber(uprightUnknown, entryOffset(2), 0, 4, false);

    const Carried rows[] = {
        {"the date past the end", spoilt(entryOffset(1) + 8, 0x7FFFFFF0u, 4), true, false, ""},
        {"an Exif IFD past the end", spoilt(entryOffset(2) + 8, 0xFFFFFF00u, 4), true, true, ""},
        {"a GPS link and the Exif link to the same place past the end",
         [&spoilt] {
             std::string block = spoilt(entryOffset(2) + 8, 0xFFFFFF00u, 4);
             for (const auto& [at, value, width] :
                  {std::tuple{0, 0x8825u, 2}, {2, 4u, 2}, {4, 1u, 4}, {8, 0xFFFFFF00u, 4}})
                 putNumber(block, entryOffset(1) + at, value, width, false);
             return block;
         }(),
         true, false, ""},
        {"an Exif IFD link of text type", spoilt(entryOffset(2) + 2, 2, 2), true, true, ""},
        // An orientation the copy cannot set to 1 would turn it in some viewers.
        {"an orientation of unknown type", spoilt(entryOffset(0) + 2, 99, 2), true, true, ""},
        {"an orientation of two values", spoilt(entryOffset(0) + 4, 2, 4), true, true, ""},
        {"a RATIONAL behind the thumbnail IFD", valueBehindTheThumbnail(5, 1, rational), true,
         false, upright},
        {"a value of unknown type behind the thumbnail IFD",
         valueBehindTheThumbnail(99, 2, rational), true, false, uprightUnknown},
        {"the Exif IFD is the first", spoilt(entryOffset(2) + 8, kFirstIfd, 4), false, false, ""},
        {"an IFD inside another", nestedIfds(), false, false, ""},
        {"the date inside the Exif IFD",
         spoilt(entryOffset(1) + 8, static_cast<std::uint32_t>(original.find(kDate) + 20), 4),
         false, false, ""},
        {"nothing but a bad date",
         [] {
             ExifSpec spec;
             spec.dateTime = kDate;
             std::string block = exifBlock(spec);
             putNumber(block, entryOffset(0) + 8, 0x7FFFFFF0u, 4, false);
             return block;
         }(),
         false, false, ""},
    };
    for (const Carried& row : rows) {
        const std::optional<std::string> copy = exifForCopy(row.block, 360, 480);
        ASSERT_EQ(row.carried, copy.has_value()) << row.what;
        if (!copy)
            continue;
        expectCarriedWhole(*copy, row.what);
        EXPECT_EQ(row.dateKept, readExifTags(*copy).tags.dateTime.has_value()) << row.what;
        if (!row.copy.empty()) {
            EXPECT_EQ(row.copy, *copy) << row.what;
        }
    }
}

TEST(ExifForCopy, AValueInTheThumbnailsBytesKeepsThem) {
    std::string shared = exifBlock(camera());
    putNumber(shared, entryOffset(1) + 8, static_cast<std::uint32_t>(shared.size() - 20), 4, false);
    const std::optional<std::string> copy = exifForCopy(shared, 10, 10);
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(shared.size(), copy->size());
}

TEST(PictureHead, TakesTheExifBlockAndTheProfileAndStopsAtThePicture) {
    const std::string block = exifBlock(camera());
    const std::string jpeg =
        jpegHead(jpegSegment(0xE0, "JFIF\0 plus some") + exifSegment(block) +
                     iccSegment(1, 2, "first half") + iccSegment(2, 2, "second half"),
                 500000);
    FakeFileSystem files;
    files.addFile("C:\\p\\a.jpg", 0, jpeg);
    const PictureHead head = readPictureHead(files, "C:\\p\\a.jpg", 1 << 20);
    EXPECT_EQ(PictureHead::Format::Jpeg, head.format);
    EXPECT_EQ(block, head.exif);
    ASSERT_EQ(2u, head.iccSegments.size());
    EXPECT_EQ(head.iccSegments, wholeIccProfile(head.iccSegments));
    EXPECT_LE(files.bytesRead, 64u * 1024) << "the picture data is never read";
}

TEST(PictureHead, MetadataGoesAfterTheEncodersApp0Segments) {
    const std::string block = exifBlock(camera());
    const std::vector<std::string> icc = {iccSegment(1, 2, "first half").substr(4),
                                          iccSegment(2, 2, "second half").substr(4)};
    const std::string metadata =
        exifSegment(block) + iccSegment(1, 2, "first half") + iccSegment(2, 2, "second half");
    const std::string jfif = jpegSegment(0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
    const std::string rest = jpegSegment(0xDB, "tables") + "\xFF\xD9";
    const std::string soi("\xFF\xD8", 2);
    const std::pair<std::string, std::size_t> encoded[] = {
        {soi + jfif + rest, 2 + jfif.size()},
        {soi + rest, 2},
        {soi + "\xFF\xE0\x7F\xFF" + rest, 2}, // an APP0 longer than the file
    };
    for (const auto& [jpeg, at] : encoded) {
        const std::optional<std::string> copy = jpegWithMetadata(jpeg, block, icc);
        ASSERT_TRUE(copy.has_value()) << at;
        EXPECT_EQ(jpeg.substr(0, at) + metadata + jpeg.substr(at), *copy) << at;
    }
}

TEST(PictureHead, LongHeadsAreReadOnToTheirEndOrNotAtAll) {
    const std::string block = exifBlock(camera());
    const std::string padding = jpegSegment(0xE3, std::string(60000, 'p'));
    const std::string jpeg = jpegHead(padding + padding + exifSegment(block));
    FakeFileSystem files;
    files.addFile("C:\\p\\a.jpg", 0, jpeg);
    files.addFile("C:\\p\\cut.jpg", 0, jpeg.substr(0, 100000));
    // A camera's header-only file: the whole EXIF block, then the file ends.
    files.addFile("C:\\p\\head.jpg", 0, std::string("\xFF\xD8", 2) + padding + exifSegment(block));
    EXPECT_EQ(block, readPictureHead(files, "C:\\p\\a.jpg", 1 << 20).exif);
    EXPECT_EQ(block, readPictureHead(files, "C:\\p\\head.jpg", 1 << 20).exif);
    EXPECT_EQ(PictureHead::Format::Other, readPictureHead(files, "C:\\p\\a.jpg", 100000).format);
    const PictureHead cut = readPictureHead(files, "C:\\p\\cut.jpg", 1 << 20);
    EXPECT_EQ(PictureHead::Format::Jpeg, cut.format);
    EXPECT_TRUE(cut.exif.empty()) << "the segment the file ends in is not taken";
    EXPECT_EQ(PictureHead::Format::Other,
              readPictureHead(files, "C:\\p\\none.jpg", 1 << 20).format);

    // A segment length below 2 would loop for ever.
    EXPECT_EQ(PictureHead::Format::Other,
              readPictureHead(std::string("\xFF\xD8\xFF\xE1\x00\x01", 6)).format);
}

TEST(PictureHead, TheProfilesColourSpaceIsInItsFirstSegment) {
    // The profile's header: size, maker, version, class, then the colour space at 16.
    const auto profile = [](const char* space) {
        return "0000cmm 0000mntr" + std::string(space) + "XYZ " + std::string(108, '\0');
    };
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{iccSegment(1, 1, profile("RGB "))}, "RGB "},
        {{iccSegment(1, 1, profile("GRAY"))}, "GRAY"},
        {{iccSegment(2, 2, "tail"), iccSegment(1, 2, profile("CMYK"))}, "CMYK"},
        {{iccSegment(1, 1, "0000cmm 0000mntrRGB")}, ""},
    };
    for (const auto& [segments, space] : rows) {
        std::vector<std::string> payloads;
        for (const std::string& s : segments)
            payloads.push_back(s.substr(4));
        EXPECT_EQ(space, iccColourSpace(payloads));
    }
}

TEST(PictureHead, OnlyAWholeIccProfileIsCarried) {
    const std::vector<std::string> partial[] = {
        {iccSegment(1, 2, "a")},
        {iccSegment(1, 2, "a"), iccSegment(1, 2, "b")},
        {iccSegment(0, 1, "a")},
        {jpegSegment(0xE2, std::string("ICC_PROFILE\0", 12))},
    };
    for (const auto& segments : partial) {
        std::vector<std::string> payloads;
        for (const std::string& s : segments)
            payloads.push_back(s.substr(4));
        EXPECT_TRUE(wholeIccProfile(payloads).empty());
    }
}

} // namespace
} // namespace tessaly::test
