// The moon calculator on hostile instants and coordinates: getInfo, the
// eclipse search (both kinds, both ways), moonrise and moonset, and the Moon's
// age. Beyond running without a crash or undefined behaviour (a call without
// bound is caught by the fuzzer's own time limit per input), every answer
// keeps what the headers promise for an observer on the Earth (latitude -90 to
// 90, a finite longitude):
//   - nothing promised as a number is NaN: the age, the illumination, an
//     eclipse's magnitude, gamma, u, radii and semi-durations, except the
//     semi-duration of a phase the eclipse does not have, which is NaN;
//   - the lunar days are ordered: each begins before it ends and none goes
//     back before the one ahead of it;
//   - an eclipse is found within 20,000 years of 1900, the previous one
//     before the instant and the next one at or after it, and of a kind;
//   - a moonrise or moonset is a whole second from a day before the instant
//     to two days after it, and within 10,000 years of now (at a longitude
//     within a million turns) the Moon is then at its rise altitude, coming
//     up for a rise and going down for a set.
//
// The input sets the device's zone, an observer, then up to four operations.

#include "fuzz_check.h"
#include "fuzz_instants.h"
#include "mooncalc/eclipse_calculator.h"
#include "mooncalc/moon_age_calculator.h"
#include "mooncalc/moon_calculator.h"
#include "mooncalc/moon_rise_set_calculator.h"
#include "mooncalc/sun_moon_calculator.h"
#include "platform/core/time_zone.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

namespace {

using mooncalc::Eclipse;
using mooncalc::EclipseCalculator;
using platform::Date;
using fuzz_instants::dayInSeconds;
using fuzz_instants::yearInSeconds;

constexpr double pi = std::numbers::pi;
constexpr double synodicMonth = 29.530588853 * dayInSeconds;
constexpr double seconds1900 = -2208988800.0;   // 1900-01-01 00:00 UTC
constexpr double seconds2000 = 946684800.0;     // 2000-01-01 00:00 UTC

double coordinate(FuzzedDataProvider& in, double limit) {
    using L = std::numeric_limits<double>;
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return fuzz_instants::anyDouble(in);
    case 1: {
        const std::array<double, 10> special{0.0, limit, -limit, limit - 1e-9, 66.56, 78.22, -0.0,
                                             L::quiet_NaN(), L::infinity(), 1e6};
        return special[in.ConsumeIntegralInRange<std::size_t>(0, special.size() - 1)];
    }
    default: return in.ConsumeFloatingPointInRange(-limit, limit);
    }
}

bool onTheEarth(const mooncalc::ObserverLocation& location) {
    return std::fabs(location.latitude) <= 90.0 && std::isfinite(location.longitude);
}

bool placed(Date date) { return std::fabs(date.secondsSince1970()) < fuzz_instants::surelyInside; }
bool beyondCalendar(Date date) { return !(std::fabs(date.secondsSince1970()) < fuzz_instants::surelyOutside); }

bool sameNumber(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }
bool same(Date a, Date b) { return sameNumber(a.secondsSince1970(), b.secondsSince1970()); }

// Whether the position calculator takes the instant: placed, and not within a
// day of the days before the calendar reform (Julian days 2299150 to 2299160).
bool takenByPositions(Date date) {
    if (!placed(date)) return false;
    const double jd = date.secondsSince1970() / dayInSeconds + 2440587.5;
    return !(jd > 2299149.0 && jd < 2299161.0);
}

bool isNumber(const std::optional<double>& value) { return value && std::isfinite(*value); }

// A semi-duration of a phase whose shadow radius is `radius`: a number when
// the Moon's centre comes that close to the axis, NaN when it does not; on
// the boundary itself either.
void checkSemiDuration(const std::optional<double>& value, double radius, double gamma) {
    FUZZ_CHECK(value.has_value());
    const double margin = std::fabs(radius) - std::fabs(gamma);
    if (margin > 1e-9) FUZZ_CHECK(std::isfinite(*value) && *value >= 0.0);
    if (margin < -1e-9) FUZZ_CHECK(std::isnan(*value));
}

