// Easter Sunday falls on Sunday in the user's own zone, with Good Friday and
// Easter Monday a calendar step away: by the Gregorian rule from 1583, by the
// Julian rule (and on the Julian calendar) before.

#include "engine/calendar_dates.h"
#include "engine/date_texts.h"
#include "engine/easter.h"
#include "test_dates.h"

#include <gtest/gtest.h>

#include <limits>

using namespace engine;
using engine_test::Fields;
using engine_test::localFields;
using engine_test::utc;
using engine_test::ZoneOverride;
using platform::Date;

namespace {

struct EasterDay {
    int year, month, day;
};

// 2038 is the latest possible date, 2285 the earliest.
constexpr EasterDay easterDays[] = {
    {2019, 4, 21}, {2024, 3, 31}, {2025, 4, 20}, {2038, 4, 25}, {2285, 3, 22}, {2000, 4, 23}, {1961, 4, 2},
};

} // namespace

TEST(Easter, IsLocalMidnightOfSundayInEveryZone) {
    for (const EasterDay& e : easterDays) {
        const auto sunday = calculateEaster(e.year);
        EXPECT_EQ(localFields(sunday), (Fields{e.year, e.month, e.day, 0, 0, 0}));
        EXPECT_EQ(getDOW(sunday), 1) << e.year;
        EXPECT_EQ(getDOW(calculateGoodFriday(e.year)), 6) << e.year;
        EXPECT_EQ(getDOW(calculateEasterMonday(e.year)), 2) << e.year;
        EXPECT_EQ(yesterday(yesterday(sunday)), calculateGoodFriday(e.year));
        EXPECT_EQ(tomorrow(sunday), calculateEasterMonday(e.year));
    }
}

TEST(Easter, InUtcIsMidnightUtc) {
    ZoneOverride zone("UTC");
    EXPECT_EQ(calculateEaster(2024), utc(2024, 3, 31));
    EXPECT_EQ(calculateEaster(2025), utc(2025, 4, 20));
    EXPECT_EQ(calculateEaster(2019), utc(2019, 4, 21));
    EXPECT_EQ(calculateEaster(2038), utc(2038, 4, 25));
    EXPECT_EQ(calculateEaster(2285), utc(2285, 3, 22));
    EXPECT_EQ(calculateGoodFriday(2025), utc(2025, 4, 18));
    EXPECT_EQ(calculateEasterMonday(2025), utc(2025, 4, 21));
}

TEST(Easter, InLondon) {
    ZoneOverride zone("Europe/London");
    // Summer time begins at 01:00 GMT on Easter Sunday 2024.
    EXPECT_EQ(calculateEaster(2024), utc(2024, 3, 31));
    EXPECT_EQ(calculateEasterMonday(2024), utc(2024, 3, 31, 23));
    EXPECT_EQ(calculateGoodFriday(2024), utc(2024, 3, 29));
    EXPECT_EQ(calculateEaster(2025), utc(2025, 4, 19, 23));
    EXPECT_EQ(calculateEaster(2038), utc(2038, 4, 24, 23));
    EXPECT_EQ(calculateEaster(2285), utc(2285, 3, 22));   // before summer time
}

TEST(Easter, InNewYorkStaysOnSunday) {
    ZoneOverride zone("America/New_York");
    EXPECT_EQ(calculateEaster(2025), utc(2025, 4, 20, 4));
    EXPECT_EQ(dateStr(calculateEaster(2025)), "Sun 20 Apr 2025");
    EXPECT_EQ(dateStr(calculateGoodFriday(2025)), "Fri 18 Apr 2025");
    EXPECT_EQ(dateStr(calculateEasterMonday(2025)), "Mon 21 Apr 2025");
    EXPECT_EQ(calculateEaster(2024), utc(2024, 3, 31, 4));
    EXPECT_EQ(calculateEaster(2038), utc(2038, 4, 25, 4));
    EXPECT_EQ(calculateEaster(2285), utc(2285, 3, 22, 4));
}

TEST(Easter, BeforeTheReformIsAJulianSundayInEveryYear) {
    // Julian Easter lies from 22 March to 25 April of the Julian calendar,
    // which the user's calendar keeps before 15 October 1582.
    for (int year = 1; year <= 1582; ++year) {
        const Date sunday = calculateEaster(year);
        ASSERT_EQ(getDOW(sunday), 1) << year;
        const Fields day = localFields(sunday);
        ASSERT_EQ(day.year, year);
        ASSERT_TRUE((day.month == 3 && day.day >= 22) || (day.month == 4 && day.day <= 25)) << day;
        ASSERT_EQ(sunday, zeroTime(sunday)) << year;
        ASSERT_EQ(getDOW(calculateGoodFriday(year)), 6) << year;
        ASSERT_EQ(getDOW(calculateEasterMonday(year)), 2) << year;
    }
    // Before year 1 the same rule runs on (year 0 is 1 BC).
    for (int year = -100; year <= 0; ++year)
        ASSERT_EQ(getDOW(calculateEaster(year)), 1) << year;
}

TEST(Easter, JulianDatesMatchAnIndependentTable) {
    // Julian Easter from python-dateutil's Julian method; 179, 711 and 1243 are
    // Meeus's examples (Astronomical Algorithms, ch. 8), 1066 the recorded one.
    constexpr EasterDay julian[] = {
        {1, 3, 27},     {30, 4, 9},     {179, 4, 12},  {325, 4, 18},  {711, 4, 12},   {1000, 3, 31},
        {1066, 4, 16},  {1243, 4, 12},  {1492, 4, 22}, {1581, 3, 26}, {1582, 4, 15},
    };
    for (const EasterDay& e : julian)
        EXPECT_EQ(localFields(calculateEaster(e.year)), (Fields{e.year, e.month, e.day, 0, 0, 0}));
    // The first Gregorian Easter.
    EXPECT_EQ(localFields(calculateEaster(1583)), (Fields{1583, 4, 10, 0, 0, 0}));
}

TEST(Easter, YearTheCalendarCannotPlaceGivesThePresentMoment) {
    engine_test::expectPresentMoment([] { return calculateEaster(std::numeric_limits<int>::max()); });
    engine_test::expectPresentMoment([] { return calculateGoodFriday(std::numeric_limits<int>::min()); });
    engine_test::expectPresentMoment([] { return calculateEasterMonday(-1000000); });
}
