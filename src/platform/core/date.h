#pragma once
// An absolute instant in time, independent of any calendar or time zone.
//
// Held as seconds since 1970-01-01 00:00:00 UTC in a double, which keeps
// sub-millisecond precision for every year the calendar represents near our
// own era and still spans the calendar's whole range.

#include <compare>

namespace platform {

class Date {
public:
    // The reference instant, 1970-01-01 00:00:00 UTC. Code that fails to build a
    // date returns an empty std::optional<Date>, never this value.
    constexpr Date() noexcept = default;

    static constexpr Date fromSecondsSince1970(double seconds) noexcept { return Date(seconds); }
    static Date now() noexcept;

    constexpr double secondsSince1970() const noexcept { return seconds_; }

    // Seconds from `earlier` to this instant; negative when `earlier` is later.
    constexpr double timeIntervalSince(Date earlier) const noexcept { return seconds_ - earlier.seconds_; }
    constexpr Date addingTimeInterval(double seconds) const noexcept { return Date(seconds_ + seconds); }

    friend constexpr auto operator<=>(Date, Date) noexcept = default;
    friend constexpr bool operator==(Date, Date) noexcept = default;

private:
    constexpr explicit Date(double seconds) noexcept : seconds_(seconds) {}
    double seconds_ = 0.0;
};

} // namespace platform
