// Calendar::nextDate: the search for the next (or previous) instant whose fields
// equal a set of matching fields.
//
// The search walks calendar days, jumping straight to the next day that can
// match when a year, month, day, quarter or day-of-year field differs and
// stepping one day at a time for week-based fields. On a day whose date fields
// all match it tries the wall times that match, in order. Both walks are bounded,
// so every input ends, with std::nullopt when nothing matches in reach.

#include "platform/core/calendar.h"

#include "platform/core/internal/calendar_fields.h"
#include "platform/core/internal/icu_support.h"
#include "platform/core/julian_day_numbers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace platform {

using calendar_fields::julianDayOf;
using calendar_fields::julianDayOf1970;
using calendar_fields::millisPerDay;
using icu_support::CalendarLease;

namespace {

// About 160 years of single-day steps: enough for any weekday and week-number
// combination that can occur, small enough to answer an impossible one quickly.
constexpr int maxDaySteps = 60'000;

// Clock changes move the wall clock by at most a couple of hours; wall times this
// far before the start (in search order) may still lie after it in time.
constexpr int wallClockSlackSeconds = 2 * 3600;

struct DayFields {
    std::int32_t era = 1;
    std::int32_t year = 1;
    std::int32_t extendedYear = 1;
    std::int32_t month = 1;   // 1 to 12
    std::int32_t day = 1;
    std::int32_t weekday = 1;
    std::int32_t weekdayOrdinal = 1;
    std::int32_t weekOfMonth = 1;
    std::int32_t weekOfYear = 1;
    std::int32_t yearForWeekOfYear = 1;
    std::int32_t dayOfYear = 1;
    std::int32_t quarter() const noexcept { return (month - 1) / 3 + 1; }
};

// The date fields of a Julian day, read from a calendar in UTC, where every
// day exists and begins at midnight.
std::optional<DayFields> dayFields(icu::GregorianCalendar& utc, std::int64_t julianDay) {
    const double millis = static_cast<double>(julianDay - julianDayOf1970) * millisPerDay;
    if (!icu_support::isRepresentableSeconds(millis / 1000.0)) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    utc.setTime(millis, status);
    DayFields f;
    f.era = utc.get(UCAL_ERA, status);
    f.year = utc.get(UCAL_YEAR, status);
    f.extendedYear = utc.get(UCAL_EXTENDED_YEAR, status);
    f.month = utc.get(UCAL_MONTH, status) + 1;
    f.day = utc.get(UCAL_DATE, status);
    f.weekday = utc.get(UCAL_DAY_OF_WEEK, status);
    f.weekdayOrdinal = utc.get(UCAL_DAY_OF_WEEK_IN_MONTH, status);
    f.weekOfMonth = utc.get(UCAL_WEEK_OF_MONTH, status);
    f.weekOfYear = utc.get(UCAL_WEEK_OF_YEAR, status);
    f.yearForWeekOfYear = utc.get(UCAL_YEAR_WOY, status);
    f.dayOfYear = utc.get(UCAL_DAY_OF_YEAR, status);
    if (U_FAILURE(status)) return std::nullopt;
    return f;
}

// The day number of a day of a month, when the month has that day: not beyond
// its end, and not among the days 5 to 14 October 1582, which the switch to the
// Gregorian calendar skipped (counted on, they would land on 15 to 24 October).
std::optional<std::int64_t> dayOfThisMonth(std::int64_t extendedYear, int month, int day) {
    if (day > calendar_fields::monthLength(extendedYear, month - 1)) return std::nullopt;
    const std::int64_t dayNumber = julianDayOf(extendedYear, month - 1, day);
    if (astronomy::civilDateOfDayNumber(dayNumber).day != day) return std::nullopt;
    return dayNumber;
}

bool inRange(const std::optional<int>& value, int lowest, int highest) {
    return !value || (*value >= lowest && *value <= highest);
}

// Fields that no day or time can ever have make the search pointless.
bool canEverMatch(const DateComponents& m) {
    if (!inRange(m.era, 0, 1) || !inRange(m.month, 1, 12) || !inRange(m.day, 1, 31) ||
        !inRange(m.weekday, 1, 7) || !inRange(m.weekdayOrdinal, 1, 5) || !inRange(m.weekOfMonth, 0, 6) ||
        !inRange(m.weekOfYear, 1, 53) || !inRange(m.dayOfYear, 1, 366) || !inRange(m.quarter, 1, 4) ||
        !inRange(m.hour, 0, 23) || !inRange(m.minute, 0, 59) || !inRange(m.second, 0, 59) ||
        !inRange(m.nanosecond, 0, 999'999'999)) {
        return false;
    }
    if (m.month && m.day && *m.day > astronomy::daysInMonth(*m.month, true)) return false;
    if (m.year && (*m.year < 1 || *m.year > 1'000'000)) return false;
    if (m.yearForWeekOfYear && std::abs(*m.yearForWeekOfYear) > 1'000'000) return false;
    return true;
}

// The wall times of a day that match, as (hour, minute, second) with the
// nanosecond fixed: a field that is set takes its value; an unset field below
// every set one is 0; an unset field above a set one runs through its range.
class WallTimes {
public:
    explicit WallTimes(const DateComponents& m) {
        const std::optional<int> fields[3] = {m.hour, m.minute, m.second};
        const int highest[3] = {23, 59, 59};
        bool smallerIsSet = m.nanosecond.has_value();
        for (int i = 2; i >= 0; --i) {
            if (fields[i]) {
                first_[i] = last_[i] = *fields[i];
                smallerIsSet = true;
            } else {
                first_[i] = 0;
                last_[i] = smallerIsSet ? highest[i] : 0;
            }
        }
        nanosecond_ = m.nanosecond.value_or(0);
    }

