// Seasons: fixed boundary days at local midnight, last days, northern lengths
// for every observer, names and colours.

#include "engine/calendar_dates.h"
#include "engine/color_adjustment.h"
#include "engine/season.h"
#include "platform/core/calendar.h"
#include "test_dates.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

using namespace engine;
using engine_test::Fields;
using engine_test::local;
using engine_test::localFields;
using platform::Color;
using platform::Date;

TEST(SeasonFor, BoundaryDays) {
    EXPECT_EQ(getSeasonFor(local(2025, 3, 19)), Season::winter);
    EXPECT_EQ(getSeasonFor(local(2025, 3, 19, 23, 59, 59)), Season::winter);
    EXPECT_EQ(getSeasonFor(local(2025, 3, 20)), Season::spring);
    EXPECT_EQ(getSeasonFor(local(2025, 6, 20, 23, 59)), Season::spring);
    EXPECT_EQ(getSeasonFor(local(2025, 6, 21)), Season::summer);
    EXPECT_EQ(getSeasonFor(local(2025, 9, 21, 18)), Season::summer);
    EXPECT_EQ(getSeasonFor(local(2025, 9, 22)), Season::autumn);
    EXPECT_EQ(getSeasonFor(local(2025, 12, 20, 12)), Season::autumn);
    EXPECT_EQ(getSeasonFor(local(2025, 12, 21)), Season::winter);
    EXPECT_EQ(getSeasonFor(local(2025, 12, 31, 23, 59)), Season::winter);
    EXPECT_EQ(getSeasonFor(local(2026, 1, 1)), Season::winter);
    EXPECT_EQ(getSeasonFor(local(2024, 3, 20, 12)), Season::spring);   // leap year
}

TEST(SeasonStart, IsLocalMidnightOfTheFixedDay) {
    const Fields expected[] = {{2025, 3, 20, 0, 0, 0}, {2025, 6, 21, 0, 0, 0}, {2025, 9, 22, 0, 0, 0},
                               {2025, 12, 21, 0, 0, 0}};
    for (Season season : allSeasons) {
        const auto start = seasonStartDate(season, 2025);
        ASSERT_TRUE(start.has_value());
        EXPECT_EQ(localFields(*start), expected[static_cast<int>(season)]);
        EXPECT_EQ(getSeasonStart(season, 2025), *start);
    }
}

TEST(SeasonStart, YearOrDateTheCalendarCannotPlaceGivesTheFallback) {
    EXPECT_FALSE(seasonStartDate(Season::winter, std::numeric_limits<int>::max()));
    engine_test::expectPresentMoment([] { return getSeasonStart(Season::winter, std::numeric_limits<int>::max()); });
    // The last day is one day before the present moment.
    const Date before = Date::now();
    const Date lastDay = getSeasonEnd(Season::winter, Date::fromSecondsSince1970(1e300));
    const Date after = Date::now();
    EXPECT_LE(yesterday(before), lastDay);
    EXPECT_LE(lastDay, yesterday(after));
    EXPECT_EQ(getSeasonFor(Date::fromSecondsSince1970(-1e300)), Season::winter);
    EXPECT_EQ(getSeasonFor(Date::fromSecondsSince1970(std::nan(""))), Season::winter);
}

TEST(SeasonEnd, WinterEndsInMarchAfterItsDecember) {
    EXPECT_EQ(localFields(getSeasonEnd(Season::winter, local(2025, 12, 15))), (Fields{2026, 3, 19, 0, 0, 0}));
    EXPECT_EQ(localFields(getSeasonEnd(Season::winter, local(2025, 1, 15))), (Fields{2025, 3, 19, 0, 0, 0}));
    EXPECT_EQ(localFields(getSeasonEnd(Season::winter, local(2025, 6, 15))), (Fields{2025, 3, 19, 0, 0, 0}));
}

TEST(SeasonEnd, IsTheStartOfTheLastDayWhereTheClocksSkipTheNextMidnight) {
    // In each zone the clocks skip from the last day's end to 01:00 of the next
    // season's first day (tz database).
    struct Case {
        const char* zone;
        Season season;
        Fields forDay;
        Fields lastDay;
    };
    constexpr Case cases[] = {
        {"Asia/Almaty", Season::spring, {1930, 5, 1}, {1930, 6, 20}},
        {"Europe/Tallinn", Season::summer, {1944, 7, 1}, {1944, 9, 21}},
        {"Asia/Jerusalem", Season::winter, {1997, 2, 1}, {1997, 3, 19}},
        {"America/Havana", Season::winter, {2010, 12, 15}, {2011, 3, 19}},
    };
    for (const Case& c : cases) {
        engine_test::ZoneOverride zone(c.zone);
        const Date lastDay = getSeasonEnd(c.season, local(c.forDay.year, c.forDay.month, c.forDay.day));
        EXPECT_EQ(localFields(lastDay), c.lastDay) << c.zone;
        EXPECT_EQ(lastDay, zeroTime(lastDay)) << c.zone;
    }
}

