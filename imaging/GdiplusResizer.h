#pragma once

#include "imaging/ImageResizer.h"

#include <cstdint>

namespace tessaly {

// The resizer and picture date reader on the GDI+ flat interface. GDI+ is started when it is
// constructed and shut down when it is destroyed, once each. Pictures are decoded from streams
// over their bytes, never from paths.
class GdiplusResizer final : public ImageResizer {
public:
    GdiplusResizer();
    ~GdiplusResizer() override;

    GdiplusResizer(const GdiplusResizer&) = delete;
    GdiplusResizer& operator=(const GdiplusResizer&) = delete;

    std::optional<std::string> ScaledJpeg(const std::string& picture, unsigned width,
                                          unsigned height) override;
    std::optional<std::string> ReadDateTimeTag(const std::string& picture) const override;

private:
    std::uintptr_t token_ = 0;
    bool started_ = false;
};

} // namespace tessaly
