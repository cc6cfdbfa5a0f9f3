#pragma once
// The time key by which renumbering orders files: signed 32-bit seconds since 1970-01-01
// 00:00:00 UTC, 0 standing for no time at all.

#include "imaging/ImageResizer.h"
#include "naming/RenumberOrder.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tessaly {

// By modification time the file's modification time; otherwise the date the picture records in its
// DateTime tag, or the modification time when it has none that can be used. 0 when the file's
// status cannot be read either.
std::int32_t ReadTimeKey(const std::string& path, RenumberOrder order, const ImageResizer& pictures,
                         const FileSystem& fileSystem);

// A DateTime text "YYYY:MM:DD HH:MM:SS" (field widths are maxima, out-of-range fields roll
// over) taken as local time, with the daylight-saving state of that date. Nothing when it does
// not hold six numbers or lies outside the 32-bit range from 1970 to January 2038.
std::optional<std::int32_t> timeKeyFromDateText(const std::string& text);

} // namespace tessaly
