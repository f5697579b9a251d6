#pragma once
// The Gregorian calendar in a time zone and a locale.
//
// `Calendar::current()` is the user's calendar, always Gregorian, built on the
// current time zone and locale as they are at the moment of the call; nothing is
// cached across a change of either. Like the platform calendars the program was
// written against, it switches to the Julian calendar before 15 October 1582.
//
// Building a date from components is lenient: a value beyond its field's range
// runs on into the next unit (30 February is 1 or 2 March, hour 24 is midnight of
// the next day, month 13 is January of the next year). A wall-clock time that a
// clock change repeats is read as its first occurrence; one that a clock change
// skips moves forward by the length of the gap. A conversion that fails yields
// std::nullopt, never a made-up instant.
//
// The calendar's range is about 950,000 years either side of 1970. Instants
// outside it (and NaN or infinite ones) give no components, std::nullopt from
// every optional result, and are returned unchanged by startOfDay.
//
// Calendars are cheap values: the ICU calendars behind them are built once per
// zone and locale and reused, and every operation may run on any thread.

#include "platform/core/calendar_component.h"
#include "platform/core/date.h"
#include "platform/core/date_components.h"
#include "platform/core/locale.h"
#include "platform/core/time_zone.h"

#include <compare>
#include <cstdint>
#include <memory>
#include <optional>

namespace platform {

// Rules for `Calendar::nextDate` when the matching fields name a time that a
// clock change skips or repeats.
enum class MatchingPolicy : std::uint8_t {
    nextTime,                    // a skipped time gives the first existing moment after the gap
    nextTimePreservingSmallerComponents,
    previousTimePreservingSmallerComponents,
    strict,                      // only an exact match counts
};
enum class RepeatedTimePolicy : std::uint8_t { first, last };
enum class SearchDirection : std::uint8_t { forward, backward };

// A half-open range of field values, as `Calendar::range` answers.
struct ValueRange {
    int lowerBound = 0;   // first value
    int upperBound = 0;   // one past the last value
    int count() const noexcept { return upperBound - lowerBound; }
    friend bool operator==(const ValueRange&, const ValueRange&) = default;
};

struct DateInterval {
    Date start;
    double duration = 0.0;   // seconds
    Date end() const noexcept { return start.addingTimeInterval(duration); }
    friend bool operator==(const DateInterval&, const DateInterval&) = default;
};

class Calendar {
public:
    static Calendar current();
    static Calendar gregorian(TimeZone zone, Locale locale);

    const TimeZone& timeZone() const noexcept { return zone_; }
    const Locale& locale() const noexcept { return locale_; }
    void setTimeZone(TimeZone zone) { zone_ = std::move(zone); }
    void setLocale(Locale locale) { locale_ = std::move(locale); }

    // Fields -> instant, leniently; the components' own time zone wins over ours.
    std::optional<Date> date(const DateComponents& components) const;

    // Instant -> fields, in our time zone or in `zone`.
    DateComponents components(ComponentSet wanted, Date date) const;
    DateComponents components(ComponentSet wanted, Date date, const TimeZone& zone) const;
    int component(CalendarComponent component, Date date) const;   // 0 outside the range

    // Calendar arithmetic. A day step keeps the local wall-clock time across a
    // clock change; a month or year step clamps the day to the target month's end.
    // Values that do not fit the calendar's range give std::nullopt.
    std::optional<Date> dateByAdding(CalendarComponent component, std::int64_t value, Date to) const;
    std::optional<Date> dateByAdding(const DateComponents& amounts, Date to) const;

    // The next instant after `start` (before it, searching backward) whose fields
    // equal every field set in `matching`. Unset time fields below the smallest
    // set one count as 0 (matching a day gives the start of that day). The search
    // is bounded: std::nullopt when no match lies within about 160 years.
    std::optional<Date> nextDate(Date start, const DateComponents& matching, MatchingPolicy policy,
                                 RepeatedTimePolicy repeatedTime = RepeatedTimePolicy::first,
                                 SearchDirection direction = SearchDirection::forward) const;

    // First moment of the date's day: local midnight, or the first existing moment
    // of the day when a clock change skips midnight.
    Date startOfDay(Date date) const;
    bool isDate(Date date, Date inSameDayAs) const;

    // Position of the unit `smaller` within `larger` (day in era: the day's number
    // counted from 1 January 1 AD, straight through the 1582 switch, so that the
    // difference of two is the number of calendar days between them), and the
    // span of values or instants. Pairs without a meaning give std::nullopt.
    // Positions in the era run past 32 bits (seconds since 1 AD), hence 64, and
    // run on into the era before: 1 BC is year 0 (the astronomical year, not
    // the year of its era), 31 December 1 BC day 0, and the era itself is 0
    // before Christ and 1 after, so differences count across the change of era.
    std::optional<std::int64_t> ordinality(CalendarComponent smaller, CalendarComponent larger, Date date) const;
    std::optional<ValueRange> range(CalendarComponent smaller, CalendarComponent larger, Date date) const;
    std::optional<DateInterval> dateInterval(CalendarComponent component, Date containing) const;

    // Whole units from `start` to `end` (negative when `end` is earlier), with each
    // wanted unit taking what the larger ones leave.
    DateComponents dateComponents(ComponentSet wanted, Date start, Date end) const;

    // The order of two instants at a unit's granularity: equal when both lie in
    // the same day (month, year...) of this calendar, else by time. std::nullopt
    // for a unit without a span or an instant the calendar cannot place.
    std::optional<std::strong_ordering> compare(Date first, Date second, CalendarComponent granularity) const;

    // `date` with the fields set in `replacements` (era, year, month, day, hour,
    // minute, second; others are ignored) put in place of its own, composed
    // leniently in this calendar's zone: minute 60 is the next hour, day 0 the
    // last day of the month before. Fractions of a second go. std::nullopt when
    // the calendar cannot place `date` or the result.
    std::optional<Date> dateBySettingFields(const DateComponents& replacements, Date date) const;

private:
    Calendar(TimeZone zone, Locale locale) : zone_(std::move(zone)), locale_(std::move(locale)) {}
    TimeZone zone_;
    Locale locale_;
};

} // namespace platform
