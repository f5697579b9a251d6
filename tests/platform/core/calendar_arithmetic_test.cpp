// Calendar steps: days keep the wall-clock time across clock changes, months and
// years clamp the day, and steps out of the calendar's range give nothing.

#include "dates_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <thread>
#include <vector>

namespace {

using dates_test::calendarIn;
using dates_test::utc;
using dates_test::ymdhms;
using platform::CalendarComponent;
using platform::Date;
using platform::DateComponents;

struct ClockChange {
    const char* zone;
    DateComponents dayBefore;   // a wall time one calendar day before a day that spans the change
    double hoursToNextDay;      // elapsed hours of that one-day step
};

void PrintTo(const ClockChange& change, std::ostream* out) {
    const DateComponents& d = change.dayBefore;
    *out << change.zone << " " << *d.year << "-" << *d.month << "-" << *d.day << " " << *d.hour << ":" << *d.minute;
}

class DayStepAcrossClockChange : public testing::TestWithParam<ClockChange> {};

TEST_P(DayStepAcrossClockChange, KeepsTheWallClockTime) {
    const ClockChange& change = GetParam();
    const auto calendar = calendarIn(change.zone);
    auto before = calendar.date(change.dayBefore);
    ASSERT_TRUE(before);
    auto after = calendar.dateByAdding(CalendarComponent::day, 1, *before);
    ASSERT_TRUE(after);
    EXPECT_DOUBLE_EQ(after->timeIntervalSince(*before), change.hoursToNextDay * 3600.0);
    const platform::ComponentSet wall{CalendarComponent::hour, CalendarComponent::minute, CalendarComponent::second};
    EXPECT_EQ(calendar.components(wall, *after), calendar.components(wall, *before));
    EXPECT_EQ(calendar.dateByAdding(CalendarComponent::day, -1, *after), before);
    // A week step spans the change the same way.
    auto weekLater = calendar.dateByAdding(CalendarComponent::weekOfYear, 1, *before);
    ASSERT_TRUE(weekLater);
    EXPECT_EQ(calendar.components(wall, *weekLater), calendar.components(wall, *before));
}

INSTANTIATE_TEST_SUITE_P(
    Zones, DayStepAcrossClockChange,
    testing::Values(ClockChange{"Europe/London", ymdhms(2026, 3, 28, 10, 30), 23},
                    ClockChange{"Europe/London", ymdhms(2026, 10, 24, 22, 15, 5), 25},
                    ClockChange{"Europe/London", ymdhms(2026, 3, 29, 0, 0), 23},
                    ClockChange{"America/New_York", ymdhms(2026, 3, 7, 12), 23},
                    ClockChange{"America/New_York", ymdhms(2026, 10, 31, 9, 45), 25},
                    ClockChange{"Australia/Sydney", ymdhms(2026, 10, 3, 12), 23},
                    ClockChange{"Australia/Sydney", ymdhms(2026, 4, 4, 23, 59, 59), 25},
                    ClockChange{"America/Havana", ymdhms(2026, 3, 7, 12), 23},
                    ClockChange{"America/Havana", ymdhms(2025, 11, 1, 18), 25}));

TEST(DayStep, IntoASkippedOrRepeatedWallTime) {
    const auto london = calendarIn("Europe/London");
    // 01:30 does not exist on 29 March 2026; the step lands an hour later, at 02:30 BST.
    auto skipped = london.dateByAdding(CalendarComponent::day, 1, *london.date(ymdhms(2026, 3, 28, 1, 30)));
    EXPECT_EQ(skipped, utc(2026, 3, 29, 1, 30));
    // 01:30 happens twice on 25 October 2026; the step takes the first, 01:30 BST.
    auto repeated = london.dateByAdding(CalendarComponent::day, 1, *london.date(ymdhms(2026, 10, 24, 1, 30)));
    EXPECT_EQ(repeated, utc(2026, 10, 25, 0, 30));
    // Stepping from the second 01:30 keeps its wall time on the next day.
    EXPECT_EQ(london.dateByAdding(CalendarComponent::day, 1, utc(2026, 10, 25, 1, 30)), utc(2026, 10, 26, 1, 30));
    // Havana's midnight is skipped on 8 March 2026: a day step from 7 March 00:00 gives 01:00.
    const auto havana = calendarIn("America/Havana");
    EXPECT_EQ(havana.dateByAdding(CalendarComponent::day, 1, *havana.date(ymdhms(2026, 3, 7))), utc(2026, 3, 8, 5));
}

TEST(DayStep, CarriesIntoMonthsAndYearsAndKeepsFractions) {
    const auto calendar = calendarIn("UTC");
    EXPECT_EQ(calendar.dateByAdding(CalendarComponent::day, -1, utc(2024, 3, 1, 10, 30)), utc(2024, 2, 29, 10, 30));
    EXPECT_EQ(calendar.dateByAdding(CalendarComponent::day, 1, utc(2023, 12, 31, 22)), utc(2024, 1, 1, 22));
    EXPECT_EQ(calendar.dateByAdding(CalendarComponent::day, 366, utc(2024, 1, 1)), utc(2025, 1, 1));
    EXPECT_EQ(calendar.dateByAdding(CalendarComponent::day, 1, utc(2026, 5, 1, 12, 0, 7.125)),
              utc(2026, 5, 2, 12, 0, 7.125));
    // 4 October 1582 was followed by 15 October.
    EXPECT_EQ(calendar.dateByAdding(CalendarComponent::day, 1, *calendar.date(ymdhms(1582, 10, 4))),
              utc(1582, 10, 15));
}

// An instant a hair before a whole millisecond: its fraction of a millisecond,
// taken from the whole one below, rounded to a whole one, and the step failed.
TEST(DayStep, FromAHairBeforeAWholeMillisecond) {
    const double hair = -std::numeric_limits<double>::denorm_min();
    for (const char* zone : {"UTC", "GMT", "Europe/London", "Pacific/Kiritimati"}) {
        const auto calendar = calendarIn(zone);
        for (const auto component : {CalendarComponent::day, CalendarComponent::weekOfYear, CalendarComponent::month}) {
            EXPECT_EQ(calendar.dateByAdding(component, 1, Date::fromSecondsSince1970(hair)),
                      calendar.dateByAdding(component, 1, Date::fromSecondsSince1970(0.0)))
                << zone;
        }
    }
}

TEST(MonthStep, ClampsTheDayToTheMonthsEnd) {
    const auto calendar = calendarIn("Europe/London");
    auto oct31 = calendar.date(ymdhms(2026, 10, 31, 12));
    ASSERT_TRUE(oct31);
    EXPECT_EQ(calendar.dateByAdding(CalendarComponent::month, -6, *oct31), calendar.date(ymdhms(2026, 4, 30, 12)));
    EXPECT_EQ(calendar.dateByAdding(CalendarComponent::month, 4, *oct31), calendar.date(ymdhms(2027, 2, 28, 12)));
    EXPECT_EQ(calendar.dateByAdding(CalendarComponent::month, 16, *oct31), calendar.date(ymdhms(2028, 2, 29, 12)));
    EXPECT_EQ(calendar.dateByAdding(CalendarComponent::quarter, 1, *oct31), calendar.date(ymdhms(2027, 1, 31, 12)));
    auto leapDay = calendar.date(ymdhms(2024, 2, 29, 8));
    EXPECT_EQ(calendar.dateByAdding(CalendarComponent::year, 1, *leapDay), calendar.date(ymdhms(2025, 2, 28, 8)));
    EXPECT_EQ(calendar.dateByAdding(CalendarComponent::year, 4, *leapDay), calendar.date(ymdhms(2028, 2, 29, 8)));
    EXPECT_EQ(calendar.dateByAdding(CalendarComponent::year, -1, *leapDay), calendar.date(ymdhms(2023, 2, 28, 8)));
}

TEST(TimeStep, HoursAreElapsedTime) {
    const auto london = calendarIn("Europe/London");
    // 00:30 GMT plus two hours is 03:30 BST on the morning the clocks go forward.
    EXPECT_EQ(london.dateByAdding(CalendarComponent::hour, 2, utc(2026, 3, 29, 0, 30)), utc(2026, 3, 29, 2, 30));
    EXPECT_EQ(london.dateByAdding(CalendarComponent::minute, -90, utc(2026, 1, 1)), utc(2025, 12, 31, 22, 30));
    EXPECT_EQ(london.dateByAdding(CalendarComponent::second, 86400, utc(2026, 1, 1)), utc(2026, 1, 2));
    EXPECT_EQ(london.dateByAdding(CalendarComponent::nanosecond, 500'000'000, utc(2026, 1, 1)),
              utc(2026, 1, 1, 0, 0, 0.5));
    EXPECT_EQ(london.dateByAdding(CalendarComponent::day, 0, utc(2026, 10, 25, 1, 30)), utc(2026, 10, 25, 1, 30));
}

TEST(Steps, OutOfRangeGiveNothing) {
    const auto calendar = calendarIn("Europe/London");
    const Date now = utc(2026, 6, 1);
    constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t least = std::numeric_limits<std::int64_t>::min();
    for (auto component : {CalendarComponent::day, CalendarComponent::month, CalendarComponent::year,
                           CalendarComponent::weekOfYear, CalendarComponent::quarter, CalendarComponent::hour,
                           CalendarComponent::second, CalendarComponent::era}) {
        EXPECT_FALSE(calendar.dateByAdding(component, most, now)) << static_cast<int>(component);
        EXPECT_FALSE(calendar.dateByAdding(component, least, now)) << static_cast<int>(component);
    }
    EXPECT_FALSE(calendar.dateByAdding(CalendarComponent::year, std::int64_t{std::numeric_limits<int>::max()}, now));
    EXPECT_FALSE(calendar.dateByAdding(CalendarComponent::day, 1, Date::fromSecondsSince1970(std::nan(""))));
    EXPECT_FALSE(calendar.dateByAdding(CalendarComponent::day, 1, Date::fromSecondsSince1970(1e300)));
    EXPECT_TRUE(calendar.dateByAdding(CalendarComponent::year, 100'000, now));
    EXPECT_TRUE(calendar.dateByAdding(CalendarComponent::year, -100'000, now));
}

TEST(ComponentsStep, LargestUnitFirst) {
    const auto calendar = calendarIn("UTC");
    DateComponents monthAndDay;
    monthAndDay.month = 1;
    monthAndDay.day = 1;
    EXPECT_EQ(calendar.dateByAdding(monthAndDay, utc(2024, 1, 31, 9)), utc(2024, 3, 1, 9));
    DateComponents dayAndSecond;
    dayAndSecond.day = 1;
    dayAndSecond.second = -1;
    EXPECT_EQ(calendar.dateByAdding(dayAndSecond, utc(2026, 3, 12)), utc(2026, 3, 12, 23, 59, 59));
    DateComponents none;
    EXPECT_EQ(calendar.dateByAdding(none, utc(2026, 3, 12)), utc(2026, 3, 12));
    DateComponents tooMuch;
    tooMuch.year = std::numeric_limits<int>::max();
    tooMuch.day = 1;
    EXPECT_FALSE(calendar.dateByAdding(tooMuch, utc(2026, 3, 12)));
}

TEST(Steps, SeveralThreadsAtOnce) {
    // Each thread walks a year of days in its own zone and locale while the
    // others do the same, sharing the zone and calendar caches.
    const char* zones[] = {"Europe/London", "America/New_York", "Australia/Sydney", "America/Havana"};
    std::vector<int> wrong(4, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            const auto calendar = calendarIn(zones[t], t % 2 ? "en_US" : "en_GB");
            auto day = calendar.date(ymdhms(2026, 1, 1, 12));
            for (int i = 0; i < 2000 && day; ++i) {
                day = calendar.dateByAdding(CalendarComponent::day, 1, *day);
                if (!day || calendar.component(CalendarComponent::hour, *day) != 12) ++wrong[static_cast<std::size_t>(t)];
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

TEST(SettingFields, ReplacesSomeAndRunsOnLeniently) {
    const auto london = calendarIn("Europe/London");
    const Date date = utc(2024, 2, 10, 15, 20, 33.75);   // GMT in February
    DateComponents midnight;
    midnight.hour = 0;
    midnight.minute = 0;
    midnight.second = 0;
    EXPECT_EQ(london.dateBySettingFields(midnight, date), utc(2024, 2, 10));
    DateComponents lastOfMonth = midnight;
    lastOfMonth.day = 0;
    lastOfMonth.month = 3;
    EXPECT_EQ(london.dateBySettingFields(lastOfMonth, date), utc(2024, 2, 29));
    DateComponents minute60;
    minute60.minute = 60;
    EXPECT_EQ(london.dateBySettingFields(minute60, date), utc(2024, 2, 10, 16, 0, 33));   // fraction gone
    EXPECT_EQ(london.dateBySettingFields(DateComponents{}, date), utc(2024, 2, 10, 15, 20, 33));
    DateComponents summer;
    summer.month = 7;
    EXPECT_EQ(london.dateBySettingFields(summer, date), utc(2024, 7, 10, 14, 20, 33));   // BST wall clock
    // The era is kept: a day before Christ stays there.
    DateComponents bc = ymdhms(500, 6, 15, 12);
    bc.era = 0;
    const auto beforeChrist = london.date(bc);
    ASSERT_TRUE(beforeChrist.has_value());
    DateComponents noonToMidnight;
    noonToMidnight.hour = 0;
    const auto start = london.dateBySettingFields(noonToMidnight, *beforeChrist);
    ASSERT_TRUE(start.has_value());
    EXPECT_EQ(london.component(CalendarComponent::era, *start), 0);
    EXPECT_EQ(beforeChrist->timeIntervalSince(*start), 12 * 3600);
    DateComponents huge;
    huge.day = std::numeric_limits<int>::max();
    EXPECT_FALSE(london.dateBySettingFields(huge, date));
    EXPECT_FALSE(london.dateBySettingFields(midnight, Date::fromSecondsSince1970(std::nan(""))));
}

} // namespace
