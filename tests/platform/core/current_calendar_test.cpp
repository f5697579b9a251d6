// The current calendar as the festival engine uses it: whatever zone TZ names
// (this binary runs once per test zone), its days start at local midnight and
// its day steps keep the local time.

#include "dates_test_support.h"

#include "platform/core/date_formatter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

using dates_test::ymdhms;
using platform::Calendar;
using platform::CalendarComponent;
using platform::Date;
using platform::DateComponents;
using platform::TimeZone;

// Local wall-clock seconds of the day, from the zone's offset alone.
long localSecondsOfDay(Date date) {
    const double local = date.secondsSince1970() + TimeZone::current().secondsFromGMT(date);
    return static_cast<long>(local - 86400.0 * std::floor(local / 86400.0));
}

TEST(CurrentCalendar, UsesTheZoneOfTz) {
    const char* tz = std::getenv("TZ");
    if (!tz) GTEST_SKIP() << "runs under the test zones, which set TZ";
    EXPECT_EQ(TimeZone::current().identifier(), tz);
    EXPECT_EQ(Calendar::current().timeZone().identifier(), tz);
}

TEST(CurrentCalendar, SeasonStartsAreLocalMidnight) {
    const Calendar calendar = Calendar::current();
    for (int year : {2024, 2025, 2026, 2027}) {
        DateComponents first;
        first.year = year;
        first.month = 1;
        first.day = 1;
        auto januaryFirst = calendar.date(first);
        ASSERT_TRUE(januaryFirst);
        EXPECT_EQ(localSecondsOfDay(*januaryFirst), 0);
        for (auto [month, day] : {std::pair{3, 20}, {6, 21}, {9, 22}, {12, 21}}) {
            DateComponents matching;
            matching.year = year;
            matching.month = month;
            matching.day = day;
            auto start = Calendar::current().nextDate(*januaryFirst, matching, platform::MatchingPolicy::nextTime);
            ASSERT_TRUE(start) << year << "-" << month << "-" << day;
            EXPECT_EQ(localSecondsOfDay(*start), 0);
            EXPECT_EQ(Calendar::current().components({CalendarComponent::year, CalendarComponent::month,
                                                      CalendarComponent::day, CalendarComponent::hour},
                                                     *start),
                      ([&] {
                          DateComponents c;
                          c.year = year;
                          c.month = month;
                          c.day = day;
                          c.hour = 0;
                          return c;
                      }()));
        }
    }
}

TEST(CurrentCalendar, DayStepsKeepLocalNoonAllYear) {
    std::optional<Date> noon = Calendar::current().date(ymdhms(2026, 1, 1, 12));
    ASSERT_TRUE(noon);
    for (int day = 1; day <= 366; ++day) {
        auto next = Calendar::current().dateByAdding(CalendarComponent::day, 1, *noon);
        ASSERT_TRUE(next);
        const double hours = next->timeIntervalSince(*noon) / 3600.0;
        EXPECT_TRUE(hours == 23.0 || hours == 24.0 || hours == 25.0) << day;
        EXPECT_EQ(localSecondsOfDay(*next), 12 * 3600) << day;
        EXPECT_EQ(Calendar::current().dateByAdding(CalendarComponent::day, -1, *next), noon) << day;
        noon = next;
    }
    EXPECT_EQ(Calendar::current().component(CalendarComponent::year, *noon), 2027);
    EXPECT_EQ(Calendar::current().component(CalendarComponent::day, *noon), 2);
}

TEST(CurrentCalendar, StartOfTodayAndFormattingInTheZone) {
    const Date now = Date::now();
    const Date today = Calendar::current().startOfDay(now);
    EXPECT_LE(today, now);
    EXPECT_GT(today, now.addingTimeInterval(-86400.0 - 3600.0));
    EXPECT_EQ(localSecondsOfDay(today), 0);
    EXPECT_TRUE(Calendar::current().isDate(today, now));

    auto instant = Calendar::current().date(ymdhms(2026, 12, 21, 15, 3, 27));
    ASSERT_TRUE(instant);
    platform::DateFormatter formatter;   // the current locale and zone
    formatter.setDateFormat("EEE dd MMM yyyy HH:mm:ss");
    EXPECT_EQ(formatter.string(*instant), "Mon 21 Dec 2026 15:03:27");
}

} // namespace
