// Days, intervals, ordinals, ranges and differences.

#include "dates_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using dates_test::calendarIn;
using dates_test::utc;
using dates_test::ymdhms;
using platform::CalendarComponent;
using platform::Date;
using platform::DateComponents;
using platform::DateInterval;
using platform::ValueRange;
using C = platform::CalendarComponent;

TEST(StartOfDay, LocalMidnightOrTheFirstMomentOfTheDay) {
    const auto london = calendarIn("Europe/London");
    EXPECT_EQ(london.startOfDay(utc(2024, 3, 10, 23, 59, 59.9)), utc(2024, 3, 10));
    EXPECT_EQ(london.startOfDay(utc(2024, 3, 10)), utc(2024, 3, 10));
    EXPECT_EQ(london.startOfDay(utc(2026, 7, 1, 0, 30)), utc(2026, 6, 30, 23));   // 01:30 BST
    const auto havana = calendarIn("America/Havana");
    EXPECT_EQ(havana.startOfDay(utc(2026, 3, 8, 20)), utc(2026, 3, 8, 5));    // midnight skipped: 01:00
    EXPECT_EQ(havana.startOfDay(utc(2026, 11, 1, 5, 30)), utc(2026, 11, 1, 4));   // repeated: the first
    EXPECT_EQ(calendarIn("Pacific/Kiritimati").startOfDay(utc(2026, 6, 1, 9)), utc(2026, 5, 31, 10));
    const Date nan = Date::fromSecondsSince1970(std::nan(""));
    EXPECT_TRUE(std::isnan(london.startOfDay(nan).secondsSince1970()));
}

TEST(SameDay, ComparesLocalDays) {
    const auto london = calendarIn("Europe/London");
    EXPECT_FALSE(london.isDate(utc(2024, 3, 10, 23, 30), utc(2024, 3, 11, 0, 10)));
    EXPECT_TRUE(london.isDate(utc(2024, 3, 10), utc(2024, 3, 10, 23, 59)));
    // 23:30 and 00:30 UTC on either side of midnight are one day two hours east.
    const Date lateEvening = utc(2024, 3, 11, 23, 30);
    const Date pastMidnight = utc(2024, 3, 12, 0, 30);
    EXPECT_FALSE(calendarIn("UTC").isDate(lateEvening, pastMidnight));
    const auto twoHoursEast = platform::Calendar::gregorian(*platform::TimeZone::withSecondsFromGMT(7200),
                                                            platform::Locale::withIdentifier("en_GB"));
    EXPECT_TRUE(twoHoursEast.isDate(lateEvening, pastMidnight));
    EXPECT_FALSE(london.isDate(Date::fromSecondsSince1970(std::nan("")), utc(2024, 3, 10)));
}

TEST(Ordinality, DayInEraCountsStraightThroughTheSwitch) {
    const auto calendar = calendarIn("UTC");
    auto dayInEra = [&](Date d) { return calendar.ordinality(C::day, C::era, d); };
    EXPECT_EQ(dayInEra(*calendar.date(ymdhms(1, 1, 1))), 1);
    EXPECT_EQ(dayInEra(*calendar.date(ymdhms(1, 1, 2))), 2);
    EXPECT_EQ(*dayInEra(utc(1582, 10, 15)) - *dayInEra(*calendar.date(ymdhms(1582, 10, 4))), 1);
    EXPECT_EQ(*dayInEra(utc(2024, 3, 1)) - *dayInEra(utc(2024, 2, 29, 23, 59)), 1);
    EXPECT_EQ(*dayInEra(utc(2026, 1, 1)) - *dayInEra(utc(1970, 1, 1)), 20454);
    // One year and one day apart in calendar units, half an hour in time.
    const auto london = calendarIn("Europe/London");
    EXPECT_EQ(*london.ordinality(C::day, C::era, utc(2024, 1, 1, 0, 30)) -
                  *london.ordinality(C::day, C::era, utc(2023, 12, 31, 23)),
              1);
    EXPECT_EQ(*london.ordinality(C::year, C::era, utc(2024, 1, 1, 0, 30)) -
                  *london.ordinality(C::year, C::era, utc(2023, 12, 31, 23)),
              1);
    EXPECT_EQ(*london.ordinality(C::month, C::era, utc(2024, 3, 1)) -
                  *london.ordinality(C::month, C::era, utc(2023, 2, 28)),
              13);
}

