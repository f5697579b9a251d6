#include "platform/core/calendar.h"
#include "platform/core/julian_day.h"
#include "platform/core/julian_day_numbers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>

namespace astronomy {
namespace {

using platform::Date;

TEST(JulianDay, MatchesTheUnixEpochAndJ2000) {
    EXPECT_DOUBLE_EQ(JulianDay::of(Date::fromSecondsSince1970(0)).value, 2440587.5);
    EXPECT_DOUBLE_EQ(JulianDay::of(Date::fromSecondsSince1970(946728000)).value, 2451545.0);   // 2000-01-01 12:00
    EXPECT_DOUBLE_EQ(JulianDay{2451545.0}.date().secondsSince1970(), 946728000.0);
    EXPECT_DOUBLE_EQ(JulianDay{2440587.5}.date().secondsSince1970(), 0.0);
}

TEST(UtcFields, ReadTheInstantInUtc) {
    // 2024-03-20 03:06:21.7 UTC
    const Date equinox = Date::fromSecondsSince1970(1710903981.7);
    EXPECT_EQ(utcFields(equinox), (UtcFields{2024, 3, 20, 3, 6, 21}));
    EXPECT_EQ(utcFields(Date::fromSecondsSince1970(0)), (UtcFields{1970, 1, 1, 0, 0, 0}));
    EXPECT_EQ(utcFields(Date::fromSecondsSince1970(951782400)), (UtcFields{2000, 2, 29, 0, 0, 0}));
}

TEST(UtcFields, DropTheFractionOfASecondTowardsThePast) {
    EXPECT_EQ(utcFields(Date::fromSecondsSince1970(59.999)), (UtcFields{1970, 1, 1, 0, 0, 59}));
    EXPECT_EQ(utcFields(Date::fromSecondsSince1970(-0.25)), (UtcFields{1969, 12, 31, 23, 59, 59}));
    EXPECT_EQ(utcFields(Date::fromSecondsSince1970(-86400.5)), (UtcFields{1969, 12, 30, 23, 59, 59}));
}

TEST(UtcFields, FollowTheJulianCalendarBefore15October1582) {
    EXPECT_EQ(utcFields(JulianDay{2299160.5}.date()), (UtcFields{1582, 10, 15, 0, 0, 0}));
    EXPECT_EQ(utcFields(JulianDay{2299159.5}.date()), (UtcFields{1582, 10, 4, 0, 0, 0}));
    EXPECT_EQ(utcFields(JulianDay{0.0}.date()), (UtcFields{-4712, 1, 1, 12, 0, 0}));
    // Astronomical numbering: year 0 is 1 BC, a Julian leap year.
    EXPECT_EQ(utcFields(JulianDay{1721057.5 + 59}.date()), (UtcFields{0, 2, 29, 0, 0, 0}));
    EXPECT_EQ(utcFields(JulianDay{1721423.5}.date()), (UtcFields{1, 1, 1, 0, 0, 0}));
}

TEST(UtcFields, StayWithinTheCalendarForAnyInstant) {
    const UtcFields nan = utcFields(Date::fromSecondsSince1970(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(nan, (UtcFields{1970, 1, 1, 0, 0, 0}));
    const UtcFields late = utcFields(Date::fromSecondsSince1970(std::numeric_limits<double>::infinity()));
    const UtcFields early = utcFields(Date::fromSecondsSince1970(-std::numeric_limits<double>::infinity()));
    EXPECT_EQ(late, utcFields(JulianDay{latestJulianDay}.date()));
    EXPECT_EQ(early, utcFields(JulianDay{earliestJulianDay}.date()));
    EXPECT_GT(late.year, 5'800'000);
    EXPECT_LT(early.year, -5'800'000);
}

TEST(JulianDayNumbers, CountEveryDayOnceAcrossTheCalendarSwitch) {
    // Each day number maps to a date that maps back to it, in both calendars and
    // far from our era; consecutive days are consecutive dates.
    for (std::int64_t start : {std::int64_t{-2'130'000'000}, std::int64_t{-1}, std::int64_t{1721050},
                               std::int64_t{2299000}, std::int64_t{2440000}, std::int64_t{2'130'000'000}}) {
        CivilDate previous = civilDateOfDayNumber(start - 1);
        for (std::int64_t n = start; n < start + 1500; ++n) {
            const CivilDate date = civilDateOfDayNumber(n);
            if (n != firstGregorianDayNumber) {
                ASSERT_EQ(dayNumberOfCivilDate(date.year, date.month, date.day), n);
                const bool nextDay = date.day == previous.day + 1 && date.month == previous.month;
                const bool nextMonth = date.day == 1 && (date.month == previous.month + 1 ||
                                                         (date.month == 1 && date.year == previous.year + 1));
                ASSERT_TRUE(nextDay || nextMonth) << n;
            }
            previous = date;
        }
    }
    EXPECT_EQ(civilDateOfDayNumber(firstGregorianDayNumber), (CivilDate{1582, 10, 15}));
    EXPECT_EQ(civilDateOfDayNumber(firstGregorianDayNumber - 1), (CivilDate{1582, 10, 4}));
}

TEST(JulianDayNumbers, NewYearFollowsTheLeapRulesOfEachCalendar) {
    EXPECT_DOUBLE_EQ(julianDayOfNewYear(2000), 2451544.5);
    EXPECT_DOUBLE_EQ(julianDayOfNewYear(1970), 2440587.5);
    EXPECT_DOUBLE_EQ(julianDayOfNewYear(1583) - julianDayOfNewYear(1582), 355.0);   // ten days dropped
    EXPECT_DOUBLE_EQ(julianDayOfNewYear(1501) - julianDayOfNewYear(1500), 366.0);   // Julian leap year
    EXPECT_DOUBLE_EQ(julianDayOfNewYear(1901) - julianDayOfNewYear(1900), 365.0);
    EXPECT_DOUBLE_EQ(julianDayOfNewYear(-4712), -0.5);
}

// The proleptic Gregorian count against the C++ library's own civil calendar,
// every day of 1,500 years around each start, 1 BC and the 1582 switch included.
TEST(JulianDayNumbers, ProlepticGregorianDaysAgreeWithStdChrono) {
    using namespace std::chrono;
    for (int startYear : {-30000, -2, 1500, 1900, 30000}) {
        const sys_days first{year_month_day{year{startYear}, January, day{1}}};
        for (sys_days d = first; d < first + days{1500 * 366}; d += days{1}) {
            const year_month_day ymd{d};
            const std::int64_t expected = d.time_since_epoch().count() + unixEpochDayNumber;
            const auto month = static_cast<int>(static_cast<unsigned>(ymd.month()));
            ASSERT_EQ(gregorianDayNumber(static_cast<int>(ymd.year()), month, static_cast<unsigned>(ymd.day())),
                      expected);
            ASSERT_EQ(gregorianDateOfDayNumber(expected),
                      (CivilDate{static_cast<int>(ymd.year()), month, static_cast<int>(static_cast<unsigned>(ymd.day()))}));
        }
    }
    // A day past the month's end runs on.
    EXPECT_EQ(gregorianDayNumber(2023, 2, 29), gregorianDayNumber(2023, 3, 1));
    EXPECT_EQ(gregorianDayNumber(2024, 3, 0), gregorianDayNumber(2024, 2, 29));
}

TEST(JulianDayNumbers, UnixSecondsFallOnTheDayTheyBelongTo) {
    EXPECT_EQ(dayNumberOfUnixSeconds(0), 2440588);
    EXPECT_EQ(dayNumberOfUnixSeconds(86399), 2440588);
    EXPECT_EQ(dayNumberOfUnixSeconds(-1), 2440587);        // 1969-12-31 23:59:59
    EXPECT_EQ(dayNumberOfUnixSeconds(-86400), 2440587);
    EXPECT_EQ(dayNumberOfUnixSeconds(-86401), 2440586);
    EXPECT_EQ(dayNumberOfUnixSeconds(951782400), gregorianDayNumber(2000, 2, 29));
}

// Month lengths against the day count from one first of the month to the next,
// on both calendars (1582 and its shortened October aside).
TEST(JulianDayNumbers, MonthLengthsMatchTheDayCount) {
    for (int year = -500; year <= 2500; ++year) {
        if (year == 1582)
            continue;
        for (int month = 1; month <= 12; ++month) {
            const std::int64_t first = dayNumberOfCivilDate(year, month, 1);
            const std::int64_t next = month < 12 ? dayNumberOfCivilDate(year, month + 1, 1)
                                                 : dayNumberOfCivilDate(year + 1, 1, 1);
            ASSERT_EQ(next - first, daysInMonth(month, isLeapYear(year))) << year << '-' << month;
        }
    }
}

// The calendar's era and year of mid-February of each year, against the year
// the day count places that day in: 1 BC is year 0.
TEST(AstronomicalYears, NumberTheCalendarsErasAsTheDayCountDoes) {
    const platform::Calendar calendar =
        platform::Calendar::gregorian(platform::TimeZone::utc(), platform::Locale::withIdentifier("en_GB"));
    for (int year = -800; year <= 2100; ++year) {
        const Date midFebruary = JulianDay{julianDayOfNewYear(year) + 45.0}.date();
        const auto fields =
            calendar.components({platform::CalendarComponent::era, platform::CalendarComponent::year}, midFebruary);
        ASSERT_TRUE(fields.era && fields.year) << year;
        EXPECT_EQ(astronomicalYear(*fields.era, *fields.year), year);
        const EraAndYear<int> back = eraAndYearOf(year);
        EXPECT_EQ(back.era, *fields.era) << year;
        EXPECT_EQ(back.yearOfEra, *fields.year) << year;
    }
    EXPECT_EQ(astronomicalYear(0, std::int64_t{1}), 0);
    EXPECT_EQ(astronomicalYear(0, std::int64_t{2}), -1);
}

} // namespace
} // namespace astronomy
