// The JPEG copies and the picture dates through the real Windows Imaging Component, on pictures
// the tests make with GDI+ (or by hand).
#include "batch/ResizedCopy.h"
#include "imaging/ExifReader.h"
#include "imaging/GdiplusObjects.h"
#include "imaging/ImageDateReader.h"
#include "imaging/JpegSegments.h"
#include "imaging/WicResizer.h"
#include "naming/BatchJob.h"
#include "platform/WideText.h"
#include "platform/Win32FileSystem.h"
#include "support/ExifBuilder.h"
#include "support/Pictures.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace tessaly::test {
namespace {

bool isJpeg(const std::string& path) {
    return readFile(path).compare(0, 2, "\xFF\xD8") == 0;
}

// A JPEG file's bytes with segments placed right after its start marker.
std::string withSegments(const std::string& jpeg, const std::string& segments) {
    return jpeg.substr(0, 2) + segments + jpeg.substr(2);
}

// An ICC profile: its header's fields up to the colour space, then filler.
std::string iccHeader(const char* colourSpace) {
    return "0000cmm 0000mntr" + std::string(colourSpace) + "XYZ " + std::string(300, 'a');
}

class WicResizerTest : public ::testing::Test {
protected:
    GdiplusSession gdiplus; // for making and inspecting the pictures
    ScriptedMessageBoxes messages;
    WicResizer resizer;
    Win32FileSystem disk;
    TempFolder folder;

    // A copy as the batch writes it: under a temporary name first, then under its own.
    int resizeToJpeg(const std::string& source, const std::string& target, unsigned width,
                     unsigned height) {
        const PathParts parts = splitPath(target);
        const CopyNames names{source, target, parts.drive + parts.directory + "~Tessaly-t-c0.tmp"};
        const CopyAnswer answer = askBeforeCopying(names, disk, messages);
        if (answer == CopyAnswer::CancelAll)
            return resize::CancelAll;
        const std::optional<std::string> picture = disk.readFile(source);
        std::optional<std::string> copy =
            picture ? resizer.ScaledJpeg(*picture, width, height) : std::nullopt;
        if (answer == CopyAnswer::Skip || !copy)
            return resize::NotWritten;
        const PreparedCopy prepared{answer == CopyAnswer::Replace, std::move(*copy)};
        if (!writeResizedCopy(names, prepared, disk))
            return resize::NotWritten;
        return placeResizedCopy(names, prepared.replace, disk, Patience(nullptr));
    }
    std::optional<std::string> dateTag(const std::string& path) {
        const std::optional<std::string> bytes = disk.readFile(path);
        return bytes ? resizer.ReadDateTimeTag(*bytes) : std::nullopt;
    }

    std::string picture(const std::string& name, unsigned width, unsigned height,
                        const std::wstring& mimeType = L"image/jpeg") {
        const std::string path = folder.path() + name;
        EXPECT_TRUE(writePicture(path, width, height, mimeType)) << name;
        return path;
    }
};

struct SizeCase {
    unsigned sourceWidth, sourceHeight, width, height, resultWidth, resultHeight;
};

TEST_F(WicResizerTest, WritesJpegCopiesOfTheWorkedSizes) {
    const SizeCase cases[] = {
        {2048, 1536, 700, 0, 700, 525}, {1536, 2048, 700, 0, 700, 933},
        {3000, 2000, 160, 0, 160, 106}, {3000, 2000, 0, 120, 180, 120},
        {500, 375, 640, 0, 500, 375},   {500, 1001, 500, 0, 500, 1000},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.sourceWidth) + " x " + std::to_string(c.sourceHeight) +
                     " at " + std::to_string(c.width) + ", " + std::to_string(c.height));
        const std::string source = picture("IMG_0001.JPG", c.sourceWidth, c.sourceHeight);
        const std::string target = folder.path() + "sml.IMG_0001.JPG";
        ASSERT_EQ(resize::Written, resizeToJpeg(source, target, c.width, c.height));
        const PictureFacts copy = readPicture(target);
        EXPECT_EQ(c.resultWidth, copy.width);
        EXPECT_EQ(c.resultHeight, copy.height);
        EXPECT_TRUE(isJpeg(target));
        EXPECT_TRUE(closeColours(0xFF3080C0, copy.centre)) << std::hex << copy.centre;
        // Neither file is held open after the call.
        EXPECT_TRUE(DeleteFileW(wideFromUtf8(target).c_str())) << GetLastError();
        EXPECT_TRUE(DeleteFileW(wideFromUtf8(source).c_str())) << GetLastError();
    }
    EXPECT_TRUE(messages.shown.empty());
}

