// The festival in progress, tested on every boundary of both tables with the
// present moment given, in every zone; and the festivals' fixed texts.

#include "engine/festival_in_progress.h"
#include "engine/festival_texts.h"
#include "test_dates.h"
#include "support/texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace engine;
using engine_test::local;
using platform::Date;

namespace {

constexpr double north = 51.5;
constexpr double south = -33.9;

struct Boundary {
    int month, day;
    Festival expected;
};

// First and last day of every row, plus the neighbouring days.
void expectAcrossTheDay(double latitude, int year, const Boundary& b) {
    for (const Date now : {local(year, b.month, b.day, 0, 0, 0), local(year, b.month, b.day, 12, 0, 0),
                           local(year, b.month, b.day, 23, 59, 59)}) {
        EXPECT_EQ(currentFestival(latitude, now), b.expected)
            << year << '-' << b.month << '-' << b.day << " at " << latitude;
    }
}

} // namespace

TEST(CurrentFestival, NorthernBoundaries) {
    const std::vector<Boundary> boundaries{
        {1, 1, Festival::Yule},      {1, 30, Festival::Yule},     {1, 31, Festival::Imbolc},
        {3, 18, Festival::Imbolc},   {3, 19, Festival::Ostara},   {4, 29, Festival::Ostara},
        {4, 30, Festival::Beltane},  {6, 18, Festival::Beltane},  {6, 19, Festival::Litha},
        {7, 31, Festival::Litha},    {8, 1, Festival::Lammas},    {9, 19, Festival::Lammas},
        {9, 20, Festival::Mabon},    {10, 30, Festival::Mabon},   {10, 31, Festival::Samhain},
        {12, 18, Festival::Samhain}, {12, 19, Festival::Yule},    {12, 31, Festival::Yule},
    };
    for (int year : {2024, 2025})
        for (const Boundary& b : boundaries) {
            expectAcrossTheDay(north, year, b);
            expectAcrossTheDay(0.0, year, b);
        }
}

TEST(CurrentFestival, SouthernBoundaries) {
    const std::vector<Boundary> boundaries{
        {1, 1, Festival::Litha},     {1, 31, Festival::Litha},    {2, 1, Festival::Lammas},
        {3, 19, Festival::Lammas},   {3, 20, Festival::Mabon},    {4, 30, Festival::Mabon},
        {5, 1, Festival::Samhain},   {6, 18, Festival::Samhain},  {6, 19, Festival::Yule},
        {7, 30, Festival::Yule},     {7, 31, Festival::Imbolc},   {9, 18, Festival::Imbolc},
        {9, 19, Festival::Ostara},   {10, 29, Festival::Ostara},  {10, 30, Festival::Beltane},
        {12, 18, Festival::Beltane}, {12, 19, Festival::Litha},   {12, 31, Festival::Litha},
    };
    for (int year : {2024, 2025})
        for (const Boundary& b : boundaries) {
            expectAcrossTheDay(south, year, b);
            expectAcrossTheDay(std::nan(""), year, b);
            expectAcrossTheDay(90.5, year, b);
        }
}

TEST(CurrentFestival, EveryDayOfALeapYearHasOneFestival) {
    // Walk the year and check that the festival only ever moves on to the next one.
    for (double latitude : {north, south}) {
        Festival previous = currentFestival(latitude, local(2024, 1, 1, 12));
        int changes = 0;
        for (int dayOfYear = 1; dayOfYear < 366; ++dayOfYear) {
            const Festival today = currentFestival(latitude, local(2024, 1, 1 + dayOfYear, 12));
            if (today != previous) {
                ++changes;
                EXPECT_EQ(static_cast<int>(today), (static_cast<int>(previous) + 1) % 8) << dayOfYear;
            }
            previous = today;
        }
        EXPECT_EQ(changes, 8) << latitude;
    }
}

TEST(CurrentFestival, DependsOnTheLocalDay) {
    // 23:30 UTC on 30 January is still 30 January in UTC but 31 January in
    // Kiritimati (UTC+14).
    const Date instant = engine_test::utc(2025, 1, 30, 23, 30);
    {
        engine_test::ZoneOverride zone("UTC");
        EXPECT_EQ(currentFestival(north, instant), Festival::Yule);
    }
    {
        engine_test::ZoneOverride zone("Pacific/Kiritimati");
        EXPECT_EQ(currentFestival(north, instant), Festival::Imbolc);
    }
}

TEST(CurrentFestival, WithoutAClockAnswersForToday) {
    const Date before = Date::now();
    const Festival today = currentFestival(north);
    const Date after = Date::now();
    EXPECT_TRUE(today == currentFestival(north, before) || today == currentFestival(north, after));
}

TEST(GetFestivalForDate, AlwaysUsesTheNorthernTable) {
    EXPECT_EQ(getFestivalForDate(local(2025, 1, 1)), Festival::Yule);
    EXPECT_EQ(getFestivalForDate(local(2025, 12, 25)), Festival::Yule);
    EXPECT_EQ(getFestivalForDate(local(2025, 5, 1)), Festival::Beltane);
    EXPECT_EQ(getFestivalForDate(local(2025, 8, 1)), Festival::Lammas);
}