    int nanosecond() const noexcept { return nanosecond_; }

    // Calls visit(hour, minute, second) in ascending or descending order until it
    // returns true; true when it did.
    template <typename Visit>
    bool each(bool ascending, Visit&& visit) const {
        auto range = [&](int i, auto&& inner) {
            if (ascending) {
                for (int v = first_[i]; v <= last_[i]; ++v)
                    if (inner(v)) return true;
            } else {
                for (int v = last_[i]; v >= first_[i]; --v)
                    if (inner(v)) return true;
            }
            return false;
        };
        return range(0, [&](int h) {
            return range(1, [&](int mi) { return range(2, [&](int s) { return visit(h, mi, s); }); });
        });
    }

private:
    int first_[3] = {};
    int last_[3] = {};
    int nanosecond_ = 0;
};

UCalendarWallTimeOption skippedOption(MatchingPolicy policy) {
    switch (policy) {
    case MatchingPolicy::nextTime: return icu_support::skippedToGapEnd;
    case MatchingPolicy::previousTimePreservingSmallerComponents: return icu_support::skippedMovesBack;
    case MatchingPolicy::nextTimePreservingSmallerComponents:
    case MatchingPolicy::strict: break;
    }
    return icu_support::skippedMovesForward;
}

class Search {
public:
    Search(icu::GregorianCalendar& zoned, icu::GregorianCalendar& utc, const DateComponents& matching,
           MatchingPolicy policy, RepeatedTimePolicy repeated, bool forward)
        : zoned_(zoned), utc_(utc), m_(matching), times_(matching), policy_(policy), forward_(forward) {
        zoned_.setRepeatedWallTimeOption(repeated == RepeatedTimePolicy::first ? UCAL_WALLTIME_FIRST
                                                                                : UCAL_WALLTIME_LAST);
        if (m_.year) {
            targetYear_ = astronomy::astronomicalYear(m_.era.value_or(1), std::int64_t{*m_.year});
        } else if (m_.era) {
            targetEra_ = *m_.era;
        }
    }