// A source of one bright colour, written by the test.
struct Source {
    const char* name;
    bool (*write)(const std::string& path);
    std::uint32_t seen = 0; // the colour of the copy, when it is not the source's as GDI+ reads it
};

bool writeBright(const std::string& path, const wchar_t* mimeType, bool paletted = false) {
    return writePicture(path, 640, 480, mimeType, 0xFFF0D8B0, paletted);
}

const Source kSources[] = {
    {"a.png", [](const std::string& p) { return writeBright(p, L"image/png"); }},
    {"a.bmp", [](const std::string& p) { return writeBright(p, L"image/bmp"); }},
    // Paletted, CMYK and 16-bit grey pictures: GDI+ gives no drawing context in their formats.
    {"a.gif", [](const std::string& p) { return writeBright(p, L"image/gif"); }},
    {"paletted.png", [](const std::string& p) { return writeBright(p, L"image/png", true); }},
    {"paletted.bmp", [](const std::string& p) { return writeBright(p, L"image/bmp", true); }},
    {"cmyk.jpg", [](const std::string& p) { return writeCmykJpeg(p, 640, 480, 0x0F274F00); }},
    {"grey16.png", [](const std::string& p) { return writeGrey16Png(p, 640, 480, 0xE0E0); }},
    {"a.tif", [](const std::string& p) { return writeBright(p, L"image/tiff"); }},
    {"a.jpg", [](const std::string& p) { return writeBright(p, L"image/jpeg"); }},
    // What is transparent shows white.
    {"clear.png", [](const std::string& p) { return writeArgbPng(p, 640, 480, 0x00102030); },
     0xFFFFFFFF},
    {"half.png", [](const std::string& p) { return writeArgbPng(p, 640, 480, 0x80FF0000); },
     0xFFFF7F7F},
};

TEST_F(WicResizerTest, EverySourceGivesJpegDataUnderItsOwnExtensionWithoutADarkBorder) {
    for (const Source& source : kSources) {
        SCOPED_TRACE(source.name);
        const std::string path = folder.path() + source.name;
        ASSERT_TRUE(source.write(path));
        // The colour as GDI+ reads the source (Wine's reads a CMYK JPEG as black).
        const std::uint32_t colour = source.seen != 0 ? source.seen : readPicture(path).centre;
        const std::string target = folder.path() + "sml." + source.name;
        ASSERT_EQ(resize::Written, resizeToJpeg(path, target, 320, 0));
        EXPECT_TRUE(isJpeg(target));
        const PictureFacts copy = readPicture(target);
        EXPECT_EQ(320u, copy.width);
        EXPECT_EQ(240u, copy.height);
        EXPECT_TRUE(closeColours(colour, copy.centre)) << std::hex << colour << " " << copy.centre;
        // Sampling past the picture's edge must find the picture, not black.
        std::size_t dark = 0;
        for (std::uint32_t pixel : copy.edge)
            dark += closeColours(colour, pixel) ? 0 : 1;
        EXPECT_EQ(0u, dark) << "of " << copy.edge.size() << " edge pixels";
    }
}

