#pragma once
// A festival's astronomical date. The quarter days fall on a solstice or an
// equinox; the cross-quarter days fall halfway, in whole days, between the two
// quarter days around them. Every result for a year lies in that year, in both
// hemispheres.

#include "engine/festival.h"
#include "platform/core/date.h"

namespace engine {

// The instant itself for a quarter day; for a cross-quarter day, the earlier
// quarter day's instant moved on by half the span in whole days, at the same
// local clock time. Not reduced to midnight.
platform::Date astronomicalDate(Festival festival, int year, double latitude);

// Halfway from `first` to `second` by the cross-quarter rule: the span is
// rounded to whole days, then halved and rounded again (halves away from zero,
// so 89 days give 45), and that many calendar days are added to `first` in the
// user's calendar, keeping its local clock time across a change of the clocks.
// When the span is not a finite number of days that fits a 64-bit count, or
// the calendar cannot add it, the result is `first`.
platform::Date crossQuarterMidpoint(platform::Date first, platform::Date second);

} // namespace engine
