// Runs once per test zone; the cases that need another zone pin it.
#include "mooncalc/eclipse_calculator.h"
#include "mooncalc/moon_calculator.h"
#include "mooncalc/moon_rise_set_calculator.h"
#include "mooncalc/moon_zodiac_sign_calculator.h"
#include "mooncalc_test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace mooncalc {
namespace {

using mooncalc_test::local;
using mooncalc_test::noEvent;
using mooncalc_test::utc;
using mooncalc_test::ZoneOverride;
using platform::Date;

constexpr ObserverLocation london{51.509865, -0.118092};

// Signs by the instant asked for: leo at the day's start, virgo elsewhere.
class TwoSigns final : public MoonZodiacSignCalculatorInterface {
public:
    explicit TwoSigns(Date dayStart) : dayStart_(dayStart) {}
    MoonZodiacSign getMoonZodiacSign(Date date) const override {
        return date == dayStart_ ? MoonZodiacSign::leo : MoonZodiacSign::virgo;
    }

private:
    Date dayStart_;
};

// A facade for the UTC day `day` on a device in UTC, with the given lunar-day
// numbers and moonrises and moonsets, found by the rise and set calculator's
// rule from wherever the facade searches, except that a rise search from an
// instant in `riseAnswers` gives the answer there.
struct Sky {
    Date day = utc(2024, 5, 10);
    std::vector<Date> rises;
    std::vector<Date> sets;
    std::vector<std::int64_t> numbers{4, 5};
    std::map<Date, RiseSetResult> riseAnswers;

    // An instant `days` days and `hours` hours from the day's start.
    Date at(int days, double hours) const { return day.addingTimeInterval(days * 86400.0 + hours * 3600.0); }

