#include "mooncalc/date_extensions.h"

#include "datehelper/date_arithmetic.h"
#include "datehelper/seconds_per_unit.h"
#include "platform/core/calendar.h"
#include "platform/core/date_formatter.h"

#include <cmath>

namespace mooncalc {
namespace {

using platform::Calendar;
using platform::CalendarComponent;
using platform::DateComponents;

std::string formatted(platform::Date date, const char* pattern) {
    platform::DateFormatter formatter;   // the user's locale and zone
    formatter.setDateFormat(pattern);
    return formatter.string(date);
}

int difference(CalendarComponent unit, platform::Date date, platform::Date from) {
    return Calendar::current().dateComponents({unit}, from, date).value(unit).value_or(0);
}

} // namespace

platform::Date startOfDate(platform::Date date) { return Calendar::current().startOfDay(date); }

std::optional<platform::Date> endOfDate(platform::Date date) {
    const Calendar calendar = Calendar::current();
    DateComponents lastSecond;
    lastSecond.day = 1;
    lastSecond.second = -1;
    return calendar.dateByAdding(lastSecond, calendar.startOfDay(date));
}

std::optional<std::int64_t> millisecondsSince1970(platform::Date date) noexcept {
    const double milliseconds = std::round(date.secondsSince1970() * 1000.0);   // halves away from zero
    // 2^63; NaN fails both tests.
    constexpr double limit = 9223372036854775808.0;
    if (!(milliseconds >= -limit && milliseconds < limit)) return std::nullopt;
    return static_cast<std::int64_t>(milliseconds);
}

platform::Date dateFromMilliseconds(std::int64_t milliseconds) noexcept {
    return platform::Date::fromSecondsSince1970(static_cast<double>(milliseconds / 1000));
}

std::optional<platform::Date> addDay(platform::Date date) {
    return Calendar::current().dateByAdding(CalendarComponent::day, 1, date);
}

platform::Date startOfMonth(platform::Date date) {
    const Calendar calendar = Calendar::current();
    const platform::Date start = calendar.startOfDay(date);
    const DateComponents month =
        calendar.components({CalendarComponent::era, CalendarComponent::year, CalendarComponent::month}, start);
    return calendar.date(month).value_or(start);
}

platform::Date endOfMonth(platform::Date date) {
    const platform::Date first = startOfMonth(date);
    DateComponents toLastDay;
    toLastDay.month = 1;
    toLastDay.day = -1;
    return Calendar::current().dateByAdding(toLastDay, first).value_or(first);
}

std::string toHHmm(platform::Date date) { return formatted(date, "HH:mm"); }
std::string dayText(platform::Date date) { return formatted(date, "d"); }
std::string monthText(platform::Date date) { return formatted(date, "LLLL"); }
std::string yearText(platform::Date date) { return formatted(date, "yyyy"); }

std::optional<platform::Date> startOfYear(platform::Date date) {
    const Calendar calendar = Calendar::current();
    DateComponents newYear = calendar.components({CalendarComponent::era, CalendarComponent::year}, date);
    if (!newYear.year) return std::nullopt;
    newYear.month = 1;
    newYear.day = 1;
    return calendar.date(newYear);
}

std::optional<platform::Date> startNextYear(platform::Date date) {
    const auto start = startOfYear(date);
    if (!start) return std::nullopt;
    return datehelper::adjust(*start, datehelper::DateComponentType::year, 1);
}

std::optional<platform::Date> previousYearStart(platform::Date date) {
    const auto start = startOfYear(date);
    if (!start) return std::nullopt;
    return datehelper::adjust(*start, datehelper::DateComponentType::year, -1);
}

platform::Date dayBefore(platform::Date date) { return datehelper::adjust(date, datehelper::DateComponentType::day, -1); }

platform::Date dayAfter(platform::Date date) { return datehelper::adjust(date, datehelper::DateComponentType::day, 1); }

std::optional<platform::Date> dateFrom(int year, int month, int day) {
    return Calendar::current().date({.year = year, .month = month, .day = day});
}

std::vector<platform::Date> allDates(platform::Date date, platform::Date till) {
    // The count of dates is the bound; an end more than a day of slack beyond
    // it (clock changes move a local day by hours, not by a whole day) is
    // refused at once, without stepping through the days.
    constexpr double longestSpan = (allDatesDayLimit + 2) * datehelper::dayInSeconds;
    if (!std::isfinite(till.secondsSince1970()) || !(till.timeIntervalSince(date) <= longestSpan)) return {};
    std::vector<platform::Date> dates;
    const Calendar calendar = Calendar::current();
    std::optional<platform::Date> next = date;
    while (next && *next <= till) {
        if (dates.size() > allDatesDayLimit) return {};
        dates.push_back(*next);
        next = calendar.dateByAdding(CalendarComponent::day, 1, *next);
    }
    return dates;
}

int years(platform::Date date, platform::Date from) { return difference(CalendarComponent::year, date, from); }
int months(platform::Date date, platform::Date from) { return difference(CalendarComponent::month, date, from); }
int weeks(platform::Date date, platform::Date from) { return difference(CalendarComponent::weekOfMonth, date, from); }
int days(platform::Date date, platform::Date from) { return difference(CalendarComponent::day, date, from); }
int hours(platform::Date date, platform::Date from) { return difference(CalendarComponent::hour, date, from); }
int minutes(platform::Date date, platform::Date from) { return difference(CalendarComponent::minute, date, from); }
int seconds(platform::Date date, platform::Date from) { return difference(CalendarComponent::second, date, from); }
int offset(platform::Date date, platform::Date from) { return months(date, from); }

} // namespace mooncalc
