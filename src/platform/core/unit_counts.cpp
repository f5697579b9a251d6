#include "platform/core/unit_counts.h"

#include <cmath>
#include <limits>

namespace platform {

namespace {

using Limits = std::numeric_limits<std::int64_t>;
// __extension__ keeps -Wpedantic quiet about the compilers' own type.
__extension__ using Int128 = __int128;

// Intervals this long count beyond the 64-bit range in any unit up to 2^36 s;
// below it every whole part of an interval fits 128 bits.
constexpr double beyondCounting = 0x1p100;

std::int64_t saturating(Int128 count) noexcept {
    if (count > Limits::max()) return Limits::max();
    if (count < Limits::min()) return Limits::min();
    return static_cast<std::int64_t>(count);
}

std::int64_t saturatingDifference(std::int64_t later, std::int64_t earlier) noexcept {
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(later, earlier, &difference)) return later > earlier ? Limits::max() : Limits::min();
    return difference;
}

} // namespace

std::int64_t elapsedUnits(Date start, Date end, std::int64_t secondsPerUnit) noexcept {
    // The difference of two doubles rounds: 60 - 0.0000001 is 60.0. What the
    // rounding lost is itself a double (Knuth's two-sum), and the two together
    // are the exact interval.
    const double endSeconds = end.secondsSince1970();
    const double negatedStart = -start.secondsSince1970();
    const double rounded = endSeconds + negatedStart;
    if (std::isnan(rounded)) return 0;
    if (!(std::fabs(rounded) < beyondCounting)) return rounded > 0 ? Limits::max() : Limits::min();
    const double endPart = rounded - negatedStart;
    const double startPart = rounded - endPart;
    const double lost = (endSeconds - endPart) + (negatedStart - startPart);

    // The exact interval's whole part, and whether a fraction is left. A rounded
    // interval with a fraction lies below 2^52, where every whole number is a
    // double, so the exact one lies between the same two whole numbers.
    Int128 whole = 0;
    bool fraction = true;
    if (const double roundedWhole = std::floor(rounded); roundedWhole != rounded) {
        whole = static_cast<Int128>(roundedWhole);
    } else {
        const double lostWhole = std::floor(lost);
        whole = static_cast<Int128>(rounded) + static_cast<Int128>(lostWhole);
        fraction = lost != lostWhole;
    }
    if (whole >= 0) return saturating(whole / secondsPerUnit);
    // Truncating toward zero: the count of the interval's magnitude, negated.
    return saturating(-((-whole - (fraction ? 1 : 0)) / secondsPerUnit));
}

std::optional<std::int64_t> boundariesCrossed(const Calendar& calendar, CalendarComponent unit, Date start,
                                              Date end) {
    const auto first = calendar.ordinality(unit, CalendarComponent::era, start);
    if (!first) return std::nullopt;
    const auto last = calendar.ordinality(unit, CalendarComponent::era, end);
    if (!last) return std::nullopt;
    return saturatingDifference(*last, *first);
}

} // namespace platform
