// Solstice and equinox instants and the festivals' astronomical dates. The
// reference instants are the published ones (US Naval Observatory, to the
// minute); every zone must name the events of the year asked for.

#include "engine/astronomical_date.h"
#include "engine/calendar_dates.h"
#include "engine/date_texts.h"
#include "engine/solstices.h"
#include "test_dates.h"
#include "support/texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace engine;
using engine_test::Fields;
using engine_test::localFields;
using engine_test::utc;
using engine_test::utcFields;
using platform::Date;

namespace {

constexpr double north = 51.5;
constexpr double south = -33.9;
constexpr double minute = 60.0;

struct Published {
    Date (*instant)(int);
    int year;
    Date expected;
};

} // namespace

TEST(SolsticeInstants, MatchThePublishedTimes) {
    const Published events[] = {
        {getSpringEquinoxDate, 2024, utc(2024, 3, 20, 3, 6)},   {getSummerSolsticeDate, 2024, utc(2024, 6, 20, 20, 51)},
        {getAutumnEquinoxDate, 2024, utc(2024, 9, 22, 12, 44)}, {getWinterSolsticeDate, 2024, utc(2024, 12, 21, 9, 20)},
        {getSpringEquinoxDate, 2025, utc(2025, 3, 20, 9, 1)},   {getSummerSolsticeDate, 2025, utc(2025, 6, 21, 2, 42)},
        {getAutumnEquinoxDate, 2025, utc(2025, 9, 22, 18, 19)}, {getWinterSolsticeDate, 2025, utc(2025, 12, 21, 15, 3)},
        {getWinterSolsticeDate, 2023, utc(2023, 12, 22, 3, 27)},
    };
    for (const Published& event : events) {
        const Date instant = event.instant(event.year);
        EXPECT_NEAR(instant.timeIntervalSince(event.expected), 0.0, 1.5 * minute) << utcFields(instant);
    }
}

TEST(SolsticeInstants, WholeSecondsRepeatableAndInTheirMonthInUtc) {
    for (int year = 1990; year <= 2060; year += 7) {
        const Date march = getSpringEquinoxDate(year);
        const Date june = getSummerSolsticeDate(year);
        const Date september = getAutumnEquinoxDate(year);
        const Date december = getWinterSolsticeDate(year);
        for (Date instant : {march, june, september, december})
            EXPECT_EQ(std::fmod(instant.secondsSince1970(), 1.0), 0.0);
        EXPECT_EQ(getSpringEquinoxDate(year), march);
        EXPECT_EQ(utcFields(march).year, year);
        EXPECT_EQ(utcFields(march).month, 3);
        EXPECT_EQ(utcFields(june).month, 6);
        EXPECT_EQ(utcFields(september).month, 9);
        EXPECT_EQ(utcFields(december).month, 12);
        EXPECT_EQ(utcFields(december).year, year);
        EXPECT_LT(march, june);
        EXPECT_LT(june, september);
        EXPECT_LT(september, december);
    }
}

TEST(SolsticeInstants, AreTheSameInstantInEveryZone) {
    const Date inThisZone = getWinterSolsticeDate(2025);
    engine_test::ZoneOverride zone("Pacific/Kiritimati");
    EXPECT_EQ(getWinterSolsticeDate(2025), inThisZone);
    // 15:03 UTC is already the next day fourteen hours east.
    EXPECT_EQ(localFields(inThisZone).day, 22);
}

TEST(SolsticeInstants, YearTheCalendarCannotPlaceGivesThePresentMoment) {
    engine_test::expectPresentMoment([] { return getWinterSolsticeDate(std::numeric_limits<int>::max()); });
    engine_test::expectPresentMoment([] { return getSpringEquinoxDate(std::numeric_limits<int>::min()); });
    engine_test::expectPresentMoment(
        [] { return astronomicalDate(Festival::Ostara, std::numeric_limits<int>::max(), north); });
}

namespace {

using testsupport::codePoints;

} // namespace

TEST(SolsticeTexts, OpenAsWrittenAndHaveTheirShape) {
    const std::string_view solstice = strSolsticeInfo();
    EXPECT_TRUE(solstice.starts_with("Solstice occurs twice a year, as the 'summer solstice' and 'winter solstice'."));
    const auto firstBreak = solstice.find("\n\n");
    const auto secondBreak = solstice.find("\n\n", firstBreak + 2);
    ASSERT_NE(secondBreak, std::string_view::npos);
    EXPECT_EQ(solstice.find("\n\n", secondBreak + 2), std::string_view::npos);
    EXPECT_NE(solstice.back(), '\n');
    // Each of the first two paragraphs counted with its two line feeds.
    EXPECT_EQ(codePoints(solstice), 882u);
    EXPECT_EQ(codePoints(solstice.substr(0, firstBreak + 2)), 228u);
    EXPECT_EQ(codePoints(solstice.substr(firstBreak + 2, secondBreak - firstBreak)), 263u);
    EXPECT_EQ(codePoints(solstice.substr(secondBreak + 2)), 391u);

    const std::string_view equinox = strEquinoxInfo();
    EXPECT_TRUE(equinox.starts_with("An equinox is an event in which a planet\u2019s subsolar point passes through its Equator."));
    EXPECT_EQ(equinox.find('\n'), std::string_view::npos);
    // One typographic apostrophe, in "planet’s"; plain ones elsewhere.
    EXPECT_EQ(equinox.find("\u2019", equinox.find("\u2019") + 1), std::string_view::npos);
    EXPECT_NE(equinox.find('\''), std::string_view::npos);
    EXPECT_EQ(codePoints(equinox), 334u);
}

