#include "mooncalc/moon_age_calculator.h"

#include "datehelper/date_arithmetic.h"
#include "mooncalc/internal/mean_lunar_motion.h"

#include <cmath>
#include <limits>

namespace mooncalc {
namespace {

// Lunar days in a lunar month, at most.
constexpr std::int64_t maxLunarDays = 30;

} // namespace

double MoonAgeCalculator::getMoonAge(platform::Date date) const {
    const auto dayNumber = detail::localDayNumber(date);
    if (!dayNumber) return std::numeric_limits<double>::quiet_NaN();
    const double fraction = detail::normalized((static_cast<double>(*dayNumber) - detail::newMoonEpoch) /
                                               detail::synodicMonth);
    return fraction * 29.53;
}

std::vector<std::int64_t> MoonAgeCalculator::getMoonAges(platform::Date date) const {
    using datehelper::DateComponentType;
    const platform::Date first = datehelper::startOfDay(date);
    // The last second of the same UTC day, also on a day the clocks change.
    const platform::Date last = datehelper::adjust(
        datehelper::adjust(first, DateComponentType::day, 1, platform::TimeZone::utc()), DateComponentType::second, -1);
    const double firstAge = getMoonAge(first);
    const double lastAge = getMoonAge(last);
    if (std::isnan(firstAge) || std::isnan(lastAge)) return {};
    const std::int64_t from = lunarDay(firstAge);
    const std::int64_t to = lunarDay(lastAge);
    if (from == to) return {from};
    return lunarDayRun(from, to, maxLunarDays);
}

std::int64_t MoonAgeCalculator::lunarDay(double age) noexcept {
    // Ages outside the cycle (never computed) count as its start.
    if (!(age >= 0.0 && age < 31.0)) return 0;
    const auto whole = static_cast<std::int64_t>(age);
    return whole + 1 - age < 0.2 ? whole + 1 : whole;
}

std::vector<std::int64_t> MoonAgeCalculator::lunarDayRun(std::int64_t from, std::int64_t to, std::int64_t modulus) {
    if (modulus < 1 || modulus > maxLunarDays) return {};
    const std::int64_t last = to == 0 ? modulus - 1 : to;
    const std::int64_t first = from == 0 ? modulus - 1 : from;
    if (first == last) return {from};
    std::vector<std::int64_t> run{first};
    std::int64_t counter = first;
    // A full cycle at most: a `to` outside the cycle is never met.
    for (std::int64_t steps = 0; counter != last && steps < modulus; ++steps) {
        // Compared before the step, so that no `from` can overflow it.
        counter = counter >= modulus ? 1 : counter + 1;
        run.push_back(counter);
    }
    return run;
}

} // namespace mooncalc