    std::vector<MoonModel> models(double hour = 12) const {
        MoonCalculator calculator(london, std::make_shared<mooncalc_test::FixedAgeCalculator>(3.0, numbers),
                                  std::make_shared<TwoSigns>(day));
        auto rise = mooncalc_test::eventsNear(rises);
        calculator.setMoonRiseSetCalculator(std::make_unique<mooncalc_test::ScriptedRiseSetCalculator>(
            [rise, answers = riseAnswers](Date from) {
                const auto answer = answers.find(from);
                return answer == answers.end() ? rise(from) : answer->second;
            },
            mooncalc_test::eventsNear(sets)));
        return calculator.getInfo(at(0, hour)).moonModels;
    }
};

// The Moon rising an hour later each day, at 6:00 on the day itself, and
// setting at 20:00.
Sky regularSky(Date day = utc(2024, 5, 10)) {
    Sky s;
    s.day = day;
    for (int days = -3; days <= 3; ++days) s.rises.push_back(s.at(days, 6 + days));
    for (int days = -3; days <= 3; ++days) s.sets.push_back(s.at(days, 20 + days));
    return s;
}

TEST(MoonModels, NoneForNoNumbersOrForFourOrMore) {
    const ZoneOverride zone("UTC");
    Sky s = regularSky();
    s.numbers = {};
    EXPECT_TRUE(s.models().empty());
    s.numbers = {1, 2, 3, 4};
    EXPECT_TRUE(s.models().empty());
}

// One number: the lunar day that holds the instant, from the last moonrise at
// or before it to the next, with the end sign.
TEST(MoonModels, OneNumberIsTheLunarDayThatHoldsTheInstant) {
    const ZoneOverride zone("UTC");
    Sky s = regularSky();
    s.numbers = {7};
    const auto afternoon = s.models(12);
    ASSERT_EQ(afternoon.size(), 1u);
    EXPECT_EQ(afternoon[0].age, 7);
    EXPECT_EQ(afternoon[0].sign, MoonZodiacSign::virgo);
    EXPECT_EQ(afternoon[0].begin, s.at(0, 6));
    EXPECT_EQ(afternoon[0].finish, s.at(1, 7));
    const auto morning = s.models(3);
    EXPECT_EQ(morning[0].begin, s.at(-1, 5));
    EXPECT_EQ(morning[0].finish, s.at(0, 6));
    EXPECT_EQ(s.models(6)[0].begin, s.at(0, 6));   // at the moonrise itself
    // No moonrise the day before: the lunar day began two days back.
    s.rises = {s.at(-2, 23.2), s.at(0, 0.5), s.at(1, 1.3)};
    EXPECT_EQ(s.models(0.25)[0].begin, s.at(-2, 23.2));
    EXPECT_EQ(s.models(0.25)[0].finish, s.at(0, 0.5));
}

TEST(MoonModels, TwoNumbersMeetAtTodaysRiseBetweenTheRisesBeforeAndAfter) {
    const ZoneOverride zone("UTC");
    const Sky s = regularSky();
    const auto models = s.models();
    ASSERT_EQ(models.size(), 2u);
    EXPECT_EQ(models[0].age, 4);
    EXPECT_EQ(models[0].sign, MoonZodiacSign::leo);
    EXPECT_EQ(models[0].begin, s.at(-1, 5));
    EXPECT_EQ(models[0].finish, s.at(0, 6));
    EXPECT_EQ(models[1].age, 5);
    EXPECT_EQ(models[1].sign, MoonZodiacSign::virgo);
    EXPECT_EQ(models[1].begin, s.at(0, 6));
    EXPECT_EQ(models[1].finish, s.at(1, 7));
}

// With three, the second ends and the third begins at the moonset nearest the
// day's end; the third ends at the next moonrise after it.
TEST(MoonModels, ThreeNumbersMeetAtTodaysSetAndTheMiddleTakesTheEndSign) {
    const ZoneOverride zone("UTC");
    Sky s = regularSky();
    s.numbers = {29, 30, 1};
    const auto models = s.models();
    ASSERT_EQ(models.size(), 3u);
    EXPECT_EQ(models[0].sign, MoonZodiacSign::leo);
    EXPECT_EQ(models[1].sign, MoonZodiacSign::virgo);
    EXPECT_EQ(models[2].sign, MoonZodiacSign::virgo);
    EXPECT_EQ(models[0].begin, s.at(-1, 5));
    EXPECT_EQ(models[1].begin, s.at(0, 6));
    EXPECT_EQ(models[1].finish, s.at(0, 20));
    EXPECT_EQ(models[2].begin, s.at(0, 20));
    EXPECT_EQ(models[2].finish, s.at(1, 7));
    // A moonset found after midnight: the next rise after it.
    s.sets = {s.at(-1, 23), s.at(1, 0.5), s.at(2, 1.5)};
    s.rises = {s.at(-1, 11), s.at(0, 12), s.at(1, 13), s.at(2, 14)};
    EXPECT_EQ(s.models()[2].begin, s.at(1, 0.5));
    EXPECT_EQ(s.models()[2].finish, s.at(1, 13));
}

// Once a month a UTC day has no moonrise: searched from its start, today's
// rise is tomorrow's, and the lunar days around it still meet rise to rise.
TEST(MoonModels, ADayWithoutAMoonriseBetweenConsecutiveRises) {
    const ZoneOverride zone("UTC");
    Sky s = regularSky();
    s.rises = {s.at(-2, 22.4), s.at(-1, 23.2), s.at(1, 0.1), s.at(2, 0.9)};
    const auto models = s.models();
    EXPECT_EQ(models[0].begin, s.at(-1, 23.2));
    EXPECT_EQ(models[0].finish, s.at(1, 0.1));
    EXPECT_EQ(models[1].finish, s.at(2, 0.9));
    // The day before without one: the first lunar day begins two days back.
    s.rises = {s.at(-2, 23.5), s.at(0, 0.3), s.at(1, 1.1)};
    EXPECT_EQ(s.models()[0].begin, s.at(-2, 23.5));
}

// A failed search leaves its bound absent and is never read as an instant (as
// 1970, say): the same sky gives the same lunar days before 1970 and after.
// Searched from the day's start and from the next two midnights, the moonrise
// fails, as where the Moon does not rise for days.
TEST(MoonModels, AFailedMoonriseIsNoInstantBeforeOrAfter1970) {
    const ZoneOverride zone("UTC");
    for (const Date day : {utc(1969, 5, 10), utc(2024, 5, 10)}) {
        Sky s = regularSky(day);
        for (int days = 0; days < 3; ++days) s.riseAnswers.emplace(s.at(days, 0), noEvent());
        const auto models = s.models();
        ASSERT_EQ(models.size(), 2u);
        EXPECT_EQ(models[0].begin, s.at(-1, 5)) << mooncalc_test::utcMinute(day);
        EXPECT_FALSE(models[0].finish);
        EXPECT_FALSE(models[1].begin);
        EXPECT_FALSE(models[1].finish);
    }
}

// With three, the second lunar day runs from the day's moonrise to the first
// moonset after it, also when the moonset nearest the day's end comes before
// that rise (east of Greenwich, where the Moon rises late in the UTC day).
TEST(MoonModels, ThreeNumbersStayInOrderWhenTheDaysSetComesBeforeItsRise) {
    const ZoneOverride zone("UTC");
    Sky s;
    s.numbers = {29, 30, 1};
    s.rises = {s.at(-1, 23.2), s.at(0, 23.8), s.at(2, 0.4)};
    s.sets = {s.at(-1, 15.6), s.at(0, 16.6), s.at(1, 17.6)};
    const auto models = s.models();
    ASSERT_EQ(models.size(), 3u);
    EXPECT_EQ(models[0].begin, s.at(-1, 23.2));
    EXPECT_EQ(models[0].finish, s.at(0, 23.8));
    EXPECT_EQ(models[1].begin, s.at(0, 23.8));
    EXPECT_EQ(models[1].finish, s.at(1, 17.6));
    EXPECT_EQ(models[2].begin, s.at(1, 17.6));
    EXPECT_EQ(models[2].finish, s.at(2, 0.4));
}

// Two searches for one moonrise, started from different midnights, can settle
// a second apart: they are one event, and no lunar day lasts a second.
TEST(MoonModels, RisesASecondApartAreOneEvent) {
    const ZoneOverride zone("UTC");
    Sky s = regularSky();
    s.rises = {s.at(-2, 23.5), s.at(0, 0.5), s.at(1, 1.3)};
    // No moonrise the day before: searched from its start, today's comes back a second early.
    s.riseAnswers.emplace(s.at(-1, 0), s.at(0, 0.5).addingTimeInterval(-1.0));
    EXPECT_EQ(s.models().front().begin, s.at(-2, 23.5));
    s.numbers = {7};
    const auto between = s.models(0.5 - 0.5 / 3600);   // half a second before today's
    EXPECT_EQ(between[0].begin, s.at(-2, 23.5));
    EXPECT_EQ(between[0].finish, s.at(0, 0.5));
}

// Far north a lunar day can be shorter than a UTC day: both of the day's
// moonrises bound lunar days (Reykjavik, 14 July 2025: 00:06 and 23:55).
TEST(MoonModels, TwoMoonrisesOnOneUtcDayBothBoundLunarDays) {
    const ZoneOverride zone("UTC");
    Sky s = regularSky();
    s.rises = {s.at(-1, 0.3), s.at(0, 0.1), s.at(0, 23.9), s.at(1, 23.75), s.at(2, 23.6)};
    s.numbers = {7};
    const auto noon = s.models(12);
    EXPECT_EQ(noon[0].begin, s.at(0, 0.1));
    EXPECT_EQ(noon[0].finish, s.at(0, 23.9));
    const auto late = s.models(23.95);
    EXPECT_EQ(late[0].begin, s.at(0, 23.9));
    EXPECT_EQ(late[0].finish, s.at(1, 23.75));
    s.numbers = {4, 5};
    const auto models = s.models();
    EXPECT_EQ(models[0].begin, s.at(-1, 0.3));
    EXPECT_EQ(models[0].finish, s.at(0, 0.1));
    EXPECT_EQ(models[1].begin, s.at(0, 0.1));
    EXPECT_EQ(models[1].finish, s.at(0, 23.9));
}

// A device in UTC samples one calendar day: one lunar day, from the moonrise
// of 10 May (found from that day's start) to the next day's, with the sign at
// the day's end. The Swiss Ephemeris has them at 05:07:55 and 05:58:11.
TEST(MoonCalculator, InUtcOneLunarDayFromTheMoonriseBeforeTheInstantToTheNext) {
    const ZoneOverride zone("UTC");
    MoonCalculator calculator(london);
    const Date date = utc(2024, 5, 10, 15);
    const MoonInfo info = calculator.getInfo(date);
    ASSERT_EQ(info.moonModels.size(), 1u);
    const MoonRiseSetCalculator riseSet(london);
    EXPECT_EQ(mooncalc_test::utcMinute(*info.moonModels[0].begin), "2024-05-10 05:08");
    EXPECT_EQ(mooncalc_test::utcMinute(*info.moonModels[0].finish), "2024-05-11 05:59");
    EXPECT_EQ(info.moonModels[0].begin, riseSet.getMoonRise(utc(2024, 5, 10)).value());
    EXPECT_EQ(info.moonModels[0].finish, riseSet.getMoonRise(utc(2024, 5, 11)).value());
    EXPECT_EQ(info.moonModels[0].sign, MoonZodiacSignCalculator().getMoonZodiacSign(utc(2024, 5, 10, 23, 59, 59)));
    EXPECT_EQ(info.date, date);
    EXPECT_EQ(info.location, london);
}

// Every day of 2024 in the device's zone, in Moscow and in Tokyo: every lunar
// day ends after it begins, and every model has a number of 1 to 30 (0 only
// for the start of a run).
TEST(MoonCalculator, EveryLunarDayOf2024EndsAfterItBegins) {
    auto checkYear = [](const char* where) {
        MoonCalculator calculator(london);
        for (int day = 0; day < 366; ++day) {
            for (int hour : {0, 12}) {
                const Date date = local(2024, 1, 1 + day, hour);
                const MoonInfo info = calculator.getInfo(date);
                ASSERT_FALSE(info.moonModels.empty()) << where << ' ' << day;
                ASSERT_LE(info.moonModels.size(), 3u);
                for (const MoonModel& model : info.moonModels) {
                    ASSERT_TRUE(model.begin && model.finish) << where << ' ' << day;
                    ASSERT_LT(*model.begin, *model.finish) << where << ' ' << day << ' ' << hour;
                    ASSERT_GE(model.age, 0);
                    ASSERT_LE(model.age, 30);
                }
                for (std::size_t i = 1; i < info.moonModels.size(); ++i)
                    ASSERT_EQ(info.moonModels[i - 1].finish, info.moonModels[i].begin);
            }
        }
    };
    checkYear("device zone");
    {
        const ZoneOverride zone("Europe/Moscow");
        checkYear("Moscow");
    }
    const ZoneOverride zone("Asia/Tokyo");
    checkYear("Tokyo");
}

TEST(MoonCalculator, Moscow11January2024) {
    const ZoneOverride zone("Europe/Moscow");
    MoonCalculator calculator(london);
    const MoonInfo info = calculator.getInfo(local(2024, 1, 11, 12));
    ASSERT_EQ(info.moonModels.size(), 3u);   // 29, 30, 1: the new moon of that day
    EXPECT_EQ(info.moonModels[0].age, 29);
    EXPECT_EQ(info.moonModels[2].age, 1);
    for (const MoonModel& model : info.moonModels) EXPECT_LT(*model.begin, *model.finish);
}

// Places and days where the moonrise that ends one lunar day, searched again
// from another instant, comes back a second later (found on a device in
// Moscow: two lunar days touch each UTC day).
TEST(MoonCalculator, NoLunarDayLastsASecond) {
    const ZoneOverride zone("Europe/Moscow");
    const std::pair<ObserverLocation, Date> cases[] = {
        {{51.5, 37.6}, utc(2024, 2, 27, 12)},    // the rise nearest the day's end
        {{-33.9, -0.12}, utc(2026, 7, 8, 12)},   // the rise after the previous day's start
    };
    for (const auto& [where, date] : cases) {
        MoonCalculator calculator(where);
        const MoonInfo info = calculator.getInfo(date);
        ASSERT_EQ(info.moonModels.size(), 2u);
        for (const MoonModel& model : info.moonModels) {
            ASSERT_TRUE(model.begin && model.finish) << where.latitude;
            // From one moonrise to the next: about a day.
            EXPECT_GT(model.finish->timeIntervalSince(*model.begin), 20 * 3600.0) << where.latitude;
        }
    }
}

// The days before and after are UTC days whatever the device's clocks do: on
// the days they change, a step of one local day from a UTC midnight lands an
// hour off it, and its UTC day would be the one before or after. A lunar day
// then ran from a moonrise two days back (about 50 hours).
TEST(MoonCalculator, LunarDaysAcrossAChangeOfTheClocksRunFromOneRiseToTheNext) {
    for (const char* where : {"America/New_York", "Europe/London", "Australia/Sydney"}) {
        const ZoneOverride zone(where);
        MoonCalculator calculator(london);
        for (int day = 0; day < 366; ++day) {
            const MoonInfo info = calculator.getInfo(utc(2024, 1, 1 + day, 12));
            if (info.moonModels.size() < 2) continue;   // one lunar day spans the days on each side
            for (const MoonModel& model : info.moonModels) {
                ASSERT_TRUE(model.begin && model.finish) << where << ' ' << day;
                // Moonrise to moonrise in London: 24 h 10 min to 25 h 30 min.
                EXPECT_LT(model.finish->timeIntervalSince(*model.begin), 26 * 3600.0) << where << ' ' << day;
            }
        }
    }
}

TEST(MoonCalculator, PhaseEclipsesAndIllumination) {
    MoonCalculator calculator(london);
    const Date date = local(2024, 6, 1, 12);
    const MoonInfo info = calculator.getInfo(date);
    EXPECT_EQ(info.phase, MoonPhase::waningCrescent);   // mean age 24.18 days
    EXPECT_EQ(info.trajectory, MoonTrajectory::descendent);
    EXPECT_EQ(mooncalc_test::utcMinute(*info.previousLunarEclipse.maxPhaseDate), "2024-03-25 07:11");
    EXPECT_EQ(mooncalc_test::utcMinute(*info.nextLunarEclipse.maxPhaseDate), "2024-09-18 02:46");
    EXPECT_EQ(info.illumination, moonIllumination(date));
}

// In the days the calculator refuses, everything but the illumination is there.
TEST(MoonCalculator, NoIlluminationWhereThePositionsAreRefused) {
    const ZoneOverride zone("UTC");
    MoonCalculator calculator(london);
    const MoonInfo info = calculator.getInfo(mooncalc_test::utcOnCalendar(1582, 10, 1, 12));
    EXPECT_FALSE(info.illumination);
    EXPECT_TRUE(info.previousLunarEclipse.maxPhaseDate);
    EXPECT_TRUE(info.nextLunarEclipse.maxPhaseDate);
    ASSERT_EQ(info.moonModels.size(), 1u);
    EXPECT_FALSE(info.moonModels[0].begin);   // refused too
    const MoonInfo nowhere = calculator.getInfo(Date::fromSecondsSince1970(std::nan("")));
    EXPECT_FALSE(nowhere.illumination);
    EXPECT_TRUE(nowhere.moonModels.empty());
    EXPECT_FALSE(nowhere.nextLunarEclipse.maxPhaseDate);
    EXPECT_EQ(nowhere.phase, MoonPhase::newMoon);
}

TEST(MoonCalculator, CalculatorsAreBuiltOnceAndCanBeReplaced) {
    MoonCalculator calculator(london);
    calculator.getInfo(local(2024, 6, 1));
    const auto* riseSet = &calculator.moonRiseSetCalculator();
    const auto* phase = &calculator.moonPhaseCalculator();
    const auto* trajectory = &calculator.moonTrajectoryCalculator();
    calculator.getInfo(local(2024, 6, 2));
    EXPECT_EQ(&calculator.moonRiseSetCalculator(), riseSet);
    EXPECT_EQ(&calculator.moonPhaseCalculator(), phase);
    EXPECT_EQ(&calculator.moonTrajectoryCalculator(), trajectory);
    calculator.setMoonRiseSetCalculator(std::make_unique<mooncalc_test::ScriptedRiseSetCalculator>(
        [](Date) { return noEvent(); }, [](Date) { return noEvent(); }));
    for (const MoonModel& model : calculator.getInfo(local(2024, 6, 3)).moonModels)
        EXPECT_FALSE(model.begin || model.finish);
}

} // namespace
} // namespace mooncalc