TEST(Ordinality, WithinYearsMonthsWeeksAndDays) {
    const auto calendar = calendarIn("UTC", "en_GB");
    const Date d = utc(2026, 12, 21, 15, 3, 27);   // Monday
    EXPECT_EQ(calendar.ordinality(C::day, C::month, d), 21);
    EXPECT_EQ(calendar.ordinality(C::day, C::year, d), 355);
    EXPECT_EQ(calendar.ordinality(C::month, C::year, d), 12);
    EXPECT_EQ(calendar.ordinality(C::quarter, C::year, d), 4);
    EXPECT_EQ(calendar.ordinality(C::weekday, C::month, d), 3);
    EXPECT_EQ(calendar.ordinality(C::day, C::weekOfYear, d), 1);   // Monday starts the British week
    EXPECT_EQ(calendar.ordinality(C::hour, C::day, d), 16);
    EXPECT_EQ(calendar.ordinality(C::minute, C::hour, d), 4);
    EXPECT_EQ(calendar.ordinality(C::second, C::minute, d), 28);
    EXPECT_EQ(calendar.ordinality(C::year, C::era, d), 2026);
    EXPECT_FALSE(calendar.ordinality(C::year, C::day, d));
    EXPECT_FALSE(calendar.ordinality(C::day, C::month, Date::fromSecondsSince1970(1e300)));
}

TEST(Range, DaysInMonthAndYear) {
    const auto calendar = calendarIn("UTC");
    EXPECT_EQ(calendar.range(C::day, C::month, utc(2024, 2, 10)), (ValueRange{1, 30}));
    EXPECT_EQ(calendar.range(C::day, C::month, utc(2023, 2, 10)), (ValueRange{1, 29}));
    EXPECT_EQ(calendar.range(C::day, C::month, utc(1900, 2, 10)), (ValueRange{1, 29}));
    EXPECT_EQ(calendar.range(C::day, C::month, utc(2000, 2, 10)), (ValueRange{1, 30}));
    EXPECT_EQ(calendar.range(C::day, C::month, utc(2023, 4, 10)), (ValueRange{1, 31}));
    EXPECT_EQ(calendar.range(C::day, C::month, utc(2023, 4, 10)).value().count(), 30);
    EXPECT_EQ(calendar.range(C::day, C::year, utc(2024, 6, 1)), (ValueRange{1, 367}));
    EXPECT_EQ(calendar.range(C::day, C::year, utc(1582, 6, 1)), (ValueRange{1, 356}));
    EXPECT_EQ(calendar.range(C::month, C::year, utc(2024, 6, 1)), (ValueRange{1, 13}));
    EXPECT_EQ(calendar.range(C::hour, C::day, utc(2024, 6, 1)), (ValueRange{0, 24}));
    // The zone decides which month holds an instant near a month's end.
    EXPECT_EQ(calendarIn("America/New_York").range(C::day, C::month, utc(2024, 3, 1, 2)), (ValueRange{1, 30}));
    EXPECT_EQ(calendar.range(C::day, C::month, utc(2024, 3, 1, 2)), (ValueRange{1, 32}));
    EXPECT_FALSE(calendar.range(C::year, C::day, utc(2024, 6, 1)));
}

TEST(DateIntervalOf, DaysMonthsYearsAndWeeks) {
    const auto london = calendarIn("Europe/London", "en_GB");
    EXPECT_EQ(london.dateInterval(C::day, utc(2026, 3, 29, 12)), (DateInterval{utc(2026, 3, 29), 23 * 3600.0}));
    EXPECT_EQ(london.dateInterval(C::day, utc(2026, 10, 25, 12)),
              (DateInterval{utc(2026, 10, 24, 23), 25 * 3600.0}));
    EXPECT_EQ(london.dateInterval(C::month, utc(2024, 2, 10, 15, 20, 33)),
              (DateInterval{utc(2024, 2, 1), 29 * 86400.0}));
    EXPECT_EQ(london.dateInterval(C::year, utc(2026, 6, 1)), (DateInterval{utc(2026, 1, 1), 365 * 86400.0}));
    // British weeks start on Monday; 15 May 2024 was a Wednesday.
    EXPECT_EQ(london.dateInterval(C::weekOfYear, utc(2024, 5, 15, 9, 30)),
              (DateInterval{utc(2024, 5, 12, 23), 7 * 86400.0}));
    EXPECT_EQ(calendarIn("UTC", "en_US").dateInterval(C::weekOfYear, utc(2024, 5, 15, 9, 30)),
              (DateInterval{utc(2024, 5, 12), 7 * 86400.0}));
    EXPECT_EQ(london.dateInterval(C::hour, utc(2026, 6, 1, 9, 30, 15.5)),
              (DateInterval{utc(2026, 6, 1, 9), 3600.0}));
    const auto havana = calendarIn("America/Havana");
    EXPECT_EQ(havana.dateInterval(C::day, utc(2026, 3, 8, 20)), (DateInterval{utc(2026, 3, 8, 5), 23 * 3600.0}));
    EXPECT_FALSE(london.dateInterval(C::era, utc(2026, 6, 1)));
    EXPECT_FALSE(london.dateInterval(C::day, Date::fromSecondsSince1970(std::nan(""))));
}