TEST_F(WicResizerTest, NoCopyWithoutASizeAndTheSourceIsNotHeldOpen) {
    const std::string source = picture("a.jpg", 640, 480);
    const std::string target = folder.path() + "sml.a.jpg";
    EXPECT_EQ(resize::NotWritten, resizeToJpeg(source, target, 0, 0));
    EXPECT_FALSE(fileExists(target));
    EXPECT_TRUE(
        MoveFileW(wideFromUtf8(source).c_str(), wideFromUtf8(folder.path() + "b.jpg").c_str()))
        << GetLastError();
}

TEST_F(WicResizerTest, NoCopyOfWhatIsNotAReadablePicture) {
    const std::string text = folder.write("notes.jpg", "not a picture at all");
    EXPECT_EQ(resize::NotWritten, resizeToJpeg(text, folder.path() + "sml.notes.jpg", 160, 0));
    EXPECT_EQ(resize::NotWritten, resizeToJpeg(folder.path() + "missing.jpg",
                                               folder.path() + "sml.missing.jpg", 160, 0));
    EXPECT_FALSE(fileExists(folder.path() + "sml.notes.jpg"));
    EXPECT_FALSE(fileExists(folder.path() + "sml.missing.jpg"));
    EXPECT_TRUE(DeleteFileW(wideFromUtf8(text).c_str())) << GetLastError();
}

TEST_F(WicResizerTest, AFailedSaveIsNoCopy) {
    const std::string source = picture("a.jpg", 640, 480);
    EXPECT_EQ(resize::NotWritten,
              resizeToJpeg(source, folder.path() + "no-such-folder\\sml.a.jpg", 160, 0));
}

TEST_F(WicResizerTest, AsksBeforeReplacingAnExistingCopy) {
    const std::string source = picture("IMG_0001.JPG", 640, 480);
    const std::string target = folder.write("sml.IMG_0001.JPG", "an earlier copy");
    const std::string question = "The resize file name already exists: " + target +
                                 "\nDo you want to overwrite the file?  Select Cancel to cancel "
                                 "further resize operations.";
    const std::pair<int, int> answers[] = {{mb::IdNo, resize::NotWritten},
                                           {mb::IdCancel, resize::CancelAll}};
    for (const auto& [answer, result] : answers) {
        messages.answers = {answer};
        EXPECT_EQ(result, resizeToJpeg(source, target, 160, 0)) << answer;
        EXPECT_EQ("an earlier copy", readFile(target));
    }
    messages.answers = {mb::IdYes};
    EXPECT_EQ(resize::Written, resizeToJpeg(source, target, 160, 0));
    EXPECT_TRUE(isJpeg(target));
    EXPECT_EQ(160u, readPicture(target).width);

    ASSERT_EQ(3u, messages.shown.size());
    for (const ShownMessage& shown : messages.shown) {
        EXPECT_EQ(MessageOwner::None, shown.owner);
        EXPECT_EQ(question, shown.text);
        EXPECT_EQ("Warning", shown.caption);
        EXPECT_EQ(mb::YesNoCancel, shown.style); // and no icon
    }
}

