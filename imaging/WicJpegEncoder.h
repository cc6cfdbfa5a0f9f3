#pragma once
// JPEG files written by the Windows Imaging Component's encoder: baseline, quality 0.75,
// chroma halved both ways (4:2:0) where the encoder takes that option.

#include "imaging/Pixels.h"

#include <windows.h>
#include <wincodec.h>

#include <optional>
#include <string>

namespace tessaly {

// The Bgr pixels as a JPEG file; nothing when the encoder fails.
std::optional<std::string> encodeWicJpeg(IWICImagingFactory* factory, const Pixels& bgr);

} // namespace tessaly