    std::optional<Date> run(Date start) {
        auto local = calendar_fields::localTime(zoned_, start);
        if (!local) return std::nullopt;
        startSeconds_ = local->hour * 3600 + local->minute * 60 + local->second;
        std::int64_t julianDay = local->julianDay;
        for (int step = 0; step < maxDaySteps; ++step) {
            auto fields = dayFields(utc_, julianDay);
            if (!fields) return std::nullopt;
            auto next = jumpFrom(julianDay, *fields);
            if (!next) return std::nullopt;   // the matching day lies behind the search
            if (*next != julianDay) {
                julianDay = forward_ ? std::max(*next, julianDay + 1) : std::min(*next, julianDay - 1);
                continue;
            }
            if (auto found = matchOnDay(julianDay, julianDay == local->julianDay, start)) return found;
            julianDay += forward_ ? 1 : -1;
        }
        return std::nullopt;
    }

private:
    // The day to look at next: `day` itself when its date fields all match, a
    // later (earlier) day that could, or std::nullopt when none can any more.
    std::optional<std::int64_t> jumpFrom(std::int64_t day, const DayFields& f) const {
        const int sign = forward_ ? 1 : -1;
        const std::int64_t ext = f.extendedYear;
        auto firstOfMonth = [](std::int64_t year, std::int64_t month0) { return julianDayOf(year, month0, 1); };
        auto lastOfMonth = [&](std::int64_t year, std::int64_t month0) { return firstOfMonth(year, month0 + 1) - 1; };

        if (targetYear_ && ext != *targetYear_) {
            if ((ext < *targetYear_) != forward_) return std::nullopt;
            return forward_ ? julianDayOf(*targetYear_, 0, 1) : julianDayOf(*targetYear_, 11, 31);
        }
        if (targetEra_ && f.era != *targetEra_) {
            if ((f.era < *targetEra_) != forward_) return std::nullopt;
            return forward_ ? julianDayOf(1, 0, 1) : julianDayOf(0, 11, 31);
        }
        if (m_.yearForWeekOfYear && f.yearForWeekOfYear != *m_.yearForWeekOfYear) {
            if ((f.yearForWeekOfYear < *m_.yearForWeekOfYear) != forward_) return std::nullopt;
            // Week years start within a week of 1 January.
            const std::int64_t near = forward_ ? julianDayOf(*m_.yearForWeekOfYear, 0, 1) - 7
                                               : julianDayOf(*m_.yearForWeekOfYear, 11, 31) + 7;
            return forward_ ? std::max(near, day + 1) : std::min(near, day - 1);
        }
        if (m_.quarter && f.quarter() != *m_.quarter) {
            const std::int64_t month0 = (*m_.quarter - 1) * 3;
            if (forward_) return firstOfMonth(f.quarter() < *m_.quarter ? ext : ext + 1, month0);
            return lastOfMonth(f.quarter() > *m_.quarter ? ext : ext - 1, month0 + 2);
        }
        if (m_.month && f.month != *m_.month) {
            const std::int64_t month0 = *m_.month - 1;
            if (forward_) return firstOfMonth(f.month < *m_.month ? ext : ext + 1, month0);
            return lastOfMonth(f.month > *m_.month ? ext : ext - 1, month0);
        }
        if (m_.dayOfYear && f.dayOfYear != *m_.dayOfYear) {
            const bool ahead = (f.dayOfYear < *m_.dayOfYear) == forward_;
            if (ahead) return day + (*m_.dayOfYear - f.dayOfYear);
            return forward_ ? julianDayOf(ext + 1, 0, 1) : julianDayOf(ext, 0, 1) - 1;
        }
        if (m_.day && f.day != *m_.day) {
            const std::int64_t month0 = f.month - 1;
            const auto target = dayOfThisMonth(ext, f.month, *m_.day);
            if (forward_) {
                if (f.day < *m_.day && target) return *target;
                return firstOfMonth(ext, month0 + 1);
            }
            if (f.day > *m_.day && target) return *target;
            return firstOfMonth(ext, month0) - 1;
        }
        if (m_.weekOfYear && f.weekOfYear != *m_.weekOfYear) {
            const int weeks = (*m_.weekOfYear - f.weekOfYear) * sign;
            return day + sign * (weeks > 1 ? 7 * (weeks - 1) : 1);
        }
        if ((m_.weekOfMonth && f.weekOfMonth != *m_.weekOfMonth) ||
            (m_.weekdayOrdinal && f.weekdayOrdinal != *m_.weekdayOrdinal) ||
            (m_.weekday && f.weekday != *m_.weekday)) {
            return day + sign;
        }
        return day;
    }

    std::optional<Date> matchOnDay(std::int64_t julianDay, bool isStartDay, Date start) {
        std::optional<Date> found;
        const double fraction = times_.nanosecond() / 1e6;
        times_.each(forward_, [&](int hour, int minute, int second) {
            const int seconds = hour * 3600 + minute * 60 + second;
            if (isStartDay && (forward_ ? seconds < startSeconds_ - wallClockSlackSeconds
                                        : seconds > startSeconds_ + wallClockSlackSeconds)) {
                return false;
            }
            auto instant = resolve(julianDay, hour, minute, second, fraction);
            if (!instant) return false;
            if (forward_ ? *instant > start : *instant < start) {
                found = instant;
                return true;
            }
            return false;
        });
        return found;
    }

    std::optional<Date> resolve(std::int64_t julianDay, int hour, int minute, int second, double millisecond) {
        auto day = static_cast<std::int32_t>(julianDay);
        auto instant = calendar_fields::instantOfWallTime(zoned_, day, hour, minute, second, millisecond,
                                                          skippedOption(policy_));
        if (!instant || policy_ != MatchingPolicy::strict) return instant;
        auto local = calendar_fields::localTime(zoned_, *instant);
        if (!local || local->julianDay != day || local->hour != hour || local->minute != minute ||
            local->second != second) {
            return std::nullopt;   // the clocks skip this wall time
        }
        return instant;
    }

    icu::GregorianCalendar& zoned_;
    icu::GregorianCalendar& utc_;
    const DateComponents& m_;
    WallTimes times_;
    MatchingPolicy policy_;
    bool forward_;
    std::optional<std::int64_t> targetYear_;   // extended year
    std::optional<int> targetEra_;
    int startSeconds_ = 0;
};

} // namespace

std::optional<Date> Calendar::nextDate(Date start, const DateComponents& matching, MatchingPolicy policy,
                                       RepeatedTimePolicy repeatedTime, SearchDirection direction) const {
    if (!icu_support::isRepresentable(start) || !canEverMatch(matching)) return std::nullopt;
    CalendarLease zoned(matching.timeZone ? *matching.timeZone : zone_, locale_);
    CalendarLease utc(TimeZone::utc(), locale_);
    Search search(*zoned, *utc, matching, policy, repeatedTime, direction == SearchDirection::forward);
    return search.run(start);
}

} // namespace platform
