#pragma once

#include "imaging/ImageResizer.h"

namespace tessaly {

// The resizer and picture date reader over the Windows Imaging Component: pictures are decoded
// and encoded by its codecs, from and to bytes in memory, and scaled by our own resampler, so
// that copies are alike on every system.
//
// It keeps no state: ScaledJpeg and ReadDateTimeTag may be called from any number
// of threads at once. A thread without COM needs nothing beforehand: each call enters the
// multithreaded apartment for its own duration and leaves it again; a thread already in an
// apartment (the shell's single-threaded one) is used as it is.
class WicResizer final : public ImageResizer {
public:
    using ImageResizer::ScaledJpeg;
    std::optional<std::string> ScaledJpeg(const std::string& picture, unsigned width,
                                          unsigned height,
                                          const PixelReservation& reserve) override;
    std::optional<std::string> ReadDateTimeTag(const std::string& picture) const override;
};

} // namespace tessaly
