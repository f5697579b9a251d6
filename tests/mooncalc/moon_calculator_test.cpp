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

// A facade for the UTC day of 10 May 2024 on a device in UTC, with the given
// lunar-day numbers and scripted events: rises asked for at the instants in
// `rises` (others fail), today's set at the day's end.
struct Scripted {
    std::map<Date, Date> rises;
    std::optional<Date> set;
    std::vector<std::int64_t> numbers;

    std::vector<MoonModel> models() const {
        const Date dayStart = utc(2024, 5, 10);
        MoonCalculator calculator(london, std::make_shared<mooncalc_test::FixedAgeCalculator>(3.0, numbers),
                                  std::make_shared<TwoSigns>(dayStart));
        auto risesCopy = rises;
        auto setCopy = set;
        calculator.setMoonRiseSetCalculator(std::make_unique<mooncalc_test::ScriptedRiseSetCalculator>(
            [risesCopy](Date at) -> RiseSetResult {
                const auto found = risesCopy.find(at);
                return found == risesCopy.end() ? noEvent() : RiseSetResult(found->second);
            },
            [setCopy](Date at) -> RiseSetResult {
                return setCopy && at == utc(2024, 5, 10, 23, 59, 59) ? RiseSetResult(*setCopy) : noEvent();
            }));
        return calculator.getInfo(utc(2024, 5, 10, 12)).moonModels;
    }
};

// The instants the facade asks at for 10 May 2024 in UTC.
const Date previousDayStart = utc(2024, 5, 9);
const Date dayStart = utc(2024, 5, 10);
const Date dayEnd = utc(2024, 5, 10, 23, 59, 59);
const Date nextDayEnd = utc(2024, 5, 11, 23, 59, 59);
// The events.
const Date previousRise = utc(2024, 5, 9, 5);
const Date todaysRise = utc(2024, 5, 10, 6);
const Date todaysSet = utc(2024, 5, 10, 20);
const Date nextRise = utc(2024, 5, 11, 7);
const Date riseNearDayEnd = utc(2024, 5, 11, 6, 30);

Scripted twoDays() {
    Scripted s;
    s.rises = {{previousDayStart, previousRise}, {dayStart, todaysRise}, {nextDayEnd, nextRise},
               {dayEnd, riseNearDayEnd}};
    s.set = todaysSet;
    s.numbers = {4, 5};
    return s;
}

TEST(MoonModels, NoneForNoNumbersOrForFourOrMore) {
    const ZoneOverride zone("UTC");
    Scripted s = twoDays();
    s.numbers = {};
    EXPECT_TRUE(s.models().empty());
    s.numbers = {1, 2, 3, 4};
    EXPECT_TRUE(s.models().empty());
}

TEST(MoonModels, OneNumberSpansFromThePreviousToTheNextRiseWithTheEndSign) {
    const ZoneOverride zone("UTC");
    Scripted s = twoDays();
    s.numbers = {7};
    const auto models = s.models();
    ASSERT_EQ(models.size(), 1u);
    EXPECT_EQ(models[0].age, 7);
    EXPECT_EQ(models[0].sign, MoonZodiacSign::virgo);
    EXPECT_EQ(models[0].begin, previousRise);
    EXPECT_EQ(models[0].finish, nextRise);
}

TEST(MoonModels, TwoNumbersMeetAtTodaysRiseAndEndAtTheRiseNearestTheDaysEnd) {
    const ZoneOverride zone("UTC");
    const auto models = twoDays().models();
    ASSERT_EQ(models.size(), 2u);
    EXPECT_EQ(models[0].age, 4);
    EXPECT_EQ(models[0].sign, MoonZodiacSign::leo);
    EXPECT_EQ(models[0].begin, previousRise);
    EXPECT_EQ(models[0].finish, todaysRise);
    EXPECT_EQ(models[1].age, 5);
    EXPECT_EQ(models[1].sign, MoonZodiacSign::virgo);
    EXPECT_EQ(models[1].begin, todaysRise);
    EXPECT_EQ(models[1].finish, riseNearDayEnd);   // the rise and set of the day moved the end
}

TEST(MoonModels, ThreeNumbersMeetAtTodaysSetAndTheMiddleTakesTheEndSign) {
    const ZoneOverride zone("UTC");
    Scripted s = twoDays();
    s.numbers = {29, 30, 1};
    const auto models = s.models();
    ASSERT_EQ(models.size(), 3u);
    EXPECT_EQ(models[0].sign, MoonZodiacSign::leo);
    EXPECT_EQ(models[1].sign, MoonZodiacSign::virgo);
    EXPECT_EQ(models[2].sign, MoonZodiacSign::virgo);
    EXPECT_EQ(models[1].begin, todaysRise);
    EXPECT_EQ(models[1].finish, todaysSet);
    EXPECT_EQ(models[2].begin, todaysSet);
    EXPECT_EQ(models[2].finish, riseNearDayEnd);
}

