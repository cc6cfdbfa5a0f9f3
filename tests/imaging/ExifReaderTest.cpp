// What a photo records about itself: read from its first segments, carried into its copies,
// and every malformed block falling back quietly.
#include "imaging/ExifReader.h"
#include "imaging/JpegSegments.h"
#include "support/ExifBuilder.h"
#include "support/FakeFileSystem.h"

#include <gtest/gtest.h>

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
// left out; nothing is read outside the bytes (the sanitizers watch).
struct Spoilt {
    const char* what;
    void (*spoil)(std::string& block);
    ExifRead::Status status;
    bool dateKept;
    bool orientationKept;
};

const Spoilt kSpoilt[] = {
    {"truncated inside the first IFD", [](std::string& b) { b.resize(entryOffset(1)); },
     ExifRead::Status::Incomplete, false, false},
    {"truncated inside the date", [](std::string& b) { b.resize(b.find(kDate) + 4); },
     ExifRead::Status::Incomplete, false, false},
    {"no byte order", [](std::string& b) { b[0] = 'X'; }, ExifRead::Status::Malformed, false,
     false},
    {"first IFD past the end", [](std::string& b) { putNumber(b, 4, 0xFFFFFFF0u, 4, false); },
     ExifRead::Status::Incomplete, false, false},
    {"first IFD inside the header", [](std::string& b) { putNumber(b, 4, 2, 4, false); },
     ExifRead::Status::Malformed, false, false},
    {"a huge entry count", [](std::string& b) { putNumber(b, kFirstIfd, 0xFFFF, 2, false); },
     ExifRead::Status::Incomplete, false, false},
    {"no entries", [](std::string& b) { putNumber(b, kFirstIfd, 0, 2, false); },
     ExifRead::Status::Malformed, false, false},
    {"a huge date count",
     [](std::string& b) { putNumber(b, entryOffset(1) + 4, 0xFFFFFFFFu, 4, false); },
     ExifRead::Status::Incomplete, false, true},
    {"the date past the end",
     [](std::string& b) { putNumber(b, entryOffset(1) + 8, 0x7FFFFFF0u, 4, false); },
     ExifRead::Status::Incomplete, false, true},
    {"an orientation of 9", [](std::string& b) { putNumber(b, entryOffset(0) + 8, 9, 2, false); },
     ExifRead::Status::Ok, true, false},
    {"an orientation of unknown type",
     [](std::string& b) { putNumber(b, entryOffset(0) + 2, 99, 2, false); }, ExifRead::Status::Ok,
     true, false},
};

TEST(ExifTags, SpoiltBlocksFallBackQuietly) {
    for (const Spoilt& s : kSpoilt) {
        std::string block = exifBlock(camera());
        s.spoil(block);
        const ExifRead read = readExifTags(block);
        EXPECT_EQ(s.status, read.status) << s.what;
        if (read.status == ExifRead::Status::Incomplete) {
            EXPECT_GT(read.needed, block.size()) << s.what;
            continue;
        }
        EXPECT_EQ(s.dateKept, read.tags.dateTime.has_value()) << s.what;
        EXPECT_EQ(s.orientationKept, read.tags.orientation.has_value()) << s.what;
    }
}

TEST(ExifForCopy, UprightWithTheCopysSizeAndNoThumbnail) {
    for (bool big : {false, true}) {
        const std::string original = exifBlock(camera(big));
        const std::optional<std::string> copy = exifForCopy(original, 360, 480);
        ASSERT_TRUE(copy.has_value());
        const ExifRead read = readExifTags(*copy);
        ASSERT_EQ(ExifRead::Status::Ok, read.status);
        EXPECT_EQ(std::optional<int>(1), read.tags.orientation);
        EXPECT_EQ(std::optional<std::string>(kDate), read.tags.dateTime);

        ExifSpec expected = camera(big);
        expected.orientation = 1;
        expected.pixels = std::make_pair(360u, 480u);
        expected.thumbnail.reset();
        EXPECT_EQ(exifBlock(expected), *copy) << "thumbnail cut off, everything else kept";
    }
}

TEST(ExifForCopy, LoopsAndStrayLinksAreNotCarried) {
    std::string looping = exifBlock(camera());
    putNumber(looping, entryOffset(2) + 8, kFirstIfd, 4, false); // the Exif IFD is the first
    EXPECT_EQ(std::nullopt, exifForCopy(looping, 10, 10));

    // An orientation the copy cannot set to 1 would turn it in some viewers.
    std::string unknownType = exifBlock(camera());
    putNumber(unknownType, entryOffset(0) + 2, 99, 2, false);
    EXPECT_EQ(std::nullopt, exifForCopy(unknownType, 10, 10));

    std::string stray = exifBlock(camera());
    putNumber(stray, entryOffset(2) + 8, 0xFFFFFF00u, 4, false);
    EXPECT_EQ(std::nullopt, exifForCopy(stray, 10, 10));

    // A date moved into the thumbnail's bytes keeps them.
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

    const std::optional<std::string> copy =
        jpegWithMetadata(std::string("\xFF\xD8\xFF\xE0rest", 8), block, head.iccSegments);
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(std::string("\xFF\xD8", 2) + exifSegment(block) + iccSegment(1, 2, "first half") +
                  iccSegment(2, 2, "second half") + "\xFF\xE0rest",
              *copy);
}

TEST(PictureHead, LongHeadsAreReadOnToTheirEndOrNotAtAll) {
    const std::string block = exifBlock(camera());
    const std::string padding = jpegSegment(0xE3, std::string(60000, 'p'));
    const std::string jpeg = jpegHead(padding + padding + exifSegment(block));
    FakeFileSystem files;
    files.addFile("C:\\p\\a.jpg", 0, jpeg);
    files.addFile("C:\\p\\cut.jpg", 0, jpeg.substr(0, 100000));
    EXPECT_EQ(block, readPictureHead(files, "C:\\p\\a.jpg", 1 << 20).exif);
    EXPECT_EQ(PictureHead::Format::Other, readPictureHead(files, "C:\\p\\a.jpg", 100000).format);
    EXPECT_EQ(PictureHead::Format::Other, readPictureHead(files, "C:\\p\\cut.jpg", 1 << 20).format);
    EXPECT_EQ(PictureHead::Format::Other,
              readPictureHead(files, "C:\\p\\none.jpg", 1 << 20).format);

    // A segment length below 2 would loop for ever.
    EXPECT_EQ(PictureHead::Format::Other,
              readPictureHead(std::string("\xFF\xD8\xFF\xE1\x00\x01", 6)).format);
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
