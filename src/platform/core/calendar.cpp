#include "platform/core/calendar.h"

#include "platform/core/internal/calendar_fields.h"
#include "platform/core/internal/icu_support.h"
#include "platform/core/julian_day_numbers.h"
#include "platform/core/internal/wall_clock.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace platform {

using calendar_fields::LocalTime;
using icu_support::CalendarLease;

Calendar Calendar::current() {
    return Calendar(TimeZone::current(), Locale::current());
}

Calendar Calendar::gregorian(TimeZone zone, Locale locale) {
    return Calendar(std::move(zone), std::move(locale));
}

namespace {

// A rough size, in days, of everything the components add up to. ICU computes
// Julian day numbers in 32 bits and clamps instants beyond its range instead of
// failing, so components that could reach that far are refused beforehand.
bool withinCalendarRange(const DateComponents& c) {
    if (c.era && *c.era != 0 && *c.era != 1) return false;
    double days = 0.0;
    auto count = [&days](const std::optional<int>& value, double daysPerUnit) {
        if (value) days += std::fabs(static_cast<double>(*value)) * daysPerUnit;
    };
    count(c.year, 366.0);
    count(c.yearForWeekOfYear, 366.0);
    count(c.quarter, 92.0);
    count(c.month, 31.0);
    count(c.weekOfYear, 7.0);
    count(c.weekOfMonth, 7.0);
    count(c.weekdayOrdinal, 7.0);
    count(c.weekday, 1.0);
    count(c.dayOfYear, 1.0);
    count(c.day, 1.0);
    count(c.hour, 1.0 / 24.0);
    count(c.minute, 1.0 / 1440.0);
    count(c.second, 1.0 / 86400.0);
    count(c.nanosecond, 1.0 / 86400e9);
    return days < icu_support::limitDays - 1000.0;
}

std::optional<Date> checked(double seconds) {
    if (!icu_support::isRepresentableSeconds(seconds)) return std::nullopt;
    return Date::fromSecondsSince1970(seconds);
}

std::optional<Date> addElapsed(Date to, std::int64_t count, double secondsPerUnit) {
    return checked(to.secondsSince1970() + static_cast<double>(count) * secondsPerUnit);
}

// Counts beyond twice the calendar's span can only leave it; refusing them early
// also keeps the multiplications below from overflowing.
bool plausibleDayCount(std::int64_t days) {
    constexpr auto bound = static_cast<std::int64_t>(2 * icu_support::limitDays);
    return days >= -bound && days <= bound;
}

std::optional<Date> atWallTime(icu::GregorianCalendar& calendar, std::int64_t julianDay, const LocalTime& time) {
    constexpr auto bound = static_cast<std::int64_t>(icu_support::limitDays) + 2;
    const std::int64_t sinceEpoch = julianDay - calendar_fields::julianDayOf1970;
    if (sinceEpoch < -bound || sinceEpoch > bound) return std::nullopt;
    return calendar_fields::instantOfWallTime(calendar, static_cast<std::int32_t>(julianDay), time.hour,
                                              time.minute, time.second, time.millisecond);
}

std::optional<Date> addDays(icu::GregorianCalendar& calendar, Date to, std::int64_t days) {
    if (!plausibleDayCount(days)) return std::nullopt;
    auto local = calendar_fields::localTime(calendar, to);
    if (!local) return std::nullopt;
    return atWallTime(calendar, local->julianDay + days, *local);
}

// The same day number and wall time in the target month, or the month's last day.
std::optional<Date> addMonths(icu::GregorianCalendar& calendar, Date to, std::int64_t months) {
    if (!plausibleDayCount(months)) return std::nullopt;
    auto local = calendar_fields::localTime(calendar, to);
    if (!local) return std::nullopt;
    const std::int64_t monthIndex = std::int64_t{local->extendedYear} * 12 + local->month0 + months;
    const std::int64_t year = calendar_fields::floorDivide(monthIndex, 12);
    const auto month0 = static_cast<std::int32_t>(calendar_fields::floorModulo(monthIndex, 12));
    const std::int64_t day = std::min<std::int64_t>(local->day, calendar_fields::monthLength(year, month0));
    return atWallTime(calendar, calendar_fields::julianDayOf(year, month0, day), *local);
}

// Gregorian has two eras; stepping from one to the other keeps the year number
// within the era (1 AD to 1 BC).
std::optional<Date> addEras(icu::GregorianCalendar& calendar, Date to, std::int64_t eras) {
    if (eras < -1 || eras > 1) return std::nullopt;
    auto local = calendar_fields::localTime(calendar, to);
    if (!local) return std::nullopt;
    const std::int64_t era = local->era + eras;
    if (era != 0 && era != 1) return std::nullopt;
    const std::int64_t year = astronomy::astronomicalYear(static_cast<int>(era), std::int64_t{local->year});
    const std::int64_t day = std::min<std::int64_t>(local->day, calendar_fields::monthLength(year, local->month0));
    return atWallTime(calendar, calendar_fields::julianDayOf(year, local->month0, day), *local);
}

} // namespace

