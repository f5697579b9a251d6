#include "engine/internal/local_day.h"

#include "engine/internal/calendar_steps.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string>

namespace engine::detail {

using platform::Calendar;
using platform::Date;

namespace {

std::optional<Date> computedStart(const Calendar& calendar, int year, int month, int day) {
    const auto midnight = localMidnight(calendar, year, month, day);
    if (!midnight)
        return std::nullopt;
    // A midnight the zone's clocks read as 00:00 exists, so nothing of the day
    // comes before it (a repeated midnight is built as its first occurrence).
    // Only where a clock change skips it need the calendar look for the day's
    // first moment (Toronto's 31 March 1919 began at 00:30, not at the 01:00
    // that the lenient build gives); asking the offset costs far less.
    const double wallClockSeconds = midnight->secondsSince1970() + calendar.timeZone().secondsFromGMT(*midnight);
    if (std::fmod(wallClockSeconds, 86400.0) == 0.0)
        return midnight;
    return calendar.startOfDay(*midnight);
}

// The screens ask for the same few dozen days of a year (its festivals, seasons,
// Easter, and 1 January for the year's equinoxes and solstices) on every redraw,
// and each costs the calendar a conversion through the zone's rules. The latest
// answers are kept per thread, so without locks, for one zone at a time: the
// rules behind a zone identifier are read once per process, so a kept answer is
// as current as the calendar itself, and a change of the user's zone empties
// the table. One slot per day of the month for each of two years, so that a
// year and the one before it never push each other's days out; 12 kilobytes a
// thread.
struct RememberedDay {
    int year = 0;
    std::uint8_t month = 0;   // 0: never filled
    std::uint8_t day = 0;
    bool placed = false;      // whether the calendar could place the day
    double secondsSince1970 = 0.0;
};

constexpr int slotsPerYear = 12 * 31;

struct RememberedDays {
    std::string zone;
    std::array<RememberedDay, 2 * slotsPerYear> days{};
};

thread_local RememberedDays remembered;

RememberedDay& slotOf(const std::string& zone, int year, int month, int day) {
    if (remembered.zone != zone) {
        remembered.zone = zone;
        remembered.days.fill(RememberedDay{});
    }
    const int index = (year & 1) * slotsPerYear + (month - 1) * 31 + (day - 1);
    return remembered.days[static_cast<std::size_t>(index)];
}

} // namespace

std::optional<Date> startOfLocalDay(const Calendar& calendar, int year, int month, int day) {
    // Days beyond their month are built leniently and not kept.
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return computedStart(calendar, year, month, day);

    RememberedDay& slot = slotOf(calendar.timeZone().identifier(), year, month, day);
    if (slot.year == year && slot.month == month && slot.day == day) {
        if (!slot.placed)
            return std::nullopt;
        return Date::fromSecondsSince1970(slot.secondsSince1970);
    }
    const auto start = computedStart(calendar, year, month, day);
    slot = RememberedDay{year, static_cast<std::uint8_t>(month), static_cast<std::uint8_t>(day), start.has_value(),
                         start ? start->secondsSince1970() : 0.0};
    return start;
}

Calendar userCalendar() {
    return Calendar::gregorian(platform::TimeZone::current(), platform::Locale::withIdentifier("en_US_POSIX"));
}

} // namespace engine::detail
