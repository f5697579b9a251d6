#pragma once
// The instant at which a zone's clocks show a wall time, worked out as ICU's
// lenient Gregorian calendar works it out when asked for the time of its
// fields, without the calendar. Private to src/platform/core.
//
// A calendar that turns fields into an instant resolves them afresh, and before
// it asks its zone for the offset at that wall time it checks, by four
// run-time type tests, which kind of zone it holds: together several times
// what the zone's answer costs. The arithmetic is short
// (a local day's first millisecond plus the time of day, less the offset the
// zone gives that wall time under the calendar's options for skipped and
// repeated wall times), and is done here on the same doubles, so the instant
// is the calendar's to the last bit.

#include <unicode/gregocal.h>
#include <unicode/ucal.h>

#include <cstdint>
#include <optional>

namespace platform::wall_clock {

// The UTC instant, in milliseconds since 1970, at which the calendar's zone
// shows `millisInDay` on the local day `julianDay` (ICU's JULIAN_DAY), a skipped
// wall time resolved by `skipped` and a repeated one by the calendar's own
// option. std::nullopt where the calendar must do it itself: a zone other than
// a rule-based one, skipped times moved to the end of the gap, a calendar that
// is not lenient, a day beyond ICU's 32-bit day numbers, a zone that fails.
std::optional<UDate> instantOf(const icu::GregorianCalendar& calendar, std::int64_t julianDay, double millisInDay,
                               UCalendarWallTimeOption skipped);

// ICU's time of day from its fields, in milliseconds: hours, minutes and
// seconds run on past their ranges, in either direction.
double millisInDay(std::int32_t hour, std::int32_t minute, std::int32_t second, std::int32_t millisecond);

} // namespace platform::wall_clock
