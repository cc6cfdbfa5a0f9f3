#pragma once
// The picture work of a rename/resize job: scaled JPEG copies and the recorded date of a
// picture, both from a picture file's bytes (the batch reads them through the file system, so
// that the imaging library never opens a path of its own). The Windows implementation holds no
// state between calls: every call may come from any thread, several at once.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tessaly {

// Results of writing one resized copy (see ResizeToJpeg).
namespace resize {
constexpr int Written = 0;     // the scaled JPEG file was written
constexpr int NotWritten = -1; // no copy for this file
constexpr int CancelAll = -2;  // the user chose to resize no further file
} // namespace resize

class ImageResizer {
public:
    virtual ~ImageResizer() = default;

    // Asked, once the picture's header tells it and before any pixel is decoded, with the
    // bytes of pixels that the copy holds at its peak (the decoded picture at the scale it is
    // decoded at, the resampler's work and the copy; a codec's own buffers are not counted).
    // false: no copy is made.
    using PixelReservation = std::function<bool(std::uint64_t bytes)>;

    // The picture held by a file's bytes, scaled to the given width (or, when the width is 0,
    // to the given height) with its aspect ratio kept and never enlarged, as the bytes of a JPEG
    // file; nothing when it cannot be read, scaled or encoded, or the reservation refused.
    virtual std::optional<std::string> ScaledJpeg(const std::string& picture, unsigned width,
                                                  unsigned height,
                                                  const PixelReservation& reserve) = 0;
    std::optional<std::string> ScaledJpeg(const std::string& picture, unsigned width,
                                          unsigned height) {
        return ScaledJpeg(picture, width, height, [](std::uint64_t) { return true; });
    }

    // The text of the picture's DateTime tag (0x0132), up to its terminating NUL; nothing when
    // the bytes are not a readable picture or it has no such tag.
    virtual std::optional<std::string> ReadDateTimeTag(const std::string& picture) const = 0;
};

} // namespace tessaly
