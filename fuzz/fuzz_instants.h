#pragma once
// Instants, zones and locales drawn from fuzz input for the targets that
// exercise calendar code: raw doubles (NaN, infinities, denormals, the ends of
// the range), years -5000 to 5000, and moments near the places where calendars
// go wrong (the change of era, the change to the Gregorian calendar, changes of
// the clocks in the five zones the tests run under, the ends of the calendar's
// range of some 950,000 years).

#include "platform/core/date.h"
#include "platform/core/locale.h"
#include "platform/core/time_zone.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <bit>
#include <cstdint>
#include <limits>

namespace fuzz_instants {

inline constexpr double dayInSeconds = 86400.0;
inline constexpr double yearInSeconds = 365.25 * dayInSeconds;

// Instants nearer 1970 than this are surely within the calendar's range (about
// 950,000 years either way); farther than `surelyOutside`, surely beyond it.
inline constexpr double surelyInside = 2.9e13;
inline constexpr double surelyOutside = 3.1e13;

// Moments worth landing near, seconds since 1970.
inline constexpr std::array<double, 14> landmarks{
    0.0,                 // 1970
    -62135596800.0,      // 1 January 1 AD, proleptic Gregorian
    -62135769600.0,      // 1 January 1 AD, Julian: the change of era
    -12219292800.0,      // 15 October 1582, the first Gregorian day
    1711846800.0,        // Europe/London goes forward, 2024
    1729990800.0,        // Europe/London goes back, 2024
    1710054000.0,        // America/New_York goes forward, 2024
    1730613600.0,        // America/New_York goes back, 2024
    1712419200.0,        // Australia/Sydney goes back, 2024
    1728144000.0,        // Australia/Sydney goes forward, 2024
    788868000.0,         // Pacific/Kiritimati skips 31 December 1994
    -2717650800.0,       // America/New_York leaves its local mean time, 1883
    2.99e13,             // the calendar's ends
    -2.99e13,
};

inline double anyDouble(FuzzedDataProvider& in) {
    return std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>());
}

inline double seconds(FuzzedDataProvider& in) {
    using L = std::numeric_limits<double>;
    switch (in.ConsumeIntegralInRange<int>(0, 6)) {
    case 0: return anyDouble(in);
    case 1: {
        static constexpr std::array<double, 12> special{
            L::quiet_NaN(), L::infinity(), -L::infinity(), L::denorm_min(), -L::denorm_min(), -0.0,
            L::min(),       L::max(),      L::lowest(),    3.0e13,          -3.0e13,          9.5e15};
        return special[in.ConsumeIntegralInRange<std::size_t>(0, special.size() - 1)];
    }
    case 2: return in.ConsumeFloatingPointInRange(-6970 * yearInSeconds, 3030 * yearInSeconds);
    case 3: return static_cast<double>(in.ConsumeIntegralInRange<std::int64_t>(-220'000'000'000, 96'000'000'000));
    case 4: {
        const double landmark = landmarks[in.ConsumeIntegralInRange<std::size_t>(0, landmarks.size() - 1)];
        const auto offset = in.ConsumeIntegralInRange<std::int64_t>(-4 * 366 * 86400, 4 * 366 * 86400);
        return landmark + static_cast<double>(offset) + (in.ConsumeBool() ? in.ConsumeProbability<double>() : 0.0);
    }
    case 5: return in.ConsumeFloatingPointInRange(-surelyOutside, surelyOutside);
    default: return in.ConsumeFloatingPointInRange(1.5e9, 2.0e9);   // our own decades
    }
}

inline platform::Date instant(FuzzedDataProvider& in) { return platform::Date::fromSecondsSince1970(seconds(in)); }

// Another instant: most often a step away from `near` (a few seconds, whole
// days, whole years), else one of its own.
inline platform::Date instantNear(FuzzedDataProvider& in, platform::Date near) {
    switch (in.ConsumeIntegralInRange<int>(0, 4)) {
    case 0: return near.addingTimeInterval(in.ConsumeIntegralInRange<int>(-100'000, 100'000));
    case 1: return near.addingTimeInterval(in.ConsumeIntegralInRange<int>(-800, 800) * dayInSeconds);
    case 2: return near.addingTimeInterval(in.ConsumeIntegralInRange<int>(-3, 3) * 366 * dayInSeconds);
    case 3: return near;
    default: return instant(in);
    }
}

// The five zones the tests run under, or a fixed offset of up to 18 hours.
inline platform::TimeZone zone(FuzzedDataProvider& in) {
    static constexpr std::array<const char*, 5> named{"UTC", "Europe/London", "America/New_York",
                                                      "Australia/Sydney", "Pacific/Kiritimati"};
    const auto pick = in.ConsumeIntegralInRange<std::size_t>(0, named.size());
    if (pick < named.size()) {
        if (auto found = platform::TimeZone::withIdentifier(named[pick])) return *found;
        return platform::TimeZone::utc();
    }
    return platform::TimeZone::withSecondsFromGMT(in.ConsumeIntegralInRange<int>(-18 * 3600, 18 * 3600))
        .value_or(platform::TimeZone::utc());
}

inline platform::Locale locale(FuzzedDataProvider& in) {
    static constexpr std::array<const char*, 8> identifiers{"ru_RU", "en_US", "en_GB", "de_DE",
                                                            "ar_EG", "th_TH", "fa_IR", "en_US_POSIX"};
    return platform::Locale::withIdentifier(
        identifiers[in.ConsumeIntegralInRange<std::size_t>(0, identifiers.size() - 1)]);
}

} // namespace fuzz_instants
