#include "datehelper/date_comparisons.h"

#include "datehelper/date_arithmetic.h"
#include "platform/core/julian_day_numbers.h"

#include <compare>
#include <cstdint>
#include <optional>

namespace datehelper {

using platform::CalendarComponent;
using platform::Date;
using platform::TimeZone;

namespace {

std::optional<std::strong_ordering> dayOrder(Date date, Date other, const TimeZone& timeZone) {
    return calendar(timeZone).compare(date, other, CalendarComponent::day);
}

ComparisonResult resultOf(std::strong_ordering order) {
    if (order < 0) return ComparisonResult::orderedAscending;
    if (order > 0) return ComparisonResult::orderedDescending;
    return ComparisonResult::orderedSame;
}

// The device zone's fields of both dates, read once each. The year is
// astronomical: the calendar's year counts within its era, so that 1 BC and
// 1 AD would both be year 1. The week is the Sunday-first week counted
// straight through the years from the day's number, not the calendar's week of
// the year: ICU looks for the turn to week 1 of the next year only from week
// 52 on, and 1582, short of the ten days the reform dropped, ends in week 51.
struct Fields {
    std::int64_t year;
    int month, day;
    std::int64_t week;
};

// None for an instant the calendar cannot place: it has no fields to match,
// not fields that read as 0 and so match another such instant.
std::optional<Fields> fieldsOf(const platform::Calendar& deviceCalendar, Date date) {
    const platform::DateComponents c = deviceCalendar.components(
        {CalendarComponent::era, CalendarComponent::year, CalendarComponent::month, CalendarComponent::day}, date);
    if (!c.era || !c.year || !c.month || !c.day) return std::nullopt;
    const std::int64_t year = astronomy::astronomicalYear(*c.era, std::int64_t{*c.year});
    const std::int64_t dayNumber = astronomy::dayNumberOfCivilDate(year, *c.month, *c.day);
    // Day numbers count from a Monday: day + 1 is a multiple of 7 on Sundays.
    return Fields{year, *c.month, *c.day, astronomy::floorDivide(dayNumber + 1, 7)};
}

using Kind = DateComparisonType::Kind;

bool compareWith(Date date, Kind kind, Date other) {
    const platform::Calendar deviceCalendar = calendar(TimeZone::current());
    const std::optional<Fields> placedA = fieldsOf(deviceCalendar, date);
    const std::optional<Fields> placedB = fieldsOf(deviceCalendar, other);
    if (!placedA || !placedB) return false;
    const Fields& a = *placedA;
    const Fields& b = *placedB;
    switch (kind) {
    case Kind::isSameDay: return a.year == b.year && a.month == b.month && a.day == b.day;
    case Kind::isSameWeek: return a.week == b.week;
    case Kind::isSameMonth: return a.year == b.year && a.month == b.month;
    case Kind::isSameYear: return a.year == b.year;
    default: return false;
    }
}

} // namespace

ComparisonResult isSameMonth(Date date, const TimeZone& timeZone) {
    return isSameMonth(date, timeZone, Date::now());
}

ComparisonResult isSameMonth(Date date, const TimeZone& timeZone, Date now) {
    if (const auto order = calendar(timeZone).compare(date, now, CalendarComponent::month)) return resultOf(*order);
    // Instants the calendar cannot place are ordered by time alone.
    if (date < now) return ComparisonResult::orderedAscending;
    if (now < date) return ComparisonResult::orderedDescending;
    return ComparisonResult::orderedSame;
}

bool isSameDate(Date date, Date other, const TimeZone& timeZone) {
    const auto order = dayOrder(date, other, timeZone);
    return order && *order == 0;
}

bool isBeforeDate(Date date, Date other, const TimeZone& timeZone) {
    const auto order = dayOrder(date, other, timeZone);
    return order && *order < 0;
}

bool isAfterDate(Date date, Date other, const TimeZone& timeZone) {
    const auto order = dayOrder(date, other, timeZone);
    return order && *order > 0;
}

bool compare(Date date, const DateComparisonType& type, const TimeZone& timeZone) {
    return compare(date, type, timeZone, Date::now());
}

bool compare(Date date, const DateComparisonType& type, const TimeZone& timeZone, Date now) {
    auto fromNow = [&](DateComponentType unit, int offset) { return adjust(now, unit, offset); };
    switch (type.kind()) {
    case Kind::isSameDay:
    case Kind::isSameWeek:
    case Kind::isSameMonth:
    case Kind::isSameYear: return compareWith(date, type.kind(), type.other());
    case Kind::isEarlier: return date <= type.other();   // false for NaN
    case Kind::isLater: return date >= type.other();
    case Kind::isToday: return compareWith(date, Kind::isSameDay, now);
    case Kind::isTomorrow: return compareWith(date, Kind::isSameDay, fromNow(DateComponentType::day, 1));
    case Kind::isYesterday: return compareWith(date, Kind::isSameDay, fromNow(DateComponentType::day, -1));
    case Kind::isThisWeek: return compareWith(date, Kind::isSameWeek, now);
    case Kind::isNextWeek: return compareWith(date, Kind::isSameWeek, fromNow(DateComponentType::week, 1));
    case Kind::isLastWeek: return compareWith(date, Kind::isSameWeek, fromNow(DateComponentType::week, -1));
    case Kind::isThisMonth: return compareWith(date, Kind::isSameMonth, now);
    case Kind::isNextMonth: return compareWith(date, Kind::isSameMonth, fromNow(DateComponentType::month, 1));
    case Kind::isLastMonth: return compareWith(date, Kind::isSameMonth, fromNow(DateComponentType::month, -1));
    case Kind::isThisYear: return compareWith(date, Kind::isSameYear, now);
    case Kind::isNextYear: return compareWith(date, Kind::isSameYear, fromNow(DateComponentType::year, 1));
    case Kind::isLastYear: return compareWith(date, Kind::isSameYear, fromNow(DateComponentType::year, -1));
    case Kind::isInTheFuture: return compare(date, DateComparisonType::isLater(now), timeZone, now);
    case Kind::isInThePast: return compare(date, DateComparisonType::isEarlier(now), timeZone, now);
    case Kind::isWeekday:
    case Kind::isWeekend: {
        const int weekday = component(date, DateComponentType::weekday);   // 0 when the calendar cannot place it
        const bool weekend = weekday == 1 || weekday == 7;                  // Sunday, Saturday
        return weekday != 0 && (type.kind() == Kind::isWeekend) == weekend;
    }
    }
    return false;
}

} // namespace datehelper
