#include "mooncalc/moon_zodiac_sign_calculator.h"

#include "mooncalc/internal/mean_lunar_motion.h"

#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace mooncalc {
namespace {

constexpr std::array<std::pair<double, MoonZodiacSign>, 12> signEnds = {{
    {33.18, MoonZodiacSign::aries},
    {51.16, MoonZodiacSign::taurus},
    {93.44, MoonZodiacSign::gemini},
    {119.48, MoonZodiacSign::cancer},
    {135.3, MoonZodiacSign::leo},
    {173.34, MoonZodiacSign::virgo},
    {224.17, MoonZodiacSign::libra},
    {242.57, MoonZodiacSign::scorpio},
    {271.26, MoonZodiacSign::sagittarius},
    {302.49, MoonZodiacSign::capricorn},
    {311.72, MoonZodiacSign::aquarius},
    {348.58, MoonZodiacSign::pisces},
}};

// Mean anomalistic and sidereal months, with an epoch of each near J2000.
constexpr double anomalisticMonth = 27.55454988;
constexpr double perigeeEpoch = 2451562.2;
constexpr double siderealMonth = 27.321582241;
constexpr double siderealEpoch = 2451555.8;

} // namespace

double MoonZodiacSignCalculator::approximateLongitude(platform::Date date) {
    using detail::normalized;
    const auto dayNumber = detail::localDayNumber(date);
    if (!dayNumber) return std::numeric_limits<double>::quiet_NaN();
    const double j = static_cast<double>(*dayNumber);
    constexpr double pi = std::numbers::pi;
    const double phaseAngle = normalized((j - detail::newMoonEpoch) / detail::synodicMonth) * 2 * pi;
    const double anomaly = 2 * pi * normalized((j - perigeeEpoch) / anomalisticMonth);
    const double siderealFraction = normalized((j - siderealEpoch) / siderealMonth);
    return 360 * siderealFraction + 6.3 * std::sin(anomaly) + 1.3 * std::sin(2 * phaseAngle - anomaly) +
           0.7 * std::sin(2 * phaseAngle);
}

MoonZodiacSign MoonZodiacSignCalculator::getMoonZodiacSign(platform::Date date) const {
    return signOfLongitude(approximateLongitude(date));
}

MoonZodiacSign MoonZodiacSignCalculator::signOfLongitude(double longitude) noexcept {
    for (const auto& [end, sign] : signEnds)
        if (longitude < end) return sign;
    return MoonZodiacSign::aries;
}

} // namespace mooncalc