TEST_F(WicResizerTest, NeverWritesTheCopyOverItsOwnSource) {
    // An empty resize prefix with renaming off names the source itself, however it is spelled.
    const std::string source = picture("IMG_0001.JPG", 640, 480);
    const std::string original = readFile(source);
    messages.otherwise = mb::IdYes;
    for (const std::string& target :
         {source, folder.path() + "img_0001.jpg", folder.path() + ".\\IMG_0001.JPG"}) {
        EXPECT_EQ(resize::NotWritten, resizeToJpeg(source, target, 160, 0)) << target;
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(original, readFile(source));
    EXPECT_EQ(640u, readPicture(source).width);
}

TEST_F(WicResizerTest, CopiesAreUprightAndSizedAsTheyAreSeen) {
    // Stored as 40 x 30 pixels, red at the top left; orientations 5 to 8 are portraits.
    const int redCornerOfCopy[9] = {-1, 0, 1, 2, 3, 0, 1, 2, 3};
    std::string plain = folder.path() + "plain.jpg";
    ASSERT_TRUE(writeMarkedJpeg(plain, 40, 30));
    for (int turn = 1; turn <= 8; ++turn) {
        SCOPED_TRACE("orientation " + std::to_string(turn));
        ExifSpec spec;
        spec.orientation = turn;
        const std::string source =
            folder.write("IMG.JPG", withSegments(readFile(plain), exifSegment(exifBlock(spec))));
        const std::string target = folder.path() + "sml.IMG.JPG";
        ASSERT_EQ(resize::Written, resizeToJpeg(source, target, 0, 20));
        const PictureFacts copy = readPicture(target);
        EXPECT_EQ(turn >= 5 ? 15u : 26u, copy.width);
        EXPECT_EQ(20u, copy.height);
        EXPECT_EQ(redCornerOfCopy[turn], redCorner(target));
        EXPECT_EQ(std::optional<int>(1),
                  readExifTags(readPictureHead(readFile(target)).exif).tags.orientation);
        DeleteFileA(target.c_str());
    }
}

TEST_F(WicResizerTest, CopiesCarryTheExifBlockAndTheColourProfile) {
    ExifSpec spec;
    spec.orientation = 6;
    spec.dateTime = "2008:05:12 10:20:30";
    spec.pixels = std::make_pair(64u, 48u);
    spec.thumbnail = std::string(2000, '\x11');
    const std::string block = exifBlock(spec);
    const std::string icc = iccSegment(1, 2, iccHeader("RGB ")) + iccSegment(2, 2, "b");
    const std::string source = folder.write(
        "IMG.JPG", withSegments(readFile(picture("IMG.JPG", 64, 48)), exifSegment(block) + icc));
    const std::string target = folder.path() + "sml.IMG.JPG";
    ASSERT_EQ(resize::Written, resizeToJpeg(source, target, 24, 0));

    const std::string copy = readFile(target);
    const PictureHead head = readPictureHead(copy);
    EXPECT_EQ(exifForCopy(block, 24, 32), std::optional<std::string>(head.exif));
    EXPECT_EQ(readPictureHead(readFile(source)).iccSegments, head.iccSegments);
    // After the start marker and the encoder's JFIF segment, and a picture that GDI+ reads.
    ASSERT_EQ(std::string("\xFF\xD8\xFF\xE0", 4), copy.substr(0, 4));
    const std::size_t jfifEnd =
        4 + ((static_cast<unsigned char>(copy[4]) << 8) | static_cast<unsigned char>(copy[5]));
    EXPECT_EQ(exifSegment(*exifForCopy(block, 24, 32)) + icc,
              copy.substr(jfifEnd, exifSegment(head.exif).size() + icc.size()));
    EXPECT_EQ(24u, readPicture(target).width);

    // Without metadata, with a block that cannot be carried, or with a profile of another
    // colour space than the copy's RGB, the copy has none.
    std::string spoilt = block;
    putNumber(spoilt, entryOffset(2) + 8, kFirstIfd, 4, false); // the Exif IFD loops
    messages.otherwise = mb::IdYes;
    for (const std::string& segments :
         {std::string(), exifSegment(spoilt), iccSegment(1, 1, iccHeader("GRAY"))}) {
        folder.write("IMG.JPG", withSegments(readFile(picture("IMG.JPG", 64, 48)), segments));
        ASSERT_EQ(resize::Written, resizeToJpeg(source, target, 24, 0));
        const PictureHead bare = readPictureHead(readFile(target));
        EXPECT_TRUE(bare.exif.empty());
        EXPECT_TRUE(bare.iccSegments.empty());
        EXPECT_EQ(24u, readPicture(target).width);
    }
}

TEST_F(WicResizerTest, ReadsTheDateTimeTagOfATiffPicture) {
    const std::string path =
        folder.write("scan.tif", tiffWithDateTime(8, 4, "2008:05:12 10:20:30"));
    EXPECT_EQ(std::optional<std::string>("2008:05:12 10:20:30"), dateTag(path));
    // A tag far larger than a date fits whole in the buffer it is read into.
    const std::string padded = "2009:07:01 08:00:00" + std::string(3000, ' ') + "end";
    const std::string large = folder.write("large.tif", tiffWithDateTime(8, 4, padded));
    EXPECT_EQ(std::optional<std::string>(padded), dateTag(large));
}

TEST_F(WicResizerTest, PicturesWithoutADateTagHaveNone) {
    EXPECT_EQ(std::nullopt, dateTag(picture("plain.jpg", 64, 48)));
    EXPECT_EQ(std::nullopt, dateTag(folder.write("notes.jpg", "text")));
    EXPECT_EQ(std::nullopt, dateTag(folder.path() + "missing.jpg"));
}

TEST_F(WicResizerTest, TimeKeyIsThePicturesDateOrTheFilesTime) {
    const std::int32_t modified = 1000000000; // 2001-09-09
    const std::string tiff =
        folder.write("scan.tif", tiffWithDateTime(8, 4, "2008:05:12 10:20:30"));
    const std::string large = folder.write(
        "large.tif", tiffWithDateTime(8, 4, "2009:07:01 08:00:00" + std::string(3000, ' ')));
    const std::string jpeg = picture("plain.jpg", 64, 48);
    const std::string text = folder.write("notes.jpg", "text");
    // A JPEG's date comes from the file's head.
    ExifSpec spec;
    spec.dateTime = "2010:03:04 05:06:07";
    const std::string dated = picture("dated.jpg", 64, 48);
    folder.write("dated.jpg", withSegments(readFile(dated), exifSegment(exifBlock(spec))));
    for (const std::string& path : {tiff, large, jpeg, text, dated})
        ASSERT_TRUE(setModificationTime(path, modified)) << path;

    const Win32FileSystem files;
    EXPECT_EQ(timeKeyFromDateText("2008:05:12 10:20:30"),
              ReadTimeKey(tiff, RenumberOrder::ByPictureDate, resizer, files));
    EXPECT_EQ(timeKeyFromDateText("2009:07:01 08:00:00"),
              ReadTimeKey(large, RenumberOrder::ByPictureDate, resizer, files));
    EXPECT_EQ(modified, ReadTimeKey(jpeg, RenumberOrder::ByPictureDate, resizer, files));
    EXPECT_EQ(timeKeyFromDateText("2010:03:04 05:06:07"),
              ReadTimeKey(dated, RenumberOrder::ByPictureDate, resizer, files));
    EXPECT_EQ(modified, ReadTimeKey(text, RenumberOrder::ByPictureDate, resizer, files));
    EXPECT_EQ(modified, ReadTimeKey(tiff, RenumberOrder::ByModificationTime, resizer, files));
    EXPECT_EQ(0, ReadTimeKey(folder.path() + "missing.jpg", RenumberOrder::ByPictureDate, resizer,
                             files));
}

TEST_F(WicResizerTest, AnIconGivesACopyOfItsPicture) {
    for (const unsigned side : {48u, 256u}) {
        const std::string icon = folder.write("a.ico", iconFile(side, side, 0xFFF0D8B0));
        const std::string target = folder.path() + "sml.a.ico";
        ASSERT_EQ(resize::Written, resizeToJpeg(icon, target, 32, 0)) << side;
        const PictureFacts copy = readPicture(target);
        EXPECT_EQ(32u, copy.width);
        EXPECT_EQ(32u, copy.height);
        EXPECT_TRUE(closeColours(0xFFF0D8B0, copy.centre)) << std::hex << copy.centre;
        DeleteFileA(target.c_str());
    }
}

TEST_F(WicResizerTest, CopiesAreBaselineJpegWithTheColoursHalvedBothWays) {
    const std::optional<std::string> copy =
        resizer.ScaledJpeg(readFile(picture("a.png", 640, 480, L"image/png")), 160, 0);
    ASSERT_TRUE(copy.has_value());
    // The frame header: baseline (SOF0), three components, luma 2 x 2, each chroma 1 x 1.
    const std::size_t frame = copy->find("\xFF\xC0");
    ASSERT_NE(std::string::npos, frame);
    EXPECT_EQ(std::string::npos, copy->find("\xFF\xC2")); // not progressive
    ASSERT_GT(copy->size(), frame + 19);
    EXPECT_EQ(3, (*copy)[frame + 9]);
    EXPECT_EQ(0x22, (*copy)[frame + 11]);
    EXPECT_EQ(0x11, (*copy)[frame + 14]);
    EXPECT_EQ(0x11, (*copy)[frame + 17]);
}

TEST_F(WicResizerTest, AsksForThePixelBytesACopyNeedsBeforeDecoding) {
    const std::string png = readFile(picture("a.png", 640, 480, L"image/png"));
    const std::string gif = readFile(picture("a.gif", 640, 480, L"image/gif"));
    // A PNG of 24-bit colour decodes as it is, a paletted GIF through premultiplied BGRA; beside
    // the picture, the copy and its upright turn, and the resampler's work, which is less than a
    // third of the picture.
    const struct {
        const std::string* picture;
        unsigned width, height;
        std::uint64_t decoded, copy;
    } cases[] = {
        {&png, 160, 0, 640 * 480 * 3, 160 * 120 * 3},
        {&png, 0, 240, 640 * 480 * 3, 320 * 240 * 3},
        {&png, 1000, 0, 640 * 480 * 3, 640 * 480 * 3},
        {&gif, 160, 0, 640 * 480 * 4, 160 * 120 * 3},
    };
    // The bytes asked for; refused, no copy is made.
    const auto asked = [&](const std::string& picture, unsigned width, unsigned height) {
        std::optional<std::uint64_t> bytes;
        const std::optional<std::string> copy =
            resizer.ScaledJpeg(picture, width, height, [&bytes](std::uint64_t b) {
                bytes = b;
                return false;
            });
        EXPECT_FALSE(copy.has_value());
        return bytes;
    };
    for (const auto& c : cases) {
        const std::optional<std::uint64_t> bytes = asked(*c.picture, c.width, c.height);
        ASSERT_TRUE(bytes.has_value()) << c.width << " x " << c.height;
        EXPECT_LE(c.decoded + 2 * c.copy, *bytes) << c.width << " x " << c.height;
        EXPECT_GE(c.decoded * 4 / 3 + 2 * c.copy, *bytes) << c.width << " x " << c.height;
    }
    EXPECT_EQ(std::nullopt, asked(png, 0, 0));
    EXPECT_EQ(std::nullopt, asked("not a picture", 160, 0));
}

TEST_F(WicResizerTest, ThreadsWithoutComOfTheirOwnMakeTheSameCopiesAtOnce) {
    const std::string jpeg = readFile(picture("a.jpg", 640, 480));
    const std::optional<std::string> alone = resizer.ScaledJpeg(jpeg, 160, 0);
    ASSERT_TRUE(alone.has_value());
    std::vector<std::optional<std::string>> copies(4);
    std::vector<std::thread> threads;
    for (std::optional<std::string>& copy : copies)
        threads.emplace_back([&] {
            for (int i = 0; i < 3 && (i == 0 || copy == alone); ++i)
                copy = resizer.ScaledJpeg(jpeg, 160, 0);
        });
    for (std::thread& thread : threads)
        thread.join();
    for (const std::optional<std::string>& copy : copies)
        EXPECT_TRUE(copy == alone);
}

} // namespace
} // namespace tessaly::test
