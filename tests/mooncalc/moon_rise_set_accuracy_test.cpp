// A year of the whole calculator in London against the Swiss Ephemeris
// library: every moonrise and moonset that bounds a lunar day of 2024 lies
// within 3 minutes of the library's event of the same kind (the Moon's upper
// limb at the horizon, with the library's refraction).
#include "mooncalc/moon_calculator.h"
#include "mooncalc_test_support.h"
#include "platform/core/julian_day.h"
#include "platform/core/swiss_ephemeris.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <optional>
#include <variant>
#include <vector>

namespace mooncalc {
namespace {

constexpr ObserverLocation london{51.509865, -0.118092};
constexpr double tolerance = 180.0;   // seconds

// The library's events of one kind from a week before 2024 to a week after it.
std::vector<double> libraryEvents(bool rise) {
    std::vector<double> events;
    double from = astronomy::JulianDay::of(mooncalc_test::utc(2023, 12, 24)).value;
    const double last = astronomy::JulianDay::of(mooncalc_test::utc(2025, 1, 8)).value;
    while (from < last) {
        const auto found =
            swisseph::riseOrSet(from, swisseph::body::moon, rise, london.longitude, london.latitude, 0.0);
        if (const auto* error = std::get_if<swisseph::Error>(&found)) {
            ADD_FAILURE() << error->message;
            break;
        }
        const auto& when = std::get<std::optional<double>>(found);
        if (!when) {   // no event at London's latitude: look again a day later
            from += 1.0;
            continue;
        }
        events.push_back(*when);
        from = *when + 0.01;
    }
    return events;
}

// Seconds from the nearest library event to `event`.
double offsetFromNearest(platform::Date event, const std::vector<double>& reference) {
    const double jd = astronomy::JulianDay::of(event).value;
    double best = INFINITY;
    for (double r : reference)
        if (std::fabs(jd - r) < std::fabs(best)) best = jd - r;
    return best * 86400.0;
}

TEST(MoonRiseSetAccuracy, LunarDaysOf2024InLondonAgreeWithTheSwissEphemerisWithinThreeMinutes) {
    const mooncalc_test::ZoneOverride zone("Europe/London");
    const std::vector<double> rises = libraryEvents(true);
    const std::vector<double> sets = libraryEvents(false);
    ASSERT_GT(rises.size(), 350u);   // 381 days, some without a moonrise or a moonset
    ASSERT_GT(sets.size(), 350u);

    MoonCalculator calculator(london);
    double worstRise = 0.0;
    double worstSet = 0.0;
    int checked = 0;
    for (int day = 0; day < 366; ++day) {
        const platform::Date noon = mooncalc_test::local(2024, 1, 1 + day, 12);
        const MoonInfo info = calculator.getInfo(noon);
        ASSERT_FALSE(info.moonModels.empty()) << day;
        for (std::size_t i = 0; i < info.moonModels.size(); ++i) {
            const MoonModel& model = info.moonModels[i];
            // With three lunar days, the second ends and the third begins at a moonset.
            const bool beginIsSet = info.moonModels.size() == 3 && i == 2;
            const bool finishIsSet = info.moonModels.size() == 3 && i == 1;
            for (const auto& [event, isSet] : {std::pair{model.begin, beginIsSet}, std::pair{model.finish, finishIsSet}}) {
                if (!event) continue;   // no moonrise that day near the instant asked for
                const double offset = offsetFromNearest(*event, isSet ? sets : rises);
                EXPECT_LE(std::fabs(offset), tolerance) << mooncalc_test::utcMinute(*event) << (isSet ? " set" : " rise");
                double& worst = isSet ? worstSet : worstRise;
                worst = std::max(worst, std::fabs(offset));
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 700);
    std::cout << checked << " events of 2024 in London; worst moonrise " << worstRise << " s, worst moonset "
              << worstSet << " s from the Swiss Ephemeris\n";
}

} // namespace
} // namespace mooncalc
