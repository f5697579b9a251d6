#include "engine/easter.h"

#include "engine/internal/local_day.h"
#include "platform/core/calendar.h"

namespace engine {

using platform::Calendar;
using platform::Date;

namespace {

struct MonthDay {
    int month;
    int day;
};

// The first year of the Gregorian calendar, whose reform of 1582 (in October,
// after that year's Easter) also reformed the computus.
constexpr int firstGregorianYear = 1583;

// The anonymous Gregorian algorithm (Meeus, Astronomical Algorithms, ch. 8).
// Divisions and remainders truncate toward zero, as the published form does.
constexpr MonthDay gregorianEasterSunday(int year) {
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int n = h + l - 7 * m + 114;
    return {n / 31, n % 31 + 1};
}

// The Julian algorithm (Meeus, Astronomical Algorithms, ch. 8), a day of the
// Julian calendar. Remainders are taken toward the past, so that the 4-, 7- and
// 19-year cycles run on through year 0 and before it.
constexpr MonthDay julianEasterSunday(int year) {
    const auto cycle = [year](int length) { return (year % length + length) % length; };
    const int a = cycle(4);
    const int b = cycle(7);
    const int c = cycle(19);
    const int d = (19 * c + 15) % 30;
    const int e = (2 * a + 4 * b - d + 34) % 7;
    const int n = d + e + 114;
    return {n / 31, n % 31 + 1};
}

constexpr MonthDay easterSunday(int year) {
    return year >= firstGregorianYear ? gregorianEasterSunday(year) : julianEasterSunday(year);
}

Date easterStep(int year, int days) {
    const Calendar calendar = detail::userCalendar();
    const MonthDay sunday = easterSunday(year);
    const auto midnight = detail::startOfLocalDay(calendar, year, sunday.month, sunday.day);
    if (!midnight)
        return Date::now();
    if (days == 0)
        return *midnight;
    return detail::orPresentMoment(calendar.dateByAdding(platform::CalendarComponent::day, days, *midnight));
}

} // namespace

Date calculateEaster(int year) { return easterStep(year, 0); }
Date calculateGoodFriday(int year) { return easterStep(year, -2); }
Date calculateEasterMonday(int year) { return easterStep(year, 1); }

} // namespace engine
