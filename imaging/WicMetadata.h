#pragma once
// A picture's recorded date through the Windows Imaging Component's metadata query reader, for
// every format whose codec exposes the TIFF/EXIF tags.

#include <windows.h>
#include <wincodec.h>

#include <optional>
#include <string>

namespace tessaly {

// The text of the frame's DateTime tag (0x0132), up to its first NUL; nothing when it has none.
std::optional<std::string> wicDateTimeTag(IWICBitmapFrameDecode* frame);

} // namespace tessaly
