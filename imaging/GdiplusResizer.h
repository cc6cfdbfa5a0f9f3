#pragma once

#include "imaging/ImageResizer.h"
#include "platform/MessageBoxes.h"

#include <cstdint>

namespace tessaly {

// The resizer and picture date reader on the GDI+ flat interface. GDI+ is started when it is
// constructed and shut down when it is destroyed, once each. The overwrite question goes
// through messages, owned by no window.
class GdiplusResizer final : public ImageResizer {
public:
    explicit GdiplusResizer(MessageBoxes& messages);
    ~GdiplusResizer() override;

    GdiplusResizer(const GdiplusResizer&) = delete;
    GdiplusResizer& operator=(const GdiplusResizer&) = delete;

    int ResizeToJpeg(const std::string& source, const std::string& target, unsigned width,
                     unsigned height) override;
    std::optional<std::string> ReadDateTimeTag(const std::string& path) const override;

private:
    MessageBoxes& messages_;
    std::uintptr_t token_ = 0;
    bool started_ = false;
};

} // namespace tessaly