TEST(AstronomicalDate, QuarterDaysAreTheInstantsThemselves) {
    EXPECT_EQ(astronomicalDate(Festival::Yule, 2024, north), getWinterSolsticeDate(2024));
    EXPECT_EQ(astronomicalDate(Festival::Yule, 2024, south), getSummerSolsticeDate(2024));
    EXPECT_EQ(astronomicalDate(Festival::Ostara, 2024, 0.0), getSpringEquinoxDate(2024));
    EXPECT_EQ(astronomicalDate(Festival::Ostara, 2024, std::nan("")), getAutumnEquinoxDate(2024));
    EXPECT_EQ(astronomicalDate(Festival::Litha, 2024, 90.5), getWinterSolsticeDate(2024));
    EXPECT_EQ(astronomicalDate(Festival::Mabon, 2024, north), getAutumnEquinoxDate(2024));
    EXPECT_EQ(astronomicalDate(Festival::Mabon, 2024, south), getSpringEquinoxDate(2024));
}

TEST(AstronomicalDate, ImbolcKeepsTheClockTimeOfTheSolsticeBefore) {
    const Date imbolc = astronomicalDate(Festival::Imbolc, 2025, north);
    const Fields solstice = localFields(getWinterSolsticeDate(2024));
    const Fields fields = localFields(imbolc);
    EXPECT_EQ(fields.year, 2025);
    EXPECT_EQ(fields.month, 2);
    EXPECT_LE(fields.day, 5);
    EXPECT_EQ(fields.hour, solstice.hour);
    EXPECT_EQ(fields.minute, solstice.minute);
    EXPECT_EQ(fields.second, solstice.second);
}

TEST(AstronomicalDate, SouthernCrossQuartersStayInTheirYear) {
    const Fields lammas = localFields(astronomicalDate(Festival::Lammas, 2025, south));
    EXPECT_EQ(lammas.year, 2025);
    EXPECT_EQ(lammas.month, 2);
    EXPECT_LE(lammas.day, 5);
    const Fields samhain = localFields(astronomicalDate(Festival::Samhain, 2025, south));
    EXPECT_EQ(samhain.year, 2025);
    EXPECT_EQ(samhain.month, 5);
    EXPECT_LE(samhain.day, 8);
}

TEST(AstronomicalDate, EveryResultLiesInTheYearAskedFor) {
    for (int year = 2018; year <= 2032; ++year)
        for (Festival festival : allFestivals)
            for (double latitude : {north, south})
                ASSERT_EQ(getYear(astronomicalDate(festival, year, latitude)), year)
                    << rawValue(festival) << ' ' << year << ' ' << latitude;
}

TEST(AstronomicalDate, BeltaneInLondonKeepsTheEquinoxClockTimeIntoSummerTime) {
    engine_test::ZoneOverride zone("Europe/London");
    const Date equinox = getSpringEquinoxDate(2025);   // 20 March, GMT
    const Date beltane = astronomicalDate(Festival::Beltane, 2025, north);
    const double spanDays = std::round(getSummerSolsticeDate(2025).timeIntervalSince(equinox) / 86400.0);
    const double offsetDays = std::round(spanDays / 2.0);
    // Summer time began on 30 March: the same clock time is an hour earlier.
    EXPECT_EQ(beltane, equinox.addingTimeInterval(offsetDays * 86400.0 - 3600.0));
    EXPECT_EQ(timeNoSecStr(beltane), timeNoSecStr(equinox));
    EXPECT_EQ(localFields(beltane).month, 5);
}

TEST(CrossQuarterMidpoint, RoundsTheSpanThenTheHalf) {
    engine_test::ZoneOverride zone("UTC");
    const Date start = utc(2025, 1, 10, 6, 30);
    constexpr double day = 86400.0;
    EXPECT_EQ(crossQuarterMidpoint(start, start.addingTimeInterval(89.4 * day)), start.addingTimeInterval(45 * day));
    EXPECT_EQ(crossQuarterMidpoint(start, start.addingTimeInterval(89.6 * day)), start.addingTimeInterval(45 * day));
    EXPECT_EQ(crossQuarterMidpoint(start, start.addingTimeInterval(91.5 * day)), start.addingTimeInterval(46 * day));
    EXPECT_EQ(crossQuarterMidpoint(start, start.addingTimeInterval(89.0 * day)), start.addingTimeInterval(45 * day));
    EXPECT_EQ(crossQuarterMidpoint(start, start), start);
}

TEST(CrossQuarterMidpoint, KeepsTheLocalClockTimeInEveryZone) {
    const Date start = engine_test::local(2025, 3, 20, 9, 1, 25);
    const Date middle = crossQuarterMidpoint(start, start.addingTimeInterval(92.7 * 86400.0));
    EXPECT_EQ(localFields(middle), (Fields{2025, 5, 6, 9, 1, 25}));
}

TEST(CrossQuarterMidpoint, UnusableSpanGivesTheFirstInstant) {
    const Date start = utc(2025, 1, 10);
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(crossQuarterMidpoint(start, Date::fromSecondsSince1970(infinity)), start);
    EXPECT_EQ(crossQuarterMidpoint(start, Date::fromSecondsSince1970(-infinity)), start);
    EXPECT_EQ(crossQuarterMidpoint(start, Date::fromSecondsSince1970(std::nan(""))), start);
    // Finite, but the half-span in days is beyond a 64-bit count.
    EXPECT_EQ(crossQuarterMidpoint(start, Date::fromSecondsSince1970(1e300)), start);
    // Within a 64-bit count but beyond the calendar.
    EXPECT_EQ(crossQuarterMidpoint(start, Date::fromSecondsSince1970(1e20)), start);
}
