// Calendar units around an instant: the position of a unit within a larger one,
// the span of a unit's values and instants, and whole units between two instants.

#include "platform/core/calendar.h"

#include "platform/core/internal/calendar_fields.h"
#include "platform/core/internal/icu_support.h"

#include <cmath>
#include <limits>

namespace platform {

using calendar_fields::floorDivide;
using calendar_fields::floorModulo;
using calendar_fields::julianDayOf;
using calendar_fields::LocalTime;
using icu_support::CalendarLease;
using C = CalendarComponent;

namespace {

std::optional<int> fitting(std::int64_t value) {
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return std::nullopt;
    return static_cast<int>(value);
}

// Day 1 is the first day of the week by the calendar's first weekday.
int dayOfWeekFrom(int weekday, int firstWeekday) {
    return static_cast<int>(floorModulo(weekday - firstWeekday, 7)) + 1;
}

int weekdayOfJulianDay(std::int64_t julianDay) {
    const auto weekday = static_cast<int>(floorModulo(julianDay + 1, 7));   // 0 = Sunday
    return weekday + 1;
}

// Positions count straight on from the Christian era into the one before it
// (1 BC is year 0, its last day day 0), so that the difference of two is the
// number of boundaries between them, also across the change of era and 1582.
std::optional<std::int64_t> ordinalInEra(C smaller, const LocalTime& t, int firstWeekday) {
    const std::int64_t day = std::int64_t{t.julianDay} - calendar_fields::julianDayBeforeEra;
    switch (smaller) {
    case C::day:
    case C::dayOfYear: return day;
    case C::weekday:
    case C::weekdayOrdinal: return floorDivide(day - 1, 7) + 1;
    case C::weekOfYear:
    case C::weekOfMonth: {
        const std::int64_t firstDay = calendar_fields::julianDayBeforeEra + 1;
        const int lead = dayOfWeekFrom(weekdayOfJulianDay(firstDay), firstWeekday) - 1;
        return floorDivide(day - 1 + lead, 7) + 1;
    }
    case C::month: return (std::int64_t{t.extendedYear} - 1) * 12 + t.month0 + 1;
    case C::quarter: return (std::int64_t{t.extendedYear} - 1) * 4 + t.month0 / 3 + 1;
    case C::year: return t.extendedYear;
    case C::era: return t.era;
    case C::hour: return (day - 1) * 24 + t.hour + 1;
    case C::minute: return ((day - 1) * 24 + t.hour) * 60 + t.minute + 1;
    case C::second: return (((day - 1) * 24 + t.hour) * 60 + t.minute) * 60 + t.second + 1;
    default: return std::nullopt;
    }
}

} // namespace

std::optional<std::int64_t> Calendar::ordinality(CalendarComponent smaller, CalendarComponent larger, Date date) const {
    CalendarLease lease(zone_, locale_);
    icu::GregorianCalendar& calendar = *lease;
    auto t = calendar_fields::localTime(calendar, date);   // also sets the calendar to `date`
    if (!t) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    const int firstWeekday = calendar.getFirstDayOfWeek(status);
    auto field = [&](UCalendarDateFields f) -> std::int64_t { return calendar.get(f, status); };
    const std::int64_t minuteOfDay = std::int64_t{t->hour} * 60 + t->minute;

    std::optional<std::int64_t> result;
    switch (larger) {
    case C::era:
        result = ordinalInEra(smaller, *t, firstWeekday);
        break;
    case C::year:
        switch (smaller) {
        case C::day:
        case C::dayOfYear: result = field(UCAL_DAY_OF_YEAR); break;
        case C::weekday:
        case C::weekdayOrdinal: result = (field(UCAL_DAY_OF_YEAR) - 1) / 7 + 1; break;
        case C::weekOfYear: result = field(UCAL_WEEK_OF_YEAR); break;
        case C::month: result = t->month0 + 1; break;
        case C::quarter: result = t->month0 / 3 + 1; break;
        case C::hour: result = (field(UCAL_DAY_OF_YEAR) - 1) * 24 + t->hour + 1; break;
        default: break;
        }
        break;
    case C::yearForWeekOfYear:
        if (smaller == C::weekOfYear) result = field(UCAL_WEEK_OF_YEAR);
        break;
    case C::quarter:
        switch (smaller) {
        case C::month: result = t->month0 % 3 + 1; break;
        case C::day:
            result = t->julianDay - julianDayOf(t->extendedYear, t->month0 / 3 * 3, 1) + 1;
            break;
        default: break;
        }
        break;
    case C::month:
        switch (smaller) {
        case C::day: result = t->day; break;
        case C::weekday:
        case C::weekdayOrdinal: result = field(UCAL_DAY_OF_WEEK_IN_MONTH); break;
        case C::weekOfMonth:
        case C::weekOfYear: result = field(UCAL_WEEK_OF_MONTH); break;
        case C::hour: result = (std::int64_t{t->day} - 1) * 24 + t->hour + 1; break;
        default: break;
        }
        break;
    case C::weekOfYear:
    case C::weekOfMonth:
        if (smaller == C::day || smaller == C::weekday) result = dayOfWeekFrom(t->weekday, firstWeekday);
        if (smaller == C::hour) result = (dayOfWeekFrom(t->weekday, firstWeekday) - 1) * 24 + t->hour + 1;
        break;
    case C::day:
    case C::weekday:
    case C::dayOfYear:
        if (smaller == C::hour) result = t->hour + 1;
        if (smaller == C::minute) result = minuteOfDay + 1;
        if (smaller == C::second) result = minuteOfDay * 60 + t->second + 1;
        break;
    case C::hour:
        if (smaller == C::minute) result = t->minute + 1;
        if (smaller == C::second) result = std::int64_t{t->minute} * 60 + t->second + 1;
        break;
    case C::minute:
        if (smaller == C::second) result = t->second + 1;
        break;
    default:
        break;
    }
    if (!result || U_FAILURE(status)) return std::nullopt;
    return result;
}

std::optional<ValueRange> Calendar::range(CalendarComponent smaller, CalendarComponent larger, Date date) const {
    switch (smaller) {
    case C::hour:
        if (larger == C::day) return ValueRange{0, 24};
        return std::nullopt;
    case C::minute:
        if (larger == C::hour) return ValueRange{0, 60};
        return std::nullopt;
    case C::second:
        if (larger == C::minute) return ValueRange{0, 60};
        return std::nullopt;
    case C::month:
        if (larger == C::year) return ValueRange{1, 13};
        return std::nullopt;
    case C::weekday:
        if (larger == C::weekOfYear || larger == C::weekOfMonth) return ValueRange{1, 8};
        return std::nullopt;
    default:
        break;
    }
    CalendarLease lease(zone_, locale_);
    icu::GregorianCalendar& calendar = *lease;
    auto t = calendar_fields::localTime(calendar, date);
    if (!t) return std::nullopt;
    if (smaller == C::day && larger == C::month) {
        return ValueRange{1, calendar_fields::monthLength(t->extendedYear, t->month0) + 1};
    }
    if ((smaller == C::day || smaller == C::dayOfYear) && larger == C::year) {
        return ValueRange{1, calendar_fields::yearLength(t->extendedYear) + 1};
    }
    UErrorCode status = U_ZERO_ERROR;
    std::optional<ValueRange> result;
    if (smaller == C::weekOfMonth && larger == C::month) {
        result = ValueRange{calendar.getActualMinimum(UCAL_WEEK_OF_MONTH, status),
                            calendar.getActualMaximum(UCAL_WEEK_OF_MONTH, status) + 1};
    } else if (smaller == C::weekOfYear && larger == C::year) {
        result = ValueRange{1, calendar.getActualMaximum(UCAL_WEEK_OF_YEAR, status) + 1};
    }
    if (U_FAILURE(status)) return std::nullopt;
    return result;
}

std::optional<DateInterval> Calendar::dateInterval(CalendarComponent component, Date containing) const {
    CalendarLease lease(zone_, locale_);
    icu::GregorianCalendar& calendar = *lease;
    auto t = calendar_fields::localTime(calendar, containing);
    if (!t) return std::nullopt;
    const double intoSecond = t->millisecond / 1000.0;
    auto fixed = [&](double intoUnit, double length) -> std::optional<DateInterval> {
        return DateInterval{containing.addingTimeInterval(-intoUnit), length};
    };
    std::int64_t first = 0;
    std::int64_t after = 0;
    switch (component) {
    case C::second: return fixed(intoSecond, 1.0);
    case C::minute: return fixed(t->second + intoSecond, 60.0);
    case C::hour: return fixed(t->minute * 60.0 + t->second + intoSecond, 3600.0);
    case C::day:
    case C::weekday:
    case C::dayOfYear:
        first = t->julianDay;
        after = first + 1;
        break;
    case C::weekOfYear:
    case C::weekOfMonth: {
        UErrorCode status = U_ZERO_ERROR;
        const int firstWeekday = calendar.getFirstDayOfWeek(status);
        first = t->julianDay - (dayOfWeekFrom(t->weekday, firstWeekday) - 1);
        after = first + 7;
        break;
    }
    case C::month:
        first = julianDayOf(t->extendedYear, t->month0, 1);
        after = julianDayOf(t->extendedYear, t->month0 + 1, 1);
        break;
    case C::quarter:
        first = julianDayOf(t->extendedYear, t->month0 / 3 * 3, 1);
        after = julianDayOf(t->extendedYear, t->month0 / 3 * 3 + 3, 1);
        break;
    case C::year:
        first = julianDayOf(t->extendedYear, 0, 1);
        after = julianDayOf(std::int64_t{t->extendedYear} + 1, 0, 1);
        break;
    default:
        return std::nullopt;
    }
    auto start = calendar_fields::startOfJulianDay(calendar, static_cast<std::int32_t>(first));
    auto end = calendar_fields::startOfJulianDay(calendar, static_cast<std::int32_t>(after));
    if (!start || !end) return std::nullopt;
    return DateInterval{*start, end->timeIntervalSince(*start)};
}

DateComponents Calendar::dateComponents(ComponentSet wanted, Date start, Date end) const {
    DateComponents out;
    if (!icu_support::isRepresentable(start) || !icu_support::isRepresentable(end)) return out;
    std::optional<LocalTime> from;
    std::optional<LocalTime> to;
    {
        CalendarLease lease(zone_, locale_);
        from = calendar_fields::localTime(*lease, start);
        to = calendar_fields::localTime(*lease, end);
    }
    if (!from || !to) return out;
    const bool forward = end >= start;
    const int step = forward ? 1 : -1;
    auto beyondEnd = [&](Date d) { return forward ? d > end : d < end; };

    // Calendar units are counted by adding them to `start`, largest first, and
    // taking the largest count that does not pass `end`.
    DateComponents added;
    auto reach = [&](C unit, std::int64_t count) -> std::optional<Date> {
        auto amount = fitting(count);
        if (!amount) return std::nullopt;
        DateComponents trial = added;
        trial.setValue(unit, amount);
        return dateByAdding(trial, start);
    };
    auto settle = [&](C unit, std::int64_t estimate) {
        std::int64_t count = estimate;
        for (int attempt = 0; attempt < 64; ++attempt) {
            auto at = reach(unit, count);
            if (!at || beyondEnd(*at)) {
                count -= step;
                continue;
            }
            auto further = reach(unit, count + step);
            if (further && !beyondEnd(*further)) {
                count += step;
                continue;
            }
            break;
        }
        if (auto amount = fitting(count)) {
            added.setValue(unit, amount);
            out.setValue(unit, amount);
        }
    };
    auto reached = [&] { return dateByAdding(added, start).value_or(start); };
    auto monthIndex = [](const LocalTime& t) { return std::int64_t{t.extendedYear} * 12 + t.month0; };

    if (wanted.contains(C::era)) out.era = to->era - from->era;
    if (wanted.contains(C::year)) settle(C::year, std::int64_t{to->extendedYear} - from->extendedYear);
    if (wanted.contains(C::quarter)) {
        settle(C::quarter, (monthIndex(*to) - monthIndex(*from) - 12 * std::int64_t{added.year.value_or(0)}) / 3);
    }
    if (wanted.contains(C::month)) {
        settle(C::month, monthIndex(*to) - monthIndex(*from) - 12 * std::int64_t{added.year.value_or(0)} -
                             3 * std::int64_t{added.quarter.value_or(0)});
    }
    for (C weeks : {C::weekOfYear, C::weekOfMonth}) {
        if (wanted.contains(weeks)) {
            settle(weeks, static_cast<std::int64_t>(end.timeIntervalSince(reached()) / 604800.0));
        }
    }
    if (wanted.contains(C::day)) settle(C::day, static_cast<std::int64_t>(end.timeIntervalSince(reached()) / 86400.0));

    // Hours and smaller units are elapsed time.
    double rest = end.timeIntervalSince(reached());
    auto take = [&](C unit, double secondsPerUnit) {
        if (!wanted.contains(unit)) return;
        const double count = std::trunc(rest / secondsPerUnit);
        rest -= count * secondsPerUnit;
        if (std::fabs(count) <= std::numeric_limits<int>::max()) out.setValue(unit, static_cast<int>(count));
    };
    take(C::hour, 3600.0);
    take(C::minute, 60.0);
    take(C::second, 1.0);
    if (wanted.contains(C::nanosecond)) {
        const double nanos = std::round(rest * 1e9);
        if (std::fabs(nanos) <= std::numeric_limits<int>::max()) out.nanosecond = static_cast<int>(nanos);
    }
    return out;
}

std::optional<std::strong_ordering> Calendar::compare(Date first, Date second, CalendarComponent granularity) const {
    auto firstSpan = dateInterval(granularity, first);
    auto secondSpan = dateInterval(granularity, second);
    if (!firstSpan || !secondSpan) return std::nullopt;
    const double a = firstSpan->start.secondsSince1970();
    const double b = secondSpan->start.secondsSince1970();
    if (a < b) return std::strong_ordering::less;
    if (a > b) return std::strong_ordering::greater;
    return std::strong_ordering::equal;
}

} // namespace platform