TEST(MoonModels, TheEndIsNotMovedWithoutARiseAndASetOrWhenTheSetIsTheNextRise) {
    const ZoneOverride zone("UTC");
    Scripted none = twoDays();
    none.rises.erase(dayStart);
    none.set.reset();   // both absent: 0 is not earlier than 0
    EXPECT_EQ(none.models().back().finish, nextRise);
    Scripted same = twoDays();
    same.set = nextRise;   // the comparison is strict
    EXPECT_EQ(same.models().back().finish, nextRise);
}

TEST(MoonModels, AFailedRiseNearTheDaysEndLeavesTheEndAbsent) {
    const ZoneOverride zone("UTC");
    Scripted s = twoDays();
    s.rises.erase(dayEnd);
    const auto models = s.models();
    EXPECT_FALSE(models.back().finish);
    EXPECT_EQ(models.back().begin, todaysRise);
}

// The rise nearest the day's end can be the day's own rise, or one before the
// day's set: a lunar day would end before (or as) it begins. The end stays at
// the next rise.
TEST(MoonModels, AnEarlierRiseNearTheDaysEndDoesNotEndTheLastDay) {
    const ZoneOverride zone("UTC");
    Scripted two = twoDays();
    two.rises[dayEnd] = todaysRise;
    EXPECT_EQ(two.models().back().finish, nextRise);
    Scripted three = twoDays();
    three.numbers = {29, 30, 1};
    three.rises[dayEnd] = utc(2024, 5, 10, 19);   // before today's set at 20:00
    const auto models = three.models();
    EXPECT_EQ(models.back().begin, todaysSet);
    EXPECT_EQ(models.back().finish, nextRise);
}

// No moonrise on the previous day: the search from its start finds today's.
TEST(MoonModels, TheFirstDayBeginsAtTheLastRiseBeforeTodays) {
    const ZoneOverride zone("UTC");
    Scripted s = twoDays();
    const Date twoDaysBefore = utc(2024, 5, 8, 4);
    s.rises[previousDayStart] = todaysRise;
    s.rises[utc(2024, 5, 8)] = twoDaysBefore;
    const auto models = s.models();
    EXPECT_EQ(models.front().begin, twoDaysBefore);
    EXPECT_EQ(models.front().finish, todaysRise);
    // With nothing found there either, the bound is left absent rather than inverted.
    s.rises.erase(utc(2024, 5, 8));
    EXPECT_FALSE(s.models().front().begin);
    // Any other inversion leaves the end absent.
    Scripted inverted = twoDays();
    inverted.numbers = {29, 30, 1};
    inverted.set = utc(2024, 5, 10, 3);   // the day's set before its rise
    const auto three = inverted.models();
    EXPECT_EQ(three[1].begin, todaysRise);
    EXPECT_FALSE(three[1].finish);
}

// Two searches for one moonrise, started from different instants, can settle a
// second apart: they are one event, and no lunar day lasts a second.
TEST(MoonModels, RisesASecondApartAreOneEvent) {
    const ZoneOverride zone("UTC");
    const Date twoDaysBefore = utc(2024, 5, 8, 4);
    Scripted first = twoDays();
    first.rises[previousDayStart] = todaysRise.addingTimeInterval(-1.0);
    first.rises[utc(2024, 5, 8)] = twoDaysBefore;
    EXPECT_EQ(first.models().front().begin, twoDaysBefore);
    // Found a second time from the day before, the bound is left absent.
    first.rises[utc(2024, 5, 8)] = todaysRise.addingTimeInterval(-2.0);
    EXPECT_FALSE(first.models().front().begin);
    Scripted last = twoDays();
    last.rises[dayEnd] = todaysRise.addingTimeInterval(1.0);
    EXPECT_EQ(last.models().back().finish, nextRise);
}

// A device in UTC samples one calendar day: one lunar day, bounded by the first
// rise after the previous day's start and the rise nearest the next day's end.
TEST(MoonCalculator, InUtcOneLunarDayBetweenThePreviousAndTheNextRise) {
    const ZoneOverride zone("UTC");
    MoonCalculator calculator(london);
    const Date date = utc(2024, 5, 10, 15);
    const MoonInfo info = calculator.getInfo(date);
    ASSERT_EQ(info.moonModels.size(), 1u);
    const MoonRiseSetCalculator riseSet(london);
    EXPECT_EQ(info.moonModels[0].begin, riseSet.getMoonRise(previousDayStart).value());
    EXPECT_EQ(info.moonModels[0].finish, riseSet.getMoonRise(nextDayEnd).value());
    EXPECT_EQ(info.moonModels[0].sign, MoonZodiacSignCalculator().getMoonZodiacSign(dayEnd));
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
