// The first moment of a local day, as the calendar gives it, also where the
// clocks skip midnight, and answered from memory for the zone in use.

#include "engine/internal/local_day.h"
#include "platform/core/calendar.h"
#include "test_dates.h"

#include <gtest/gtest.h>

#include <limits>
#include <thread>
#include <vector>

using engine::detail::startOfLocalDay;
using engine_test::Fields;
using engine_test::fieldsIn;
using engine_test::utc;
using platform::Calendar;
using platform::Date;

namespace {

Calendar calendarIn(const char* zone) {
    const auto timeZone = platform::TimeZone::withIdentifier(zone);
    EXPECT_TRUE(timeZone.has_value()) << zone;
    return Calendar::gregorian(timeZone.value_or(platform::TimeZone::utc()), platform::Locale::withIdentifier("en_GB"));
}

// The calendar's own answer, from the middle of the day.
std::optional<Date> calendarsStartOfDay(const Calendar& calendar, int year, int month, int day) {
    const auto noon = calendar.date(testsupport::ymdhms(year, month, day, 12));
    if (!noon)
        return std::nullopt;
    return calendar.startOfDay(*noon);
}

constexpr const char* zones[] = {"UTC", "Europe/London", "America/New_York", "Australia/Sydney",
                                 "Pacific/Kiritimati", "America/Havana", "Asia/Tehran"};

} // namespace

TEST(StartOfLocalDay, IsMidnightWhereTheDayHasOne) {
    const Calendar london = calendarIn("Europe/London");
    // Summer time begins at 01:00 GMT, after midnight; the day with the
    // repeated hour begins once, at midnight summer time.
    EXPECT_EQ(startOfLocalDay(london, 2025, 3, 30), utc(2025, 3, 30));
    EXPECT_EQ(startOfLocalDay(london, 2025, 10, 26), utc(2025, 10, 25, 23));
    EXPECT_EQ(startOfLocalDay(calendarIn("Pacific/Kiritimati"), 2025, 1, 1), utc(2024, 12, 31, 10));
}

TEST(StartOfLocalDay, IsTheDaysFirstMomentWhereTheClocksSkipMidnight) {
    // Almaty, 21 June 1930: 00:00 (+05) became 01:00 (+06).
    const Calendar almaty = calendarIn("Asia/Almaty");
    const auto summer = startOfLocalDay(almaty, 1930, 6, 21);
    EXPECT_EQ(summer, utc(1930, 6, 20, 19));
    EXPECT_EQ(fieldsIn(almaty, summer.value_or(Date{})), (Fields{1930, 6, 21, 1, 0, 0}));
    // Toronto, 30 March 1919: 23:30 (-05) became 00:30 (-04) on the 31st, so
    // that day began at 00:30; midnight built leniently would read 01:00.
    const Calendar toronto = calendarIn("America/Toronto");
    const auto skipped = startOfLocalDay(toronto, 1919, 3, 31);
    EXPECT_EQ(skipped, utc(1919, 3, 31, 4, 30));
    EXPECT_EQ(fieldsIn(toronto, skipped.value_or(Date{})), (Fields{1919, 3, 31, 0, 30, 0}));
}

TEST(StartOfLocalDay, AgreesWithTheCalendarOnEveryDayOfTwoYears) {
    // Asked twice: the second answer comes from memory.
    for (const char* zone : zones) {
        const Calendar calendar = calendarIn(zone);
        for (int pass = 0; pass < 2; ++pass)
            for (int year : {2024, 2025})
                for (int month = 1; month <= 12; ++month)
                    for (int day = 1; day <= 31; ++day)
                        ASSERT_EQ(startOfLocalDay(calendar, year, month, day),
                                  calendarsStartOfDay(calendar, year, month, day))
                            << zone << ' ' << year << '-' << month << '-' << day << " pass " << pass;
    }
}

TEST(StartOfLocalDay, AnswersFromMemoryOnlyForTheirOwnZoneAndYear) {
    const Calendar utcCalendar = calendarIn("UTC");
    const Calendar kiritimati = calendarIn("Pacific/Kiritimati");
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(startOfLocalDay(utcCalendar, 2025, 12, 19), utc(2025, 12, 19));
        EXPECT_EQ(startOfLocalDay(kiritimati, 2025, 12, 19), utc(2025, 12, 18, 10));
        // Years two apart share a place in memory.
        EXPECT_EQ(startOfLocalDay(utcCalendar, 2023, 12, 19), utc(2023, 12, 19));
        EXPECT_EQ(startOfLocalDay(utcCalendar, 2025, 12, 19), utc(2025, 12, 19));
        EXPECT_EQ(startOfLocalDay(utcCalendar, -2025, 12, 19), calendarsStartOfDay(utcCalendar, -2025, 12, 19));
    }
}

TEST(StartOfLocalDay, EachThreadGetsTheSameAnswers) {
    const Calendar sydney = calendarIn("Australia/Sydney");
    const auto here = startOfLocalDay(sydney, 2025, 4, 6);   // summer time ends that day
    std::vector<std::optional<Date>> there(4);
    std::vector<std::thread> threads;
    for (auto& answer : there)
        threads.emplace_back([&sydney, &answer] { answer = startOfLocalDay(sydney, 2025, 4, 6); });
    for (auto& thread : threads)
        thread.join();
    for (const auto& answer : there)
        EXPECT_EQ(answer, here);
    EXPECT_EQ(here, utc(2025, 4, 5, 13));
}

TEST(StartOfLocalDay, LenientDaysYearZeroAndDaysOutOfReach) {
    const Calendar calendar = calendarIn("UTC");
    EXPECT_EQ(startOfLocalDay(calendar, 2024, 3, 0), utc(2024, 2, 29));    // the day before 1 March
    EXPECT_EQ(startOfLocalDay(calendar, 2025, 13, 1), utc(2026, 1, 1));    // month 13 runs on
    const auto firstBC = startOfLocalDay(calendar, 0, 1, 1);
    ASSERT_TRUE(firstBC.has_value());
    EXPECT_EQ(calendar.component(platform::CalendarComponent::era, *firstBC), 0);
    for (int round = 0; round < 2; ++round) {
        EXPECT_FALSE(startOfLocalDay(calendar, std::numeric_limits<int>::max(), 1, 1));
        EXPECT_FALSE(startOfLocalDay(calendar, std::numeric_limits<int>::min(), 12, 31));
    }
}

TEST(UserCalendar, IsInTheCurrentZoneReadAtEachCall) {
    {
        engine_test::ZoneOverride zone("Pacific/Kiritimati");
        EXPECT_EQ(engine::detail::userCalendar().timeZone().identifier(), "Pacific/Kiritimati");
    }
    engine_test::ZoneOverride zone("America/New_York");
    EXPECT_EQ(engine::detail::userCalendar().timeZone().identifier(), "America/New_York");
}