TEST(SeasonDates, BeforeYearOneKeepTheirEra) {
    const auto eraYearMonthDay = [](Date date) {
        using platform::CalendarComponent;
        const auto c = platform::Calendar::current().components(
            {CalendarComponent::era, CalendarComponent::year, CalendarComponent::month, CalendarComponent::day}, date);
        return std::array<int, 4>{c.era.value_or(-1), c.year.value_or(-1), c.month.value_or(-1), c.day.value_or(-1)};
    };
    // Year 0 is 1 BC (era 0).
    const auto spring = seasonStartDate(Season::spring, 0);
    ASSERT_TRUE(spring.has_value());
    EXPECT_EQ(eraYearMonthDay(*spring), (std::array{0, 1, 3, 20}));
    EXPECT_EQ(*spring, zeroTime(*spring));

    const Date midsummer501BC = local(-500, 7, 1);
    ASSERT_EQ(eraYearMonthDay(midsummer501BC), (std::array{0, 501, 7, 1}));
    EXPECT_EQ(getSeasonFor(midsummer501BC), Season::summer);
    EXPECT_EQ(eraYearMonthDay(getSeasonEnd(Season::summer, midsummer501BC)), (std::array{0, 501, 9, 21}));
    EXPECT_EQ(eraYearMonthDay(getSeasonEnd(Season::winter, local(-500, 12, 25))), (std::array{0, 500, 3, 19}));
}

TEST(SeasonEnd, OtherLastDaysAreInTheDatesYear) {
    for (const Date date : {local(2025, 1, 2), local(2025, 7, 30, 15), local(2025, 12, 31, 23)}) {
        EXPECT_EQ(localFields(getSeasonEnd(Season::spring, date)), (Fields{2025, 6, 20, 0, 0, 0}));
        EXPECT_EQ(localFields(getSeasonEnd(Season::summer, date)), (Fields{2025, 9, 21, 0, 0, 0}));
        EXPECT_EQ(localFields(getSeasonEnd(Season::autumn, date)), (Fields{2025, 12, 20, 0, 0, 0}));
    }
}

TEST(SeasonLength, IsTheNorthernLengthOfTheDatesYear) {
    // From the published 2024 equinox and solstice times (to the minute) and
    // the March 2025 equinox.
    const Date midYear = local(2024, 7, 1);
    EXPECT_NEAR(getSeasonLength(Season::spring, midYear), 92.740, 0.01);
    EXPECT_NEAR(getSeasonLength(Season::summer, midYear), 93.662, 0.01);
    EXPECT_NEAR(getSeasonLength(Season::autumn, midYear), 89.858, 0.01);
    EXPECT_NEAR(getSeasonLength(Season::winter, midYear), 88.988, 0.01);
}

TEST(Season, RawValuesNamesAndCycles) {
    EXPECT_EQ(seasonFromRawValue("spring"), Season::spring);
    EXPECT_FALSE(seasonFromRawValue("Spring"));
    EXPECT_FALSE(seasonFromRawValue("winter "));
    for (Season season : allSeasons) {
        EXPECT_EQ(seasonFromRawValue(rawValue(season)), season);
        EXPECT_EQ(nextSeason(nextSeason(nextSeason(nextSeason(season)))), season);
        EXPECT_EQ(prevSeason(prevSeason(prevSeason(prevSeason(season)))), season);
        EXPECT_EQ(prevSeason(nextSeason(season)), season);
        EXPECT_EQ(nextSeasonStr(season), rawValue(nextSeason(season)));
        EXPECT_EQ(getSeasonImage(season), rawValue(season));
    }
    EXPECT_EQ(getSeasonStr(Season::autumn), "Autumn");
    EXPECT_EQ(nextSeasonStr(Season::winter), "spring");
    EXPECT_EQ(getSeasonIcon(Season::spring), "tree");
    EXPECT_EQ(getSeasonIcon(Season::summer), "sun.haze");
    EXPECT_EQ(getSeasonIcon(Season::autumn), "leaf");
    EXPECT_EQ(getSeasonIcon(Season::winter), "snowflake");
}

namespace {

void expectColor(std::optional<Color> actual, double red, double green, double blue, double alpha = 1.0) {
    ASSERT_TRUE(actual.has_value());
    EXPECT_NEAR(actual->red, red, 1e-12);
    EXPECT_NEAR(actual->green, green, 1e-12);
    EXPECT_NEAR(actual->blue, blue, 1e-12);
    EXPECT_EQ(actual->alpha, alpha);
}

} // namespace

TEST(ColorAdjustment, CapsAtOneWithNoLowerBound) {
    const Color grey{0.5, 0.5, 0.5, 1.0};
    expectColor(lighter(grey), 0.8, 0.8, 0.8);
    expectColor(lighter(grey, 20), 0.7, 0.7, 0.7);
    expectColor(lighter(grey, 80), 1.0, 1.0, 1.0);
    expectColor(lighter(grey, -20), 0.7, 0.7, 0.7);
    expectColor(darker(grey, 15), 0.35, 0.35, 0.35);
    expectColor(darker(grey, -15), 0.35, 0.35, 0.35);
    expectColor(darker(Color{0.2, 0.5, 1.0, 1.0}, 30), -0.1, 0.2, 0.7);
    expectColor(darker(Color{1.0, 1.0, 1.0, 0.25}, 15), 0.85, 0.85, 0.85, 0.25);
    EXPECT_FALSE(adjust(grey, std::nan("")));
    EXPECT_FALSE(adjust(Color{std::nan(""), 0.5, 0.5, 1.0}, 10));
}

TEST(ColorAdjustment, SeasonColours) {
    const Color green = Color::systemGreen();
    expectColor(getSeasonColor(Season::spring), std::min(green.red + 0.2, 1.0), std::min(green.green + 0.2, 1.0),
                std::min(green.blue + 0.2, 1.0));
    const Color blue = Color::systemBlue();
    expectColor(getSeasonColor(Season::summer), blue.red + 0.2, blue.green + 0.2, 1.0);
    const Color brown = Color::systemBrown();
    expectColor(getSeasonColor(Season::autumn), brown.red + 0.2, brown.green + 0.2, brown.blue + 0.2);
    expectColor(getSeasonColor(Season::winter), 0.85, 0.85, 0.85);
}
