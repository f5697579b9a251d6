#pragma once
// The Moon's age and lunar days from its mean motion alone: the calendar date of
// the instant in the user's current calendar and zone counts, its time of day
// does not, so every instant of a local calendar day has the same age.

#include "mooncalc/calculator_interfaces.h"

namespace mooncalc {

class MoonAgeCalculator final : public MoonAgeCalculatorInterface {
public:
    // Days since the mean new moon, at least 0 and below 29.53: the fraction of
    // the mean synodic month (29.530588853 days) elapsed since the new moon of
    // 2000-01-06, times 29.53. NaN for an instant the calendar cannot place.
    double getMoonAge(platform::Date date) const override;

    // The lunar-day numbers that touch the instant's UTC day: the ages at its
    // first and its last second (00:00:00 and 23:59:59 UTC), each as a lunar
    // day (its whole days, or one more when the fraction exceeds 0.8), and the
    // numbers between them counted 1 to 30 in a cycle. The age counts the date
    // in the current zone, so the two samples fall on one local date in UTC and
    // on two elsewhere. The last sample is the UTC day's last second, not one
    // local calendar day after the first: on a day the clocks change that step
    // would stop an hour short of the UTC day or run an hour past it (Europe/
    // London, 31 March 2024: 22:59:59 UTC, still 31 March in London, although
    // the UTC day reaches 1 April there; this gives [21, 22], not [21]). One to
    // three numbers; none for an instant the calendar cannot place.
    std::vector<std::int64_t> getMoonAges(platform::Date date) const override;

    // An age as a lunar day: its whole days, or one more when the fraction
    // exceeds 0.8 (6.85 is lunar day 7, 6.75 is 6). For ages 0 to 29.53.
    static std::int64_t lunarDay(double age) noexcept;

    // The cyclic run of lunar-day numbers from `from` to `to` with `modulus`
    // days in the cycle, 0 counting as modulus - 1: from 5 to 6 gives 5, 6;
    // from 29 to 1 gives 29, 30, 1; from 0 to 1 gives 29, 30, 1; from 0 to 29
    // gives 0. Numbers outside 0 to modulus give the run as far as one cycle.
    // The cycle is a lunar month's: a modulus outside 1 to 30 gives an empty
    // run, so a run holds 31 numbers at most.
    static std::vector<std::int64_t> lunarDayRun(std::int64_t from, std::int64_t to, std::int64_t modulus);
};

} // namespace mooncalc