std::optional<Date> Calendar::date(const DateComponents& c) const {
    if (!withinCalendarRange(c)) return std::nullopt;
    CalendarLease lease(c.timeZone ? *c.timeZone : zone_, locale_);
    icu::GregorianCalendar& calendar = *lease;
    const int nanosecond = c.nanosecond.value_or(0);
    // A day of the month, resolved as the calendar resolves it (ICU's year, month
    // and day of the month, the year within the era), without the calendar.
    if (!c.yearForWeekOfYear && !c.weekOfYear && !c.weekOfMonth && !c.weekdayOrdinal && !c.weekday &&
        !c.dayOfYear) {
        const std::int64_t year = c.year.value_or(1);
        const std::int64_t extendedYear = c.era && *c.era == 0 ? 1 - year : year;
        const std::int64_t julianDay =
            calendar_fields::julianDayOf(extendedYear, std::int64_t{c.month.value_or(1)} - 1, c.day.value_or(1));
        const double millisInDay =
            wall_clock::millisInDay(c.hour.value_or(0), c.minute.value_or(0), c.second.value_or(0),
                                    nanosecond / 1'000'000);
        if (auto millis = wall_clock::instantOf(calendar, julianDay, millisInDay,
                                                calendar.getSkippedWallTimeOption())) {
            return checked(*millis / 1000.0 + (nanosecond % 1'000'000) * 1e-9);
        }
    }
    calendar.clear();   // otherwise ICU keeps the fields of the calendar's last instant
    // ICU resolves competing fields by the order they were set in: week-based
    // fields go first so that a day of the month, when given, decides the day.
    auto set = [&calendar](UCalendarDateFields field, const std::optional<int>& value, int offset = 0) {
        if (value) calendar.set(field, *value + offset);
    };
    set(UCAL_YEAR_WOY, c.yearForWeekOfYear);
    set(UCAL_WEEK_OF_YEAR, c.weekOfYear);
    set(UCAL_WEEK_OF_MONTH, c.weekOfMonth);
    set(UCAL_DAY_OF_WEEK_IN_MONTH, c.weekdayOrdinal);
    set(UCAL_DAY_OF_WEEK, c.weekday);
    set(UCAL_DAY_OF_YEAR, c.dayOfYear);
    set(UCAL_ERA, c.era);
    if (c.year) {
        calendar.set(UCAL_YEAR, *c.year);
    } else if (!c.yearForWeekOfYear) {
        calendar.set(UCAL_YEAR, 1);   // an absent year is year 1, not ICU's 1970
    }
    set(UCAL_MONTH, c.month, -1);     // ICU counts months from 0
    set(UCAL_DATE, c.day);
    set(UCAL_HOUR_OF_DAY, c.hour);
    set(UCAL_MINUTE, c.minute);
    set(UCAL_SECOND, c.second);
    calendar.set(UCAL_MILLISECOND, nanosecond / 1'000'000);
    UErrorCode status = U_ZERO_ERROR;
    const UDate millis = calendar.getTime(status);
    if (U_FAILURE(status)) return std::nullopt;
    return checked(millis / 1000.0 + (nanosecond % 1'000'000) * 1e-9);
}

DateComponents Calendar::components(ComponentSet wanted, Date date) const {
    return components(wanted, date, zone_);
}

DateComponents Calendar::components(ComponentSet wanted, Date date, const TimeZone& zone) const {
    DateComponents out;
    if (!icu_support::isRepresentable(date) || wanted.empty()) return out;
    CalendarLease lease(zone, locale_);
    icu::GregorianCalendar& calendar = *lease;
    const UDate millis = icu_support::toUDate(date);
    UErrorCode status = U_ZERO_ERROR;
    calendar.setTime(millis, status);
    auto read = [&](CalendarComponent component, UCalendarDateFields field, int offset = 0) {
        if (wanted.contains(component)) out.setValue(component, calendar.get(field, status) + offset);
    };
    read(CalendarComponent::era, UCAL_ERA);
    read(CalendarComponent::year, UCAL_YEAR);
    read(CalendarComponent::month, UCAL_MONTH, 1);
    read(CalendarComponent::day, UCAL_DATE);
    read(CalendarComponent::hour, UCAL_HOUR_OF_DAY);
    read(CalendarComponent::minute, UCAL_MINUTE);
    read(CalendarComponent::second, UCAL_SECOND);
    read(CalendarComponent::weekday, UCAL_DAY_OF_WEEK);
    read(CalendarComponent::weekdayOrdinal, UCAL_DAY_OF_WEEK_IN_MONTH);
    read(CalendarComponent::weekOfMonth, UCAL_WEEK_OF_MONTH);
    read(CalendarComponent::weekOfYear, UCAL_WEEK_OF_YEAR);
    read(CalendarComponent::yearForWeekOfYear, UCAL_YEAR_WOY);
    read(CalendarComponent::dayOfYear, UCAL_DAY_OF_YEAR);
    if (wanted.contains(CalendarComponent::quarter)) out.quarter = calendar.get(UCAL_MONTH, status) / 3 + 1;
    if (wanted.contains(CalendarComponent::nanosecond)) {
        const double fraction = millis - std::floor(millis);
        const double nanos = calendar.get(UCAL_MILLISECOND, status) * 1e6 + std::round(fraction * 1e6);
        out.nanosecond = static_cast<int>(std::min(nanos, 999'999'999.0));
    }
    if (U_FAILURE(status)) return DateComponents{};
    return out;
}

