// Festivals: names, the hemisphere rule and the traditional days, which are
// local midnight of their day in every zone.

#include "engine/calendar_dates.h"
#include "engine/festival.h"
#include "test_dates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace engine;
using engine_test::Fields;
using engine_test::local;
using engine_test::localFields;
using platform::Date;

namespace {

constexpr double north = 51.5;
constexpr double south = -33.9;

struct Expected {
    Festival festival;
    int startDay, startMonth, endDay, endMonth;
};

void expectDays(double latitude, const Expected (&table)[8], int year) {
    for (const Expected& e : table) {
        SCOPED_TRACE(std::string(rawValue(e.festival)) + " at " + std::to_string(latitude));
        EXPECT_EQ(localFields(tradStartDate(e.festival, year, latitude)), (Fields{year, e.startMonth, e.startDay, 0, 0, 0}));
        EXPECT_EQ(localFields(tradEndDate(e.festival, year, latitude)), (Fields{year, e.endMonth, e.endDay, 0, 0, 0}));
    }
}

constexpr Expected northernDays[8] = {
    {Festival::Yule, 19, 12, 23, 12},   {Festival::Imbolc, 31, 1, 2, 2},  {Festival::Ostara, 19, 3, 23, 3},
    {Festival::Beltane, 30, 4, 1, 5},   {Festival::Litha, 19, 6, 23, 6}, {Festival::Lammas, 1, 8, 2, 8},
    {Festival::Mabon, 20, 9, 24, 9},    {Festival::Samhain, 31, 10, 1, 11}};

constexpr Expected southernDays[8] = {
    {Festival::Yule, 19, 6, 23, 6},     {Festival::Imbolc, 31, 7, 2, 8},  {Festival::Ostara, 19, 9, 23, 9},
    {Festival::Beltane, 30, 10, 1, 11}, {Festival::Litha, 19, 12, 23, 12}, {Festival::Lammas, 1, 2, 2, 2},
    {Festival::Mabon, 20, 3, 24, 3},    {Festival::Samhain, 30, 4, 1, 5}};

} // namespace

TEST(Festival, RawValuesAreTheCaseNames) {
    EXPECT_EQ(allFestivals.front(), Festival::Yule);
    EXPECT_EQ(allFestivals.back(), Festival::Samhain);
    for (Festival festival : allFestivals)
        EXPECT_EQ(festivalFromRawValue(rawValue(festival)), festival);
    EXPECT_EQ(rawValue(Festival::Beltane), "Beltane");
    EXPECT_FALSE(festivalFromRawValue("yule"));
    EXPECT_FALSE(festivalFromRawValue("Yule "));
    EXPECT_FALSE(festivalFromRawValue(""));
    EXPECT_TRUE(allSaints(Festival::Mabon));
}

TEST(Hemisphere, EquatorIsNorthernAndNonsenseSouthern) {
    EXPECT_TRUE(inNorthernHem(0.0));
    EXPECT_TRUE(inNorthernHem(0.5));
    EXPECT_TRUE(inNorthernHem(90.0));
    EXPECT_FALSE(inNorthernHem(-0.5));
    EXPECT_FALSE(inNorthernHem(90.5));
    EXPECT_FALSE(inNorthernHem(std::nan("")));
    EXPECT_FALSE(inNorthernHem(-std::numeric_limits<double>::infinity()));
}

TEST(TraditionalDays, NorthernTable) {
    expectDays(north, northernDays, 2025);
    expectDays(0.0, northernDays, 2024);   // a leap year changes nothing
}

TEST(TraditionalDays, SouthernDaysStayInTheirYear) {
    expectDays(south, southernDays, 2025);
    expectDays(std::nan(""), southernDays, 2024);
    expectDays(91.0, southernDays, 2026);
}

TEST(TraditionalDays, SouthernSamhainIsTheClampedMoveOfThe31st) {
    EXPECT_EQ(localFields(tradStartDate(Festival::Samhain, 2025, south)), (Fields{2025, 4, 30, 0, 0, 0}));
    EXPECT_EQ(localFields(tradEndDate(Festival::Samhain, 2025, south)), (Fields{2025, 5, 1, 0, 0, 0}));
}

TEST(TraditionalDays, AreMidnightInEveryYearOfACentury) {
    // Some of these days fall on a change of the clocks in one zone or another.
    for (int year = 1970; year <= 2070; ++year) {
        for (Festival festival : allFestivals) {
            for (double latitude : {north, south}) {
                const Date start = tradStartDate(festival, year, latitude);
                ASSERT_EQ(start, zeroTime(start)) << rawValue(festival) << ' ' << year;
                ASSERT_EQ(getYear(start), year) << rawValue(festival) << ' ' << year;
            }
        }
    }
}

TEST(TraditionalDays, YearTheCalendarCannotPlaceGivesThePresentMoment) {
    engine_test::expectPresentMoment(
        [] { return tradStartDate(Festival::Yule, std::numeric_limits<int>::max(), north); });
    engine_test::expectPresentMoment(
        [] { return tradEndDate(Festival::Samhain, std::numeric_limits<int>::min(), south); });
}

TEST(TraditionalDays, FollowAChangeOfZoneAtOnce) {
    for (int round = 0; round < 2; ++round) {
        {
            engine_test::ZoneOverride zone("UTC");
            EXPECT_EQ(tradStartDate(Festival::Yule, 2025, north), engine_test::utc(2025, 12, 19));
        }
        engine_test::ZoneOverride zone("Pacific/Kiritimati");
        EXPECT_EQ(tradStartDate(Festival::Yule, 2025, north), engine_test::utc(2025, 12, 18, 10));
    }
}

TEST(DateIn, BothBoundsIncludedAndWholeDaysCompared) {
    const Date lastMoment = local(2025, 5, 1, 23, 59, 59).addingTimeInterval(0.5);
    EXPECT_TRUE(dateIn(lastMoment, 30, 4, 2025, 1, 5, 2025));
    EXPECT_TRUE(dateIn(local(2025, 4, 30), 30, 4, 2025, 1, 5, 2025));
    EXPECT_FALSE(dateIn(local(2025, 4, 29, 23, 59, 59), 30, 4, 2025, 1, 5, 2025));
    EXPECT_FALSE(dateIn(local(2025, 5, 2), 30, 4, 2025, 1, 5, 2025));
}

TEST(DateIn, OneDayRangeHoldsEveryInstantOfThatDay) {
    for (int hour = 0; hour < 24; ++hour)
        EXPECT_TRUE(dateIn(local(2025, 3, 30, hour, 30), 30, 3, 2025, 30, 3, 2025)) << hour;
}

TEST(DateIn, BoundsRunOnLeniently) {
    // Day 31 of April is 1 May.
    EXPECT_FALSE(dateIn(local(2025, 4, 30, 12), 31, 4, 2025, 10, 5, 2025));
    EXPECT_TRUE(dateIn(local(2025, 5, 1, 0), 31, 4, 2025, 10, 5, 2025));
}
