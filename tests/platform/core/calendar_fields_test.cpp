// Building instants from calendar fields and reading fields back.

#include "dates_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using dates_test::calendarIn;
using dates_test::utc;
using dates_test::ymdhms;
using platform::CalendarComponent;
using platform::ComponentSet;
using platform::Date;
using platform::DateComponents;

TEST(CalendarDate, MonthsCountFromOneAndAbsentFieldsAreLowest) {
    const auto calendar = calendarIn("UTC");
    EXPECT_EQ(calendar.date(ymdhms(2026, 12, 21, 15, 3, 27)), utc(2026, 12, 21, 15, 3, 27));
    DateComponents yearOnly;
    yearOnly.year = 2026;
    EXPECT_EQ(calendar.date(yearOnly), utc(2026, 1, 1));
    // No year means year 1, not the 1970 ICU would otherwise use; 1 AD is a Julian date.
    DateComponents noYear;
    noYear.month = 3;
    noYear.day = 5;
    auto early = calendar.date(noYear);
    ASSERT_TRUE(early);
    EXPECT_EQ(calendar.component(CalendarComponent::year, *early), 1);
    EXPECT_EQ(calendar.component(CalendarComponent::month, *early), 3);
    EXPECT_EQ(calendar.component(CalendarComponent::day, *early), 5);
}

TEST(CalendarDate, IsLenient) {
    const auto calendar = calendarIn("Europe/London");
    EXPECT_EQ(calendar.date(ymdhms(2026, 2, 30)), utc(2026, 3, 2));
    EXPECT_EQ(calendar.date(ymdhms(2024, 2, 30)), utc(2024, 3, 1));
    EXPECT_EQ(calendar.date(ymdhms(2023, 2, 29)), utc(2023, 3, 1));
    EXPECT_EQ(calendar.date(ymdhms(2026, 12, 31, 24)), utc(2027, 1, 1));
    EXPECT_EQ(calendar.date(ymdhms(2026, 13, 1)), utc(2027, 1, 1));
    EXPECT_EQ(calendar.date(ymdhms(2026, 1, 1, 0, 75)), utc(2026, 1, 1, 1, 15));
    EXPECT_EQ(calendar.date(ymdhms(2026, 1, 0)), utc(2025, 12, 31));
    EXPECT_EQ(calendar.date(ymdhms(2026, 0, 15)), utc(2025, 12, 15));
    EXPECT_EQ(calendar.date(ymdhms(2026, 3, 1, -1)), utc(2026, 2, 28, 23));
    EXPECT_EQ(calendar.date(ymdhms(2026, 1, 1, 0, 0, -1)), utc(2025, 12, 31, 23, 59, 59));
    // Summer time: 1 July 12:00 in London is 11:00 UTC.
    EXPECT_EQ(calendar.date(ymdhms(2026, 6, 31, 12)), utc(2026, 7, 1, 11));
}

TEST(CalendarDate, ComponentsZoneWinsOverTheCalendars) {
    const auto calendar = calendarIn("Australia/Sydney");
    DateComponents c = ymdhms(2026, 6, 21, 8);
    EXPECT_EQ(calendar.date(c), utc(2026, 6, 20, 22));
    c.timeZone = platform::TimeZone::utc();
    EXPECT_EQ(calendar.date(c), utc(2026, 6, 21, 8));
}

TEST(CalendarDate, RepeatedWallTimeIsItsFirstOccurrence) {
    // London goes back from 02:00 BST to 01:00 GMT on 25 October 2026.
    EXPECT_EQ(calendarIn("Europe/London").date(ymdhms(2026, 10, 25, 1, 30)), utc(2026, 10, 25, 0, 30));
    // New York goes back from 02:00 EDT to 01:00 EST on 1 November 2026.
    EXPECT_EQ(calendarIn("America/New_York").date(ymdhms(2026, 11, 1, 1, 30)), utc(2026, 11, 1, 5, 30));
    // Sydney goes back from 03:00 AEDT to 02:00 AEST on 5 April 2026.
    EXPECT_EQ(calendarIn("Australia/Sydney").date(ymdhms(2026, 4, 5, 2, 30)), utc(2026, 4, 4, 15, 30));
    // Havana repeats its midnight hour on 2 November 2025: 00:00 CDT comes first.
    EXPECT_EQ(calendarIn("America/Havana").date(ymdhms(2025, 11, 2)), utc(2025, 11, 2, 4));
}

