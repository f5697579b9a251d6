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

// The calendar fields of an instant in UTC; `second` is whole, its fraction dropped.
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
