// The Julian day of an instant's local date and whole hour, run once per time
// zone. The expected value comes from the C library's own local time and the
// Julian day formula of Meeus, Astronomical Algorithms, chapter 7.

#include "ephemeris/julian_date.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>

using ephemeris_test::utc;

namespace {

double meeusJulianDay(int year, int month, int day, int hour) {
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    const int a = year / 100;
    const int b = 2 - a + a / 4;
    return std::floor(365.25 * (year + 4716)) + std::floor(30.6001 * (month + 1)) + day + b - 1524.5 + hour / 24.0;
}

double expectedFor(platform::Date date) {
    const auto seconds = static_cast<std::time_t>(std::floor(date.secondsSince1970()));
    std::tm local{};
    ::tzset();
    ::localtime_r(&seconds, &local);
    return meeusJulianDay(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour);
}

} // namespace

TEST(JulianCalendarDate, LocalDateAndWholeHour) {
    for (const platform::Date date : {utc(2024, 3, 20, 3, 6, 59), utc(2000, 1, 1, 12), utc(2024, 3, 31, 1, 30),
                                      utc(2024, 10, 6, 15, 59, 59), utc(1999, 12, 31, 23, 59, 59)}) {
        const auto day = ephemeris::julianCalendarDate(date);
        ASSERT_TRUE(day);
        EXPECT_DOUBLE_EQ(*day, expectedFor(date)) << date.secondsSince1970();
    }
    const char* zone = std::getenv("TZ");
    if (zone && std::string(zone) == "UTC") {
        // Minutes and seconds are dropped: 03:06:59 is read as 03:00.
        EXPECT_EQ(ephemeris::julianCalendarDate(utc(2024, 3, 20, 3, 6, 59)), 2460389.625);
    }
}
