// The Julian day of an instant's local date and whole hour, run once per time
// zone. The expected value comes from the C library's own local time and the
// Julian day formula of Meeus, Astronomical Algorithms, chapter 7.

#include "ephemeris/julian_date.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <iomanip>
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

namespace {

// The Julian day of the instant's local wall-clock time cut to its whole hour,
// with the offset the C library reads from the same zone: no calendar involved,
// so it holds on either side of the 1582 reform and before year 1.
double wholeLocalHour(platform::Date date) {
    const auto seconds = static_cast<std::time_t>(std::floor(date.secondsSince1970()));
    std::tm local{};
    ::tzset();
    ::localtime_r(&seconds, &local);
    const double localSeconds = static_cast<double>(seconds) + static_cast<double>(local.tm_gmtoff);
    return 2440587.5 + std::floor(localSeconds / 3600.0) / 24.0;
}

} // namespace

// Before 15 October 1582 the calendar's fields are Julian-calendar fields, and
// before year 1 they belong to the era before Christ: both reach the library as
// such. The instants are written with their proleptic Gregorian UTC fields.
TEST(JulianCalendarDate, JulianCalendarAndEraBeforeChrist) {
    const platform::Date idesOfMarch = utc(-43, 3, 13, 12);    // 15 March 44 BC (Julian), 12:00 UT
    const platform::Date march1500 = utc(1500, 3, 11);         // 1 March 1500 (Julian), 00:00 UT
    const platform::Date lastJulianDay = utc(1582, 10, 14, 23, 30);   // 4 October 1582 (Julian)
    const platform::Date firstGregorianDay = utc(1582, 10, 15, 0, 30);
    const platform::Date yearOne = utc(1, 1, 1, 6);            // 3 January 1 AD (Julian)
    const platform::Date oneBC = utc(0, 12, 31, 18);           // 2 January 1 BC (Julian)
    for (const platform::Date date : {idesOfMarch, march1500, lastJulianDay, firstGregorianDay, yearOne, oneBC,
                                      utc(-4712, 6, 1, 9, 59), utc(2024, 3, 20, 3, 6, 59)}) {
        const auto day = ephemeris::julianCalendarDate(date);
        ASSERT_TRUE(day) << date.secondsSince1970();
        // The two sums round differently in their last bits; a calendar mistake is a day or more.
        EXPECT_NEAR(*day, wholeLocalHour(date), 1e-6) << std::setprecision(17) << date.secondsSince1970();
    }

    const char* zone = std::getenv("TZ");
    if (zone && std::string(zone) == "UTC") {
        // Julian days of the Julian-calendar dates by the Julian-calendar rule of
        // Meeus (Astronomical Algorithms, ch. 7, B = 0).
        EXPECT_EQ(ephemeris::julianCalendarDate(idesOfMarch), 1705426.0);
        EXPECT_EQ(ephemeris::julianCalendarDate(march1500), 2268992.5);
        // The reform: Thursday 4 October 1582 (day 2299160) was followed by Friday 15 October.
        EXPECT_DOUBLE_EQ(*ephemeris::julianCalendarDate(lastJulianDay), 2299159.5 + 23.0 / 24.0);
        EXPECT_EQ(ephemeris::julianCalendarDate(firstGregorianDay), 2299160.5);
    }
}