TEST(CalendarDate, SkippedWallTimeMovesForwardByTheGap) {
    // London skips 01:00-02:00 GMT on 29 March 2026: 01:30 is read as 02:30 BST.
    EXPECT_EQ(calendarIn("Europe/London").date(ymdhms(2026, 3, 29, 1, 30)), utc(2026, 3, 29, 1, 30));
    // New York skips 02:00-03:00 on 8 March 2026.
    EXPECT_EQ(calendarIn("America/New_York").date(ymdhms(2026, 3, 8, 2, 30)), utc(2026, 3, 8, 7, 30));
    // Sydney skips 02:00-03:00 on 4 October 2026.
    EXPECT_EQ(calendarIn("Australia/Sydney").date(ymdhms(2026, 10, 4, 2, 30)), utc(2026, 10, 3, 16, 30));
    // Havana skips midnight on 8 March 2026: 00:00 is read as 01:00 CDT.
    EXPECT_EQ(calendarIn("America/Havana").date(ymdhms(2026, 3, 8)), utc(2026, 3, 8, 5));
}

TEST(CalendarDate, FailedConversionsGiveNothing) {
    const auto calendar = calendarIn("Europe/London");
    constexpr int most = std::numeric_limits<int>::max();
    constexpr int least = std::numeric_limits<int>::min();
    EXPECT_FALSE(calendar.date(ymdhms(most, 1, 1)));
    EXPECT_FALSE(calendar.date(ymdhms(least, 1, 1)));
    EXPECT_FALSE(calendar.date(ymdhms(2026, most, 1)));
    EXPECT_FALSE(calendar.date(ymdhms(2026, least, 1)));
    EXPECT_FALSE(calendar.date(ymdhms(2026, 1, most)));
    EXPECT_FALSE(calendar.date(ymdhms(2026, 1, least)));
    EXPECT_FALSE(calendar.date(ymdhms(2'000'000, 1, 1)));
    DateComponents era = ymdhms(2026, 1, 1);
    era.era = 7;
    EXPECT_FALSE(calendar.date(era));
    // Large but representable values still work.
    EXPECT_EQ(calendar.date(ymdhms(2026, 1, 1, 0, 0, most)), utc(2026, 1, 1, 0, 0, most));
    EXPECT_TRUE(calendar.date(ymdhms(200'000, 1, 1)));
}

TEST(CalendarDate, NanosecondsAndEras) {
    const auto calendar = calendarIn("UTC");
    DateComponents c = ymdhms(2026, 1, 1);
    c.nanosecond = 250'000'000;
    EXPECT_EQ(calendar.date(c), utc(2026, 1, 1, 0, 0, 0.25));
    DateComponents bc;
    bc.era = 0;
    bc.year = 1;
    bc.month = 12;
    bc.day = 31;
    auto lastBc = calendar.date(bc);
    ASSERT_TRUE(lastBc);
    DateComponents ad;
    ad.year = 1;
    EXPECT_EQ(calendar.date(ad), lastBc->addingTimeInterval(86400));
}

TEST(CalendarDate, WeekBasedFields) {
    const auto calendar = calendarIn("UTC");
    DateComponents third;
    third.year = 2026;
    third.month = 5;
    third.weekday = 2;          // Monday
    third.weekdayOrdinal = 3;   // the third of the month
    EXPECT_EQ(calendar.date(third), utc(2026, 5, 18));
    // A day of the month, when given, decides the day over a weekday.
    DateComponents both = ymdhms(2026, 5, 20);
    both.weekday = 2;
    EXPECT_EQ(calendar.date(both), utc(2026, 5, 20));
}

TEST(CalendarComponents, ReadsFieldsInTheZone) {
    const auto calendar = calendarIn("Pacific/Kiritimati");
    const Date instant = utc(2026, 12, 21, 15, 3, 27.5);   // 22 December 05:03:27.5 local
    const ComponentSet all{CalendarComponent::era,     CalendarComponent::year,       CalendarComponent::month,
                           CalendarComponent::day,     CalendarComponent::hour,       CalendarComponent::minute,
                           CalendarComponent::second,  CalendarComponent::nanosecond, CalendarComponent::weekday,
                           CalendarComponent::quarter, CalendarComponent::dayOfYear,  CalendarComponent::weekdayOrdinal};
    const DateComponents c = calendar.components(all, instant);
    EXPECT_EQ(c.era, 1);
    EXPECT_EQ(c.year, 2026);
    EXPECT_EQ(c.month, 12);
    EXPECT_EQ(c.day, 22);
    EXPECT_EQ(c.hour, 5);
    EXPECT_EQ(c.minute, 3);
    EXPECT_EQ(c.second, 27);
    EXPECT_EQ(c.nanosecond, 500'000'000);
    EXPECT_EQ(c.weekday, 3);   // Tuesday
    EXPECT_EQ(c.quarter, 4);
    EXPECT_EQ(c.dayOfYear, 356);
    EXPECT_EQ(c.weekdayOrdinal, 4);
    EXPECT_FALSE(c.weekOfYear);
    EXPECT_FALSE(c.timeZone);

    const DateComponents inUtc = calendar.components({CalendarComponent::day, CalendarComponent::hour}, instant,
                                                     platform::TimeZone::utc());
    EXPECT_EQ(inUtc.day, 21);
    EXPECT_EQ(inUtc.hour, 15);
}

TEST(CalendarComponents, WeekdayOneIsSundayInEveryLocale) {
    const Date sunday = utc(2026, 3, 15, 12);
    for (const char* locale : {"en_US", "en_GB", "de_DE", "ar_EG", "en_US_POSIX"}) {
        EXPECT_EQ(calendarIn("UTC", locale).component(CalendarComponent::weekday, sunday), 1) << locale;
    }
    // First weekday is the locale's: Monday-based weeks in Britain, Sunday-based in the US.
    EXPECT_EQ(calendarIn("UTC", "en_GB").ordinality(CalendarComponent::weekday, CalendarComponent::weekOfYear, sunday),
              7);
    EXPECT_EQ(calendarIn("UTC", "en_US").ordinality(CalendarComponent::weekday, CalendarComponent::weekOfYear, sunday),
              1);
}

TEST(CalendarComponents, UnrepresentableInstantsGiveNoFields) {
    const auto calendar = calendarIn("UTC");
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(), -1e300}) {
        const Date date = Date::fromSecondsSince1970(bad);
        EXPECT_EQ(calendar.components({CalendarComponent::year}, date), DateComponents{});
        EXPECT_EQ(calendar.component(CalendarComponent::year, date), 0);
    }
}

TEST(CalendarSwitch, JulianBefore15October1582) {
    const auto calendar = calendarIn("UTC");
    auto lastJulian = calendar.date(ymdhms(1582, 10, 4));
    auto firstGregorian = calendar.date(ymdhms(1582, 10, 15));
    ASSERT_TRUE(lastJulian && firstGregorian);
    EXPECT_EQ(firstGregorian->timeIntervalSince(*lastJulian), 86400.0);
    EXPECT_EQ(*firstGregorian, utc(1582, 10, 15));
    // 1500 was a leap year in the Julian calendar.
    EXPECT_EQ(calendar.date(ymdhms(1500, 2, 29)), calendar.date(ymdhms(1500, 3, 0)));
    EXPECT_EQ(calendar.component(CalendarComponent::day, *calendar.date(ymdhms(1500, 2, 29))), 29);
    // The days the switch left out run on leniently into the Gregorian days.
    EXPECT_EQ(calendar.date(ymdhms(1582, 10, 10)), utc(1582, 10, 20));
}

} // namespace
