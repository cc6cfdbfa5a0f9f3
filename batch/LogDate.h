#pragma once
// The date line of the log: "Friday, December 05, 2008  14:03:22", in English whatever the
// process locale is, so that every log reads the same.

#include <ctime>
#include <string>

namespace tessaly {

// Formats a broken-down local time; empty when a field is out of range.
std::string LogDateText(const std::tm& time);

// The local time now, formatted; empty when the clock cannot be read or converted.
std::string LogDateNow();

} // namespace tessaly
