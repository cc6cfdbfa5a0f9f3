#include "imaging/Orientation.h"

#include "imaging/ExifReader.h"

#include <cstring>

namespace tessaly {

int recordedOrientation(const PictureHead& head) {
    if (head.format == PictureHead::Format::Other)
        return 1;
    const ExifRead exif = readExifTags(head.exif);
    return exif.status == ExifRead::Status::Ok ? exif.tags.orientation.value_or(1) : 1;
}

PictureSize turnedSize(PictureSize size, int orientation) {
    return orientation >= 5 && orientation <= 8 ? PictureSize{size.height, size.width} : size;
}

Pixels turnUpright(const Pixels& stored, int orientation) {
    if (orientation < 2 || orientation > 8)
        return stored;
    const PictureSize upright = turnedSize({stored.width, stored.height}, orientation);
    const unsigned w = stored.width - 1;
    const unsigned h = stored.height - 1;
    const std::size_t size = bytesPerPixel(stored.layout);
    Pixels turned = blankPixels(upright.width, upright.height, stored.layout);
    for (unsigned v = 0; v < upright.height; ++v) {
        for (unsigned u = 0; u < upright.width; ++u) {
            // Where the pixel seen at (u, v) is stored.
            unsigned x = u, y = v;
            switch (orientation) {
            case 2:
                x = w - u;
                break;
            case 3:
                x = w - u, y = h - v;
                break;
            case 4:
                y = h - v;
                break;
            case 5:
                x = v, y = u;
                break;
            case 6:
                x = v, y = h - u;
                break;
            case 7:
                x = w - v, y = h - u;
                break;
            case 8:
                x = w - v, y = u;
                break;
            default:
                break;
            }
            std::memcpy(turned.row(v) + u * size, stored.row(y) + x * size, size);
        }
    }
    return turned;
}

} // namespace tessaly
