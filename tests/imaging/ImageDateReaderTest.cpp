// The time key of a picture: its recorded date, or its file's modification time.
#include "imaging/ImageDateReader.h"
#include "naming/BatchJob.h"
#include "support/ExifBuilder.h"
#include "support/FakeFileSystem.h"
#include "support/FakeImageResizer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace tessaly::test {
namespace {

// The local wall-clock time of a key, as "YYYY-MM-DD HH:MM:SS".
std::string localText(std::int32_t key) {
    const std::time_t seconds = key;
    const std::tm* local = std::localtime(&seconds);
    if (local == nullptr)
        return "?";
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
    return text;
}

// Whether the zone keeps daylight-saving time: January and July differ in it.
bool zoneKeepsDaylightSavingTime() {
    std::tm winter = {};
    winter.tm_year = 108, winter.tm_mon = 0, winter.tm_mday = 15, winter.tm_isdst = -1;
    std::tm summer = winter;
    summer.tm_mon = 6;
    const std::time_t w = std::mktime(&winter);
    const std::time_t s = std::mktime(&summer);
    return winter.tm_isdst != summer.tm_isdst && w != -1 && s != -1;
}

// Central European Time with summer time, so that daylight-saving rules are always exercised
// (the Windows C runtime applies its own summer-time dates to it; the dates below lie well
// inside summer and winter under either rule).
class DateText : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
#ifdef _WIN32
        _putenv("TZ=CET-1CEST");
        _tzset();
#else
        setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        tzset();
#endif
    }
};

TEST_F(DateText, IsLocalTimeWithTheDaylightSavingStateOfItsOwnDate) {
    ASSERT_TRUE(zoneKeepsDaylightSavingTime());
    // One date in summer and one in winter: whatever the moment of reading, each comes back as
    // the wall-clock time it was written with.
    struct {
        const char* text;
        const char* wallClock;
        std::int32_t utcSeconds;
    } const cases[] = {{"2008:05:12 10:20:30", "2008-05-12 10:20:30", 1210580430}, // UTC+2
                       {"2008:12:24 18:00:00", "2008-12-24 18:00:00", 1230138000}, // UTC+1
                       {"1970:01:02 00:00:00", "1970-01-02 00:00:00", 82800}};
    for (const auto& c : cases) {
        const std::optional<std::int32_t> key = timeKeyFromDateText(c.text);
        ASSERT_TRUE(key.has_value()) << c.text;
        EXPECT_EQ(c.utcSeconds, *key) << c.text;
        EXPECT_EQ(c.wallClock, localText(*key)) << c.text;
    }
}

TEST_F(DateText, FieldWidthsAreMaximaAndOutOfRangeFieldsRollOver) {
    const std::pair<const char*, const char*> same[] = {
        {"2008:5:1 9:07:00", "2008:05:01 09:07:00"},
        {"2008:13:01 00:00:00", "2009:01:01 00:00:00"},
        {"2008:02:30 00:00:00", "2008:03:01 00:00:00"},
        {"2008:05:12 10:20:30 and more", "2008:05:12 10:20:30"},
    };
    for (const auto& [text, equivalent] : same) {
        const std::optional<std::int32_t> key = timeKeyFromDateText(text);
        ASSERT_TRUE(key.has_value()) << text;
        EXPECT_EQ(timeKeyFromDateText(equivalent), key) << text;
    }
    // Twelve seconds later is twelve seconds more.
    EXPECT_EQ(*timeKeyFromDateText("2008:05:12 10:20:30") + 12,
              *timeKeyFromDateText("2008:05:12 10:20:42"));
}

TEST_F(DateText, TextsThatGiveNoUsableTime) {
    const char* texts[] = {
        "",
        "                   ",
        "0000:00:00 00:00:00", // a camera clock that was never set
        "2008:05:12",
        "2008-05-12 10:20:30",
        "1969:12:30 12:00:00",
        "1900:01:01 00:00:00",
        "2038:01:20 00:00:00", // past the end of signed 32-bit seconds
        "2100:01:01 00:00:00",
        "9999:12:31 23:59:59",
    };
    for (const char* text : texts)
        EXPECT_EQ(std::nullopt, timeKeyFromDateText(text)) << "\"" << text << "\"";
}

