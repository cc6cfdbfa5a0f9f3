// Copies upright: the pixels turned and mirrored by the orientation their picture records.
#include "imaging/Orientation.h"

#include "support/ExifBuilder.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaly {
namespace {

// A picture of one-byte pixels (grey, as Bgr's blue) from rows of letters.
Pixels letters(const std::vector<std::string>& rows) {
    Pixels p = blankPixels(static_cast<unsigned>(rows[0].size()),
                           static_cast<unsigned>(rows.size()), PixelLayout::Bgrx);
    for (unsigned y = 0; y < p.height; ++y)
        for (unsigned x = 0; x < p.width; ++x)
            p.row(y)[4 * x] = static_cast<std::uint8_t>(rows[y][x]);
    return p;
}

std::vector<std::string> rowsOf(const Pixels& p) {
    std::vector<std::string> rows(p.height);
    for (unsigned y = 0; y < p.height; ++y)
        for (unsigned x = 0; x < p.width; ++x)
            rows[y] += static_cast<char>(p.row(y)[4 * x]);
    return rows;
}

TEST(Orientation, TurnsAndMirrorsUprightAsTheOrientationSays) {
    // Stored: "abc" over "def"; what each orientation shows.
    const std::vector<std::string> upright[9] = {
        {},
        {"abc", "def"},
        {"cba", "fed"},
        {"fed", "cba"},
        {"def", "abc"},
        {"ad", "be", "cf"},
        {"da", "eb", "fc"},
        {"fc", "eb", "da"},
        {"cf", "be", "ad"},
    };
    for (int turn = 1; turn <= 8; ++turn) {
        const Pixels seen = turnUpright(letters({"abc", "def"}), turn);
        EXPECT_EQ(upright[turn], rowsOf(seen)) << "orientation " << turn;
        EXPECT_EQ(turnedSize({3, 2}, turn), (PictureSize{seen.width, seen.height})) << turn;
    }
}

TEST(Orientation, IsReadFromTheHeadsOfJpegAndTiffFilesOnly) {
    test::ExifSpec spec;
    spec.orientation = 6;
    const std::string block = test::exifBlock(spec);
    const std::string jpeg = "\xFF\xD8" + test::exifSegment(block) + "\xFF\xDA";
    EXPECT_EQ(6, recordedOrientation(readPictureHead(jpeg)));
    EXPECT_EQ(6, recordedOrientation(readPictureHead(block)));    // a TIFF file's own header
    EXPECT_EQ(1, recordedOrientation(readPictureHead("GIF89a"))); // and nothing else's
    EXPECT_EQ(1, recordedOrientation(readPictureHead(std::string("\xFF\xD8\xFF\xDA", 4))));
    spec.orientation = 9;
    EXPECT_EQ(1, recordedOrientation(readPictureHead(test::exifBlock(spec))));
}

} // namespace
} // namespace tessaly
