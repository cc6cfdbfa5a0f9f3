// The log's date line: English names whatever the locale, fixed widths, two blanks before the
// time.
#include "batch/LogDate.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <system_error>

namespace tessaly::test {
namespace {

std::tm Time(int year, int month, int day, int weekday, int hour, int minute, int second) {
    std::tm time = {};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_wday = weekday;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

TEST(LogDate, FormatsWithFullEnglishNames) {
    const struct {
        std::tm time;
        const char* text;
    } cases[] = {
        {Time(2008, 12, 5, 5, 14, 3, 22), "Friday, December 05, 2008  14:03:22"},
        {Time(2023, 1, 1, 0, 0, 0, 0), "Sunday, January 01, 2023  00:00:00"},
        {Time(2024, 2, 29, 4, 9, 5, 7), "Thursday, February 29, 2024  09:05:07"},
        {Time(2037, 9, 30, 3, 23, 59, 59), "Wednesday, September 30, 2037  23:59:59"},
        {Time(1999, 5, 17, 1, 12, 0, 0), "Monday, May 17, 1999  12:00:00"},
        {Time(2010, 8, 3, 2, 1, 2, 3), "Tuesday, August 03, 2010  01:02:03"},
        {Time(2011, 10, 22, 6, 18, 30, 0), "Saturday, October 22, 2011  18:30:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, LogDateText(c.time));
}

TEST(LogDate, IsEmptyWhenAFieldIsOutOfRange) {
    const std::tm good = Time(2008, 12, 5, 5, 14, 3, 22);
    const struct {
        const char* field;
        int std::tm::*member;
        int value;
    } cases[] = {
        {"weekday", &std::tm::tm_wday, 7}, {"weekday", &std::tm::tm_wday, -1},
        {"month", &std::tm::tm_mon, 12},   {"month", &std::tm::tm_mon, -1},
        {"day", &std::tm::tm_mday, 0},     {"hour", &std::tm::tm_hour, 24},
        {"minute", &std::tm::tm_min, 60},  {"second", &std::tm::tm_sec, 61},
        {"year", &std::tm::tm_year, 8100},
    };
    for (const auto& c : cases) {
        std::tm bad = good;
        bad.*c.member = c.value;
        EXPECT_EQ("", LogDateText(bad)) << c.field << " " << c.value;
    }
}

TEST(LogDate, NowHasTheLogsShape) {
    const std::regex shape(
        "(Sun|Mon|Tues|Wednes|Thurs|Fri|Satur)day, "
        "(January|February|March|April|May|June|July|August|September|October|"
        "November|December) [0-3][0-9], [0-9]{4}  [0-2][0-9]:[0-5][0-9]:[0-6][0-9]");
    const std::string now = LogDateNow();
    EXPECT_TRUE(std::regex_match(now, shape)) << now;
}

// Sets, while it lives, a C locale whose day names are not English: one of the machine's, or
// else one made for the test from the C library's own definitions (glibc's localedef, into a
// folder of the test's, found through LOCPATH). Windows always has its locales.
class ForeignLocale {
public:
    explicit ForeignLocale(const std::tm& friday) : previous_(std::setlocale(LC_ALL, nullptr)) {
        const char* const names[] = {
            "de_DE.UTF-8",        "de_DE.utf8", "fr_FR.UTF-8", "German_Germany.1252",
            "French_France.1252", "deu",        "fra"};
        for (const char* candidate : names)
            if (Select(candidate, friday))
                return;
#ifndef _WIN32
        char folder[] = "/tmp/tessaly-locale-XXXXXX";
        if (mkdtemp(folder) == nullptr)
            return;
        folder_ = folder;
        const char* locpath = std::getenv("LOCPATH");
        if (locpath != nullptr)
            previousLocpath_ = locpath;
        const std::string made = folder_ + "/de_DE.UTF-8";
        // localedef warns about parts of the definition it does not need; the result counts.
        std::system(("localedef -i de_DE -f UTF-8 '" + made + "' >/dev/null 2>&1").c_str());
        setenv("LOCPATH", folder_.c_str(), 1);
        Select("de_DE.UTF-8", friday);
#endif
    }
    ~ForeignLocale() {
        std::setlocale(LC_ALL, previous_.c_str());
#ifndef _WIN32
        if (folder_.empty())
            return;
        if (previousLocpath_)
            setenv("LOCPATH", previousLocpath_->c_str(), 1);
        else
            unsetenv("LOCPATH");
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
#endif
    }
    ForeignLocale(const ForeignLocale&) = delete;
    ForeignLocale& operator=(const ForeignLocale&) = delete;

    // Null when there is none.
    const char* name() const {
        return name_.empty() ? nullptr : name_.c_str();
    }

private:
    bool Select(const char* candidate, const std::tm& friday) {
        if (std::setlocale(LC_ALL, candidate) == nullptr)
            return false;
        char weekday[64] = {};
        std::strftime(weekday, sizeof weekday, "%A", &friday);
        if (std::string(weekday) == "Friday")
            return false;
        name_ = candidate;
        return true;
    }

    std::string previous_;
    std::string name_;
    std::string folder_;
    std::optional<std::string> previousLocpath_;
};

// Under a locale whose names are not English, strftime would write those; the log must not.
TEST(LogDate, StaysEnglishUnderAnotherLocale) {
    const std::tm friday = Time(2008, 12, 5, 5, 14, 3, 22);
    const ForeignLocale foreign(friday);
    ASSERT_NE(nullptr, foreign.name()) << "no locale with other day names, and none could be made";
    EXPECT_EQ("Friday, December 05, 2008  14:03:22", LogDateText(friday))
        << "under " << foreign.name();
}

} // namespace
} // namespace tessaly::test
