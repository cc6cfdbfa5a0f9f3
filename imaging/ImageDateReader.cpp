#include "imaging/ImageDateReader.h"

#include "imaging/ExifReader.h"
#include "imaging/JpegSegments.h"

#include <cstdio>
#include <ctime>
#include <limits>

namespace tessaly {

std::optional<std::int32_t> timeKeyFromDateText(const std::string& text) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (std::sscanf(text.c_str(), "%4d:%2d:%2d %2d:%2d:%2d", &year, &month, &day, &hour, &minute,
                    &second) != 6)
        return std::nullopt;

    std::tm local = {};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    // The picture's own date decides about daylight-saving time, not the moment of reading:
    // the same picture must get the same key in summer and in winter.
    local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    // A 64-bit time_t represents dates that the 32-bit key cannot; before 1970 is no time.
    if (seconds < 0 || seconds > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(seconds);
}

namespace {

// How much of a file's start the date may be looked for in; a longer head goes to the imaging
// library.
constexpr std::size_t kHeadLimit = 1024 * 1024;

// The picture's DateTime text: from the head of a JPEG or TIFF file, without decoding the
// picture; from the imaging library for whatever cannot be read that way.
std::optional<std::string> recordedDateText(const std::string& path, const ImageResizer& pictures,
                                            const FileSystem& fileSystem) {
    const PictureHead head = readPictureHead(fileSystem, path, kHeadLimit);
    if (head.format == PictureHead::Format::Jpeg && head.exif.empty())
        return std::nullopt; // a JPEG without an EXIF block
    if (head.format != PictureHead::Format::Other) {
        const ExifRead read = readExifTags(head.exif);
        if (read.status == ExifRead::Status::Ok)
            return read.tags.dateTime;
    }
    const std::optional<std::string> picture = fileSystem.readFile(path);
    if (!picture)
        return std::nullopt;
    return pictures.ReadDateTimeTag(*picture);
}

} // namespace

std::int32_t ReadTimeKey(const std::string& path, RenumberOrder order, const ImageResizer& pictures,
                         const FileSystem& fileSystem) {
    if (order != RenumberOrder::ByModificationTime) {
        if (const std::optional<std::string> text = recordedDateText(path, pictures, fileSystem)) {
            if (const std::optional<std::int32_t> key = timeKeyFromDateText(*text))
                return *key;
        }
    }
    const std::int32_t modified = fileSystem.modificationTime(path).value_or(0);
    return modified == -1 ? 0 : modified;
}

} // namespace tessaly