class TimeKey : public DateText {
protected:
    FakeImageResizer pictures;
    FakeFileSystem files;
    const std::string path = "C:\\p\\IMG_0001.JPG";
};

// The picture's bytes are its path, which the fake looks its date up by.
TEST_F(TimeKey, ModificationOrderNeverOpensThePicture) {
    files.addFile(path, 1200000000, path);
    pictures.dateTags[path] = "2008:05:12 10:20:30";
    EXPECT_EQ(1200000000, ReadTimeKey(path, RenumberOrder::ByModificationTime, pictures, files));
    EXPECT_TRUE(pictures.dateReads.empty());
}

TEST_F(TimeKey, PictureOrderTakesTheRecordedDate) {
    files.addFile(path, 1200000000, path);
    pictures.dateTags[path] = "2008:05:12 10:20:30";
    for (RenumberOrder anyOther : {RenumberOrder::ByPictureDate, RenumberOrder::ByPath})
        EXPECT_EQ(*timeKeyFromDateText("2008:05:12 10:20:30"),
                  ReadTimeKey(path, anyOther, pictures, files));
    EXPECT_EQ(2u, pictures.dateReads.size());
}

TEST_F(TimeKey, FallsBackToTheModificationTime) {
    files.addFile(path, 1200000000, path);
    EXPECT_EQ(1200000000,
              ReadTimeKey(path, RenumberOrder::ByPictureDate, pictures, files)); // no tag
    for (const char* unusable : {"", "0000:00:00 00:00:00", "2040:01:01 00:00:00", "garbage"}) {
        pictures.dateTags[path] = unusable;
        EXPECT_EQ(1200000000, ReadTimeKey(path, RenumberOrder::ByPictureDate, pictures, files))
            << unusable;
    }
}

TEST_F(TimeKey, JpegAndTiffDatesAreReadFromTheFileHeadAlone) {
    ExifSpec spec;
    spec.dateTime = "2008:05:12 10:20:30";
    const std::string block = exifBlock(spec);
    ExifSpec undated;
    undated.orientation = 3;
    std::string spoilt = block;
    putNumber(spoilt, kFirstIfd, 0, 2, false);
    struct {
        std::string bytes;
        std::int32_t key;
        bool picturesAsked;
    } const rows[] = {
        {jpegHead(exifSegment(block)), *timeKeyFromDateText("2008:05:12 10:20:30"), false},
        // A camera's header-only file ends before its picture data.
        {std::string("\xFF\xD8", 2) + exifSegment(block),
         *timeKeyFromDateText("2008:05:12 10:20:30"), false},
        {block + std::string(100, 'x'), *timeKeyFromDateText("2008:05:12 10:20:30"), false},
        {jpegHead(jpegSegment(0xE0, "JFIF")), 1200000000, false},
        {jpegHead(exifSegment(exifBlock(undated))), 1200000000, false},
        {jpegHead(exifSegment(spoilt)), 1200000000, true},
        {"\x89PNG\r\n\x1a\n", 1200000000, true},
    };
    for (const auto& row : rows) {
        pictures.dateReads.clear();
        files.addFile(path, 1200000000, row.bytes);
        EXPECT_EQ(row.key, ReadTimeKey(path, RenumberOrder::ByPictureDate, pictures, files));
        EXPECT_EQ(row.picturesAsked, !pictures.dateReads.empty());
    }
}

TEST_F(TimeKey, NoTimeAtAllIsZero) {
    // The file vanished since it was selected.
    EXPECT_EQ(0, ReadTimeKey(path, RenumberOrder::ByModificationTime, pictures, files));
    EXPECT_EQ(0, ReadTimeKey(path, RenumberOrder::ByPictureDate, pictures, files));
    // One second before 1970 is -1, which stands for no time as well.
    files.addFile(path, -1);
    EXPECT_EQ(0, ReadTimeKey(path, RenumberOrder::ByModificationTime, pictures, files));
    files.addFile(path, -2);
    EXPECT_EQ(-2, ReadTimeKey(path, RenumberOrder::ByModificationTime, pictures, files));
}

} // namespace
} // namespace tessaly::test
