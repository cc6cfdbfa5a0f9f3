#pragma once
// The picture work of a rename/resize job: scaled JPEG copies and the recorded date of a
// picture. The Windows implementation keeps GDI+ started for as long as it lives, so a job
// that owns one has the imaging library running from its construction to its destruction.

#include <optional>
#include <string>

namespace tessaly {

// Results of ImageResizer::ResizeToJpeg.
namespace resize {
constexpr int Written = 0;     // the scaled JPEG file was written
constexpr int NotWritten = -1; // no copy for this file
constexpr int CancelAll = -2;  // the user chose to resize no further file
} // namespace resize

class ImageResizer {
public:
    virtual ~ImageResizer() = default;

    // Writes a copy of the picture at source, scaled to the given width (or, when the width is
    // 0, to the given height) with its aspect ratio kept and never enlarged, as JPEG data to
    // target. Asks before replacing an existing target. Paths are 8-bit ANSI text.
    virtual int ResizeToJpeg(const std::string& source, const std::string& target, unsigned width,
                             unsigned height) = 0;

    // The text of the picture's DateTime tag (0x0132), up to its terminating NUL; nothing when
    // the file is not a readable picture or has no such tag.
    virtual std::optional<std::string> ReadDateTimeTag(const std::string& path) const = 0;
};

} // namespace tessaly
