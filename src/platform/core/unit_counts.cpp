#include "platform/core/unit_counts.h"

#include <cmath>
#include <limits>

namespace platform {

namespace {

using Limits = std::numeric_limits<std::int64_t>;

// 2^63 exactly; every double below it in magnitude converts without overflow.
constexpr double twoTo63 = 9223372036854775808.0;

std::int64_t saturatingTruncation(double value) noexcept {
    if (std::isnan(value)) return 0;
    if (value >= twoTo63) return Limits::max();
    if (value <= -twoTo63) return Limits::min();
    return static_cast<std::int64_t>(value);   // truncates toward zero
}

std::int64_t saturatingDifference(std::int64_t later, std::int64_t earlier) noexcept {
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(later, earlier, &difference)) return later > earlier ? Limits::max() : Limits::min();
    return difference;
}

} // namespace

std::int64_t elapsedUnits(Date start, Date end, double secondsPerUnit) noexcept {
    return saturatingTruncation(end.timeIntervalSince(start) / secondsPerUnit);
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