int Calendar::component(CalendarComponent component, Date date) const {
    return components(ComponentSet{component}, date).value(component).value_or(0);
}

std::optional<Date> Calendar::dateByAdding(CalendarComponent component, std::int64_t value, Date to) const {
    if (!icu_support::isRepresentable(to)) return std::nullopt;
    if (value == 0) return to;
    switch (component) {
    case CalendarComponent::hour: return addElapsed(to, value, 3600.0);
    case CalendarComponent::minute: return addElapsed(to, value, 60.0);
    case CalendarComponent::second: return addElapsed(to, value, 1.0);
    case CalendarComponent::nanosecond: return addElapsed(to, value, 1e-9);
    default: break;
    }
    CalendarLease lease(zone_, locale_);
    switch (component) {
    case CalendarComponent::day:
    case CalendarComponent::weekday:
    case CalendarComponent::dayOfYear:
        return addDays(*lease, to, value);
    case CalendarComponent::weekOfYear:
    case CalendarComponent::weekOfMonth:
    case CalendarComponent::weekdayOrdinal:
        if (!plausibleDayCount(value)) return std::nullopt;
        return addDays(*lease, to, value * 7);
    case CalendarComponent::month:
        return addMonths(*lease, to, value);
    case CalendarComponent::quarter:
        if (!plausibleDayCount(value)) return std::nullopt;
        return addMonths(*lease, to, value * 3);
    case CalendarComponent::year:
    case CalendarComponent::yearForWeekOfYear:
        if (!plausibleDayCount(value)) return std::nullopt;
        return addMonths(*lease, to, value * 12);
    case CalendarComponent::era:
        return addEras(*lease, to, value);
    default:
        return std::nullopt;
    }
}

std::optional<Date> Calendar::dateByAdding(const DateComponents& amounts, Date to) const {
    if (!icu_support::isRepresentable(to)) return std::nullopt;
    // Largest unit first, each step from the previous result: 31 January plus one
    // month and one day is 29 February plus a day.
    constexpr CalendarComponent order[] = {
        CalendarComponent::era,         CalendarComponent::year,           CalendarComponent::yearForWeekOfYear,
        CalendarComponent::quarter,     CalendarComponent::month,          CalendarComponent::weekOfYear,
        CalendarComponent::weekOfMonth, CalendarComponent::weekdayOrdinal, CalendarComponent::weekday,
        CalendarComponent::day,         CalendarComponent::dayOfYear,      CalendarComponent::hour,
        CalendarComponent::minute,      CalendarComponent::second,         CalendarComponent::nanosecond,
    };
    std::optional<Date> result = to;
    for (CalendarComponent component : order) {
        if (auto amount = amounts.value(component)) {
            result = dateByAdding(component, *amount, *result);
            if (!result) return std::nullopt;
        }
    }
    return result;
}

std::optional<Date> Calendar::dateBySettingFields(const DateComponents& replacements, Date date) const {
    constexpr ComponentSet kept{CalendarComponent::era,  CalendarComponent::year,   CalendarComponent::month,
                                CalendarComponent::day,  CalendarComponent::hour,   CalendarComponent::minute,
                                CalendarComponent::second};
    DateComponents fields = components(kept, date);
    if (!fields.year) return std::nullopt;
    for (CalendarComponent c : {CalendarComponent::era, CalendarComponent::year, CalendarComponent::month,
                                CalendarComponent::day, CalendarComponent::hour, CalendarComponent::minute,
                                CalendarComponent::second}) {
        if (auto value = replacements.value(c)) fields.setValue(c, value);
    }
    return this->date(fields);
}

Date Calendar::startOfDay(Date date) const {
    CalendarLease lease(zone_, locale_);
    auto local = calendar_fields::localTime(*lease, date);
    if (!local) return date;
    return calendar_fields::startOfJulianDay(*lease, local->julianDay).value_or(date);
}

bool Calendar::isDate(Date date, Date inSameDayAs) const {
    CalendarLease lease(zone_, locale_);
    auto first = calendar_fields::localTime(*lease, date);
    if (!first) return false;
    auto second = calendar_fields::localTime(*lease, inSameDayAs);
    return second && first->julianDay == second->julianDay;
}

} // namespace platform
