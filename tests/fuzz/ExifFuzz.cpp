// Any bytes as the head of a picture file: the segment walk, the EXIF reader, the block made for
// a copy and the copy's head. Nothing may be read outside the bytes; what a copy carries must
// read back whole and upright, keep the date the original gave, and be carried again unchanged.
#include "imaging/ExifReader.h"
#include "imaging/JpegSegments.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaly;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const PictureHead head = readPictureHead(bytes);
    if (head.needed != 0 && head.needed <= bytes.size())
        std::abort(); // asking for bytes it already has would never end
    const ExifRead partial = readExifTags(head.exif, ExifExtent::Head);
    if (partial.status == ExifRead::Status::Incomplete && partial.needed <= head.exif.size())
        std::abort();
    const ExifRead read = readExifTags(head.exif);
    if (read.status == ExifRead::Status::Incomplete)
        std::abort(); // a whole block holds all there is

    const std::optional<std::string> carried = exifForCopy(head.exif, 320, 240);
    if (carried) {
        const ExifRead again = readExifTags(*carried);
        if (again.status != ExifRead::Status::Ok)
            std::abort(); // a carried block reads back whole
        if (again.tags.orientation.value_or(1) != 1)
            std::abort(); // a copy must never be turned by a viewer
        if (read.tags.dateTime && again.tags.dateTime != read.tags.dateTime)
            std::abort(); // only bad tags are left out
        if (exifForCopy(*carried, 320, 240) != carried)
            std::abort(); // a copy of the copy is the same block
    }
    const std::vector<std::string> icc = wholeIccProfile(head.iccSegments);
    if (const std::optional<std::string> copy = jpegWithMetadata(
            "\xFF\xD8\xFF\xE0\x00\x04JF\xFF\xD9", carried.value_or(std::string()), icc)) {
        const PictureHead copied = readPictureHead(*copy);
        if (copied.exif != carried.value_or(std::string()) || copied.iccSegments != icc)
            std::abort(); // what was placed must read back the same
    }
    return 0;
}
