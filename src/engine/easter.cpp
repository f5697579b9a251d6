#include "engine/easter.h"

#include "engine/calendar_steps.h"
#include "platform/core/calendar.h"

namespace engine {

using platform::Calendar;
using platform::Date;

namespace {

struct MonthDay {
    int month;
    int day;
};

// The anonymous Gregorian algorithm (Meeus, Astronomical Algorithms, ch. 8).
// Divisions and remainders truncate toward zero, as the published form does.
constexpr MonthDay easterSunday(int year) {
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

Date easterStep(int year, int days) {
    const Calendar calendar = Calendar::current();
    const MonthDay sunday = easterSunday(year);
    const auto midnight = detail::localMidnight(calendar, year, sunday.month, sunday.day);
    if (!midnight)
        return Date::now();
    if (days == 0)
        return *midnight;
    return calendar.dateByAdding(platform::CalendarComponent::day, days, *midnight).value_or(Date::now());
}

} // namespace

Date calculateEaster(int year) { return easterStep(year, 0); }
Date calculateGoodFriday(int year) { return easterStep(year, -2); }
Date calculateEasterMonday(int year) { return easterStep(year, 1); }

} // namespace engine
