#include "batch/LogDate.h"

namespace tessaly {

namespace {
const char* const kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

// A non-negative number with leading zeros up to the width.
std::string Padded(int value, size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}
} // namespace

std::string LogDateText(const std::tm& time) {
    // 60 allows a leap second, as strftime does.
    if (!InRange(time.tm_wday, 0, 6) || !InRange(time.tm_mon, 0, 11) ||
        !InRange(time.tm_mday, 1, 31) || !InRange(time.tm_hour, 0, 23) ||
        !InRange(time.tm_min, 0, 59) || !InRange(time.tm_sec, 0, 60) ||
        !InRange(time.tm_year, -1900, 9999 - 1900))
        return std::string();
    return std::string(kWeekdays[time.tm_wday]) + ", " + kMonths[time.tm_mon] + " " +
           Padded(time.tm_mday, 2) + ", " + Padded(time.tm_year + 1900, 4) + "  " +
           Padded(time.tm_hour, 2) + ":" + Padded(time.tm_min, 2) + ":" + Padded(time.tm_sec, 2);
}

std::string LogDateNow() {
    const std::time_t now = std::time(nullptr);
    if (now == static_cast<std::time_t>(-1))
        return std::string();
    std::tm local = {};
#ifdef _WIN32
    if (localtime_s(&local, &now) != 0)
        return std::string();
#else
    if (localtime_r(&now, &local) == nullptr)
        return std::string();
#endif
    return LogDateText(local);
}

} // namespace tessaly
