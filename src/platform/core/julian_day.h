#pragma once
// Julian days on the universal time scale, and the UTC calendar fields of an
// instant, as the program's astronomy code reads them.

#include "platform/core/date.h"

namespace astronomy {

struct JulianDay {
    double value = 0.0;   // days since -4712-01-01 12:00 UT (proleptic Julian calendar)

    // 2440587.5 is 1970-01-01 00:00:00 UTC.
    static constexpr double unixEpoch = 2440587.5;

    static constexpr JulianDay of(platform::Date date) noexcept {
        return {unixEpoch + date.secondsSince1970() / 86400.0};
    }
    constexpr platform::Date date() const noexcept {
        return platform::Date::fromSecondsSince1970((value - unixEpoch) * 86400.0);
    }

    friend constexpr auto operator<=>(JulianDay, JulianDay) noexcept = default;
};

// The calendar fields of an instant in UTC, on the calendar of
// platform::Calendar::current(): Gregorian from 15 October 1582, Julian before,
// with year 0 for 1 BC, so that the fields rebuild the instant in that calendar.
// `second` is whole, its fraction dropped (towards the past). An instant that is
// not a number reads as 1970-01-01 00:00:00; one beyond the span of ICU's
// calendars (some 5.8 million years either way) as its first or last second.
struct UtcFields {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const UtcFields&, const UtcFields&) = default;
};

UtcFields utcFields(platform::Date date);

} // namespace astronomy