void checkEclipse(const Eclipse& eclipse, Date date, EclipseCalculator::EclipseType type, bool next) {
    const double s = date.secondsSince1970();
    const double fromEpoch = std::fabs(s - seconds1900);
    if (!(fromEpoch < 20'100 * yearInSeconds)) {
        FUZZ_CHECK(!eclipse.maxPhaseDate && eclipse.type == Eclipse::EclipseType::undefined);
        return;
    }
    if (fromEpoch > 19'900 * yearInSeconds) return;
    FUZZ_CHECK(eclipse.maxPhaseDate.has_value());
    const double found = eclipse.maxPhaseDate->secondsSince1970();
    FUZZ_CHECK(std::isfinite(found));
    FUZZ_CHECK(next ? !(*eclipse.maxPhaseDate < date) : *eclipse.maxPhaseDate < date);
    // The search looks at no more than 30 lunations.
    FUZZ_CHECK(std::fabs(found - s) <= 31 * synodicMonth);
    FUZZ_CHECK(std::isfinite(eclipse.phase) && eclipse.phase >= 0.0);
    FUZZ_CHECK(std::isfinite(eclipse.gamma) && std::isfinite(eclipse.u));
    FUZZ_CHECK(!eclipse.visibility && !eclipse.jdBestVisible && !eclipse.phaseLocal && !eclipse.jdLocal &&
               !eclipse.jdLocalPartialStart && !eclipse.jdLocalPartialEnd);
    using Kind = Eclipse::EclipseType;
    if (type == EclipseCalculator::EclipseType::solar) {
        FUZZ_CHECK(eclipse.type == Kind::solarNoncentral || eclipse.type == Kind::solarPartial ||
                   eclipse.type == Kind::solarCentralTotal || eclipse.type == Kind::solarCentralAnnular ||
                   eclipse.type == Kind::solarCentralAnnularTotal);
        FUZZ_CHECK(!eclipse.rho && !eclipse.sigma && !eclipse.sdPenumbra && !eclipse.sdPartial && !eclipse.sdTotal);
        return;
    }
    FUZZ_CHECK(eclipse.type == Kind::lunarUmbralTotal || eclipse.type == Kind::lunarUmbralPartial ||
               eclipse.type == Kind::lunarPenumbral);
    FUZZ_CHECK(isNumber(eclipse.rho) && isNumber(eclipse.sigma) && isNumber(eclipse.sdPenumbra));
    checkSemiDuration(eclipse.sdPartial, 1.0129 - eclipse.u, eclipse.gamma);
    checkSemiDuration(eclipse.sdTotal, 0.4679 - eclipse.u, eclipse.gamma);
    // The kind follows the umbral magnitude, and a total one has a totality.
    if (eclipse.type == Kind::lunarUmbralTotal) FUZZ_CHECK(eclipse.phase >= 1.0 && isNumber(eclipse.sdTotal));
    if (eclipse.type == Kind::lunarUmbralPartial) FUZZ_CHECK(eclipse.phase > 0.0 && eclipse.phase < 1.0);
}

void checkInfo(mooncalc::MoonCalculator& calculator, Date date) {
    const mooncalc::MoonInfo info = calculator.getInfo(date);
    FUZZ_CHECK(same(info.date, date));
    FUZZ_CHECK(sameNumber(info.location.latitude, calculator.location().latitude) &&
               sameNumber(info.location.longitude, calculator.location().longitude));
    FUZZ_CHECK(static_cast<int>(info.phase) >= 0 && static_cast<int>(info.phase) < 8);
    FUZZ_CHECK(info.moonModels.size() <= 3);
    checkEclipse(info.previousLunarEclipse, date, EclipseCalculator::EclipseType::lunar, false);
    checkEclipse(info.nextLunarEclipse, date, EclipseCalculator::EclipseType::lunar, true);

    if (!onTheEarth(calculator.location())) return;
    if (takenByPositions(date)) FUZZ_CHECK(info.illumination.has_value());
    if (info.illumination) {
        const mooncalc::Illumination& lit = *info.illumination;
        FUZZ_CHECK(lit.fraction >= 0.0 && lit.fraction <= 1.0);
        FUZZ_CHECK(lit.phase >= 0.0 && lit.phase <= 1.0);
        FUZZ_CHECK(lit.angle >= -pi && lit.angle <= pi);
    }
    if (beyondCalendar(date)) FUZZ_CHECK(info.moonModels.empty());
    // Lunar days in order: each ends after it begins, and no bound goes back
    // before the bounds ahead of it. All lie near the instant's UTC day.
    std::optional<Date> latest;
    for (const mooncalc::MoonModel& model : info.moonModels) {
        FUZZ_CHECK(model.age >= 0 && model.age <= 30);
        FUZZ_CHECK(static_cast<int>(model.sign) >= 0 && static_cast<int>(model.sign) < 12);
        if (model.begin && model.finish) FUZZ_CHECK(*model.begin < *model.finish);
        for (const auto& bound : {model.begin, model.finish}) {
            if (!bound) continue;
            FUZZ_CHECK(std::fabs(bound->timeIntervalSince(date)) < 4 * dayInSeconds);
            if (latest) FUZZ_CHECK(!(*bound < *latest));
            latest = bound;
        }
    }
}

// The Moon's height above its rise altitude at an instant, radians; NaN where
// the position calculator refuses the instant.
double aboveRiseAltitude(const mooncalc::ObserverLocation& location, Date date) {
    const auto calculator = mooncalc::SunMoonCalculator::make(date, location);
    return calculator ? calculator->moonAboveRiseSetAltitude() : std::numeric_limits<double>::quiet_NaN();
}

void checkRiseOrSet(const mooncalc::ObserverLocation& location, Date date, bool rise) {
    const mooncalc::MoonRiseSetCalculator calculator(location);
    const mooncalc::RiseSetResult result = rise ? calculator.getMoonRise(date) : calculator.getMoonSet(date);
    if (!std::isfinite(date.secondsSince1970()) || !std::isfinite(location.latitude) ||
        !std::isfinite(location.longitude)) {
        FUZZ_CHECK(!result);
        return;
    }
    if (!result || !onTheEarth(location)) return;   // the Moon need not rise (or settle) that day
    const double s = result->secondsSince1970();
    FUZZ_CHECK(std::isfinite(s) && s == std::floor(s));
    // The next event or, on the same UTC day, the last one before; refined,
    // from a day before to two days after (the second truncated).
    const double offset = s - date.secondsSince1970();
    FUZZ_CHECK(offset >= -dayInSeconds - 1.0 && offset <= 2 * dayInSeconds);
    // Where the theory holds, and the sidereal time keeps its seconds (a
    // longitude within a million turns).
    if (!(std::fabs(date.secondsSince1970() - seconds2000) < 10'000 * yearInSeconds) ||
        !(std::fabs(location.longitude) < 360.0e6))
        return;
    // Within two seconds of the event (refined to a second, then truncated):
    // no farther from the rise altitude than the Moon moves in that time, 17
    // degrees an hour at most. Five seconds either side, it stands lower
    // before a rise than after, and higher before a set.
    constexpr double degree = pi / 180.0;
    const double before = aboveRiseAltitude(location, result->addingTimeInterval(-5.0));
    const double after = aboveRiseAltitude(location, result->addingTimeInterval(5.0));
    if (!takenByPositions(result->addingTimeInterval(-5.0)) || !takenByPositions(result->addingTimeInterval(5.0)))
        return;
    FUZZ_CHECK(std::fabs(aboveRiseAltitude(location, *result)) <= 0.01 * degree);
    FUZZ_CHECK(rise ? before < after : before > after);
}

void checkAge(Date date) {
    const mooncalc::MoonAgeCalculator calculator;
    const double age = calculator.getMoonAge(date);
    const std::vector<std::int64_t> ages = calculator.getMoonAges(date);
    if (beyondCalendar(date)) {
        FUZZ_CHECK(std::isnan(age) && ages.empty());
        return;
    }
    if (!placed(date)) return;
    FUZZ_CHECK(age >= 0.0 && age < 29.53);
    FUZZ_CHECK(!ages.empty() && ages.size() <= 3);
    for (const std::int64_t lunarDay : ages) FUZZ_CHECK(lunarDay >= 0 && lunarDay <= 30);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    platform::TimeZone::setCurrentOverride(fuzz_instants::zone(in));
    const mooncalc::ObserverLocation location{coordinate(in, 90.0), coordinate(in, 180.0)};
    mooncalc::MoonCalculator calculator(location);
    for (int operation = 0; operation < 4 && in.remaining_bytes() > 0; ++operation) {
        const int kind = in.ConsumeIntegralInRange<int>(0, 3);
        const Date date = fuzz_instants::instant(in);
        switch (kind) {
        case 0: checkInfo(calculator, date); break;
        case 1: {
            const auto type = in.ConsumeBool() ? EclipseCalculator::EclipseType::lunar
                                               : EclipseCalculator::EclipseType::solar;
            const bool next = in.ConsumeBool();
            checkEclipse(EclipseCalculator::getEclipseFor(date, type, next), date, type, next);
            break;
        }
        case 2: checkRiseOrSet(location, date, in.ConsumeBool()); break;
        default: checkAge(date); break;
        }
    }
    return 0;
}