TEST(Differences, WholeUnitsLargestFirst) {
    const auto calendar = calendarIn("UTC");
    const platform::ComponentSet ymd{C::year, C::month, C::day};
    DateComponents d = calendar.dateComponents(ymd, utc(2023, 3, 2), utc(2024, 3, 1));
    EXPECT_EQ(d.year, 0);
    EXPECT_EQ(d.month, 11);
    EXPECT_EQ(d.day, 28);
    EXPECT_EQ(calendar.dateComponents({C::month}, utc(2023, 3, 2), utc(2024, 3, 1)).month, 11);
    EXPECT_EQ(calendar.dateComponents({C::month}, utc(2024, 3, 1), utc(2023, 3, 2)).month, -11);
    EXPECT_EQ(calendar.dateComponents({C::year}, utc(2024, 3, 1), utc(2023, 3, 2)).year, 0);
    EXPECT_EQ(calendar.dateComponents({C::day}, utc(2024, 3, 10), utc(2024, 3, 31)).day, 21);
    EXPECT_EQ(calendar.dateComponents({C::day}, utc(2024, 2, 1), utc(2024, 3, 1)).day, 29);
    EXPECT_EQ(calendar.dateComponents({C::month, C::day}, utc(2024, 1, 31), utc(2024, 3, 1)),
              ([] {
                  DateComponents c;
                  c.month = 1;
                  c.day = 1;
                  return c;
              }()));
    DateComponents hms = calendar.dateComponents({C::hour, C::minute, C::second}, utc(2024, 2, 29, 23, 59, 50),
                                                 utc(2024, 3, 1, 1, 1, 10));
    EXPECT_EQ(hms.hour, 1);
    EXPECT_EQ(hms.minute, 1);
    EXPECT_EQ(hms.second, 20);
    EXPECT_EQ(calendar.dateComponents({C::minute}, utc(2024, 1, 1), utc(2024, 1, 1, 0, 59, 59)).minute, 59);
    EXPECT_EQ(calendar.dateComponents({C::hour}, utc(2024, 1, 1), utc(2024, 1, 1, 0, 59, 59)).hour, 0);
    EXPECT_EQ(calendar.dateComponents({C::hour}, utc(2024, 1, 1, 1, 29, 59), utc(2024, 1, 1)).hour, -1);
    EXPECT_EQ(calendar.dateComponents({C::weekOfYear}, utc(2024, 1, 1), utc(2024, 1, 22)).weekOfYear, 3);
    EXPECT_EQ(calendar.dateComponents({C::day}, utc(2026, 1, 1), Date::fromSecondsSince1970(std::nan(""))),
              DateComponents{});
}

TEST(Differences, DaysAcrossClockChangesAreCalendarDays) {
    const auto london = calendarIn("Europe/London");
    const platform::ComponentSet dayHour{C::day, C::hour};
    DateComponents d = london.dateComponents(dayHour, *london.date(ymdhms(2026, 3, 28, 12)),
                                             *london.date(ymdhms(2026, 3, 30, 12)));
    EXPECT_EQ(d.day, 2);
    EXPECT_EQ(d.hour, 0);
    EXPECT_EQ(london.dateComponents({C::day}, *london.date(ymdhms(2026, 3, 10)), *london.date(ymdhms(2026, 3, 31)))
                  .day,
              21);
    EXPECT_EQ(london.dateComponents({C::hour}, *london.date(ymdhms(2026, 3, 29)), *london.date(ymdhms(2026, 3, 30)))
                  .hour,
              23);
}

TEST(CompareAtGranularity, SameUnitIsEqualOtherwiseByTime) {
    const auto utcCalendar = calendarIn("UTC");
    const auto twoHoursEast = platform::Calendar::gregorian(*platform::TimeZone::withSecondsFromGMT(7200),
                                                            platform::Locale::withIdentifier("en_GB"));
    const Date lateEvening = utc(2024, 3, 11, 23, 30);
    const Date pastMidnight = utc(2024, 3, 12, 0, 30);
    EXPECT_EQ(utcCalendar.compare(lateEvening, pastMidnight, C::day), std::strong_ordering::less);
    EXPECT_EQ(utcCalendar.compare(pastMidnight, lateEvening, C::day), std::strong_ordering::greater);
    EXPECT_EQ(twoHoursEast.compare(lateEvening, pastMidnight, C::day), std::strong_ordering::equal);
    EXPECT_EQ(utcCalendar.compare(lateEvening, pastMidnight, C::month), std::strong_ordering::equal);
    EXPECT_EQ(utcCalendar.compare(utc(2024, 3, 1), utc(2025, 3, 1), C::month), std::strong_ordering::less);
    EXPECT_EQ(utcCalendar.compare(utc(2024, 12, 31, 23), utc(2024, 1, 1), C::year), std::strong_ordering::equal);
    EXPECT_FALSE(utcCalendar.compare(lateEvening, Date::fromSecondsSince1970(1e300), C::day));
    EXPECT_FALSE(utcCalendar.compare(lateEvening, pastMidnight, C::era));
}

} // namespace