TEST(FestivalTexts, NamesAndDayTypes) {
    EXPECT_EQ(celebrationStr(Festival::Yule), "Winter Solstice");
    EXPECT_EQ(celebrationStr(Festival::Imbolc), "Begining of Spring");
    EXPECT_EQ(celebrationStr(Festival::Ostara), "Spring Equinox");
    EXPECT_EQ(celebrationStr(Festival::Beltane), "May Day");
    EXPECT_EQ(celebrationStr(Festival::Litha), "Summer Solstice");
    EXPECT_EQ(celebrationStr(Festival::Lammas), "First Harvest");
    EXPECT_EQ(celebrationStr(Festival::Mabon), "Autumn Equinox");
    EXPECT_EQ(celebrationStr(Festival::Samhain), "Begining of Winter");
    for (Festival quarter : {Festival::Yule, Festival::Ostara, Festival::Litha, Festival::Mabon})
        EXPECT_EQ(dayType(quarter), "Quarter Day");
    for (Festival cross : {Festival::Imbolc, Festival::Beltane, Festival::Lammas, Festival::Samhain})
        EXPECT_EQ(dayType(cross), "Cross Quarter Day");
}

namespace {

struct Shape {
    Festival festival;
    std::size_t length;
    int prose;
    int listLines;
    std::string opening;
};

std::vector<std::string> split(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string_view::npos; from = at + separator.size())
        parts.emplace_back(text.substr(from, at - from));
    parts.emplace_back(text.substr(from));
    return parts;
}

using testsupport::codePoints;

} // namespace

TEST(FestivalTexts, InfoHasItsShapeOpeningAndClosingLine) {
    const std::vector<Shape> shapes{
        {Festival::Yule, 2600, 7, 5,
         "Yule, also known as the Winter Solstice, marks the winter solstice, which is the longest night of the year "
         "and the beginning of the return of the sun."},
        {Festival::Imbolc, 2060, 6, 5,
         "Pronounced 'im-olk'. Irish word meaning 'in the belly', although many translate it as 'ewe's milk "
         "(ol-melc) hence the date is also known as Olmelc.\n\n"},
        {Festival::Ostara, 2690, 8, 4,
         "Also known as the Spring Equinox or Vernal Equinox, Ostara marks the beginning of spring and the rebirth "
         "of nature after the long winter months."},
        {Festival::Beltane, 1840, 6, 0,
         "Also known as May Day, Beltane is a Celtic word meaning 'fire of Bel' (Bel was a Celtic deity)."},
        {Festival::Litha, 730, 4, 0,
         "Also known as Midsummer, celebrates the summer solstice - the longest day of the year when the sun is at "
         "its highest point and the earth is at the height of its power and fertility."},
        {Festival::Lammas, 1770, 4, 4,
         "Also known as Lughnasadh, pronounced 'lou-na-sa', celebrates the first of three harvest festivals."},
        {Festival::Mabon, 1630, 6, 4,
         "Celebrates the Autumnal Equinox, marking the second harvest of the year and the balance between light and "
         "darkness as the days begin to become shorter than the nights."},
        {Festival::Samhain, 2910, 9, 4,
         "Pronounced 'sow'in' or 'sow-ane', marks the end of the harvest season and the beginning of the "
         "\u201Cdarker half\u201D of the year."},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(std::string(rawValue(shape.festival)));
        const std::string_view text = info(shape.festival);
        EXPECT_EQ(text.substr(0, shape.opening.size()), shape.opening);

        const std::vector<std::string> blocks = split(text, "\n\n");
        const bool major = dayType(shape.festival) == "Cross Quarter Day";
        EXPECT_EQ(blocks.back(), major ? "Major loremark." : "Minor loremark.");

        const int expectedBlocks = shape.prose + (shape.listLines > 0 ? 1 : 0) + 1;
        ASSERT_EQ(static_cast<int>(blocks.size()), expectedBlocks);
        for (int i = 0; i < shape.prose; ++i) {
            EXPECT_EQ(blocks[static_cast<std::size_t>(i)].find('\n'), std::string::npos) << i;
            EXPECT_FALSE(blocks[static_cast<std::size_t>(i)].starts_with("\u2022")) << i;
        }
        if (shape.listLines > 0) {
            EXPECT_TRUE(blocks[static_cast<std::size_t>(shape.prose - 1)].ends_with(":"));
            const std::vector<std::string> lines = split(blocks[static_cast<std::size_t>(shape.prose)], "\n");
            EXPECT_EQ(static_cast<int>(lines.size()), shape.listLines);
            for (const std::string& line : lines) {
                EXPECT_TRUE(line.starts_with("\u2022 ")) << line;
                EXPECT_NE(line.find(':'), std::string::npos) << line;
            }
        }
        const double length = static_cast<double>(codePoints(text));
        // The lengths are given to the nearest ten characters.
        EXPECT_NEAR(length, static_cast<double>(shape.length), 5.0);
    }
}
