// Two centuries of eclipses against the Swiss Ephemeris library's global
// search: each of its eclipses from 1900 to 2100 should be found by the
// calculator within 10 minutes of its greatest eclipse, with the same kind
// except near a boundary between kinds. The method's instants are dynamical
// time read as UTC (delta T is about -3 s in 1900, 64 s in 2000 and some
// 3.5 minutes by 2100); the library's are UTC.
#include "mooncalc/eclipse_calculator.h"
#include "mooncalc_test_support.h"
#include "platform/core/julian_day.h"
#include "platform/core/swiss_ephemeris.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

namespace mooncalc {
namespace {

using Kind = EclipseCalculator::EclipseType;
using Type = Eclipse::EclipseType;
using swisseph::EclipseKind;

constexpr double tolerance = 600.0;   // seconds
constexpr double matchShare = 0.99;

const platform::Date start = mooncalc_test::utc(1900, 1, 1);
const platform::Date end = mooncalc_test::utc(2100, 1, 1);

std::vector<Eclipse> calculatorEclipses(Kind kind) {
    std::vector<Eclipse> found;
    platform::Date from = start.addingTimeInterval(-86400.0);
    while (from < end.addingTimeInterval(86400.0)) {
        const Eclipse e = EclipseCalculator::getEclipseFor(from, kind, true);
        if (!e.maxPhaseDate) break;
        found.push_back(e);
        from = e.maxPhaseDate->addingTimeInterval(1.0);
    }
    return found;
}

std::vector<swisseph::GlobalEclipse> libraryEclipses(Kind kind) {
    std::vector<swisseph::GlobalEclipse> found;
    double from = astronomy::JulianDay::of(start).value;
    const double last = astronomy::JulianDay::of(end).value;
    while (true) {
        const auto e = kind == Kind::lunar ? swisseph::lunarEclipse(from, false) : swisseph::solarEclipse(from, false);
        if (const auto* error = std::get_if<swisseph::Error>(&e)) {
            ADD_FAILURE() << error->message;
            break;
        }
        const auto& eclipse = std::get<swisseph::GlobalEclipse>(e);
        if (eclipse.maximumUT > last) break;
        found.push_back(eclipse);
        from = eclipse.maximumUT + 1.0;
    }
    return found;
}

bool sameKind(const swisseph::GlobalEclipse& reference, const Eclipse& e) {
    switch (reference.kind) {
    case EclipseKind::penumbral: return e.type == Type::lunarPenumbral;
    case EclipseKind::partial: return e.type == Type::lunarUmbralPartial || e.type == Type::solarPartial;
    case EclipseKind::total:
        return e.type == Type::lunarUmbralTotal ||
               e.type == (reference.central ? Type::solarCentralTotal : Type::solarNoncentral);
    case EclipseKind::annular:
        return e.type == (reference.central ? Type::solarCentralAnnular : Type::solarNoncentral);
    case EclipseKind::hybrid:
        return e.type == (reference.central ? Type::solarCentralAnnularTotal : Type::solarNoncentral);
    }
    return false;
}

// A magnitude within 0.02 of 1 (total or partial, total or annular), or for a
// solar eclipse the shadow's axis within 0.01 Earth radii of grazing the Earth.
bool nearKindBoundary(Kind kind, const swisseph::GlobalEclipse& reference, const Eclipse& e) {
    if (std::fabs(reference.magnitude - 1.0) <= 0.02) return true;
    return kind == Kind::solar && std::fabs(std::fabs(e.gamma) - 0.9972) <= 0.01;
}

const char* nameOf(EclipseKind kind) {
    switch (kind) {
    case EclipseKind::total: return "total";
    case EclipseKind::annular: return "annular";
    case EclipseKind::hybrid: return "hybrid";
    case EclipseKind::partial: return "partial";
    case EclipseKind::penumbral: return "penumbral";
    }
    return "?";
}

const char* nameOf(Type type) {
    switch (type) {
    case Type::undefined: return "undefined";
    case Type::solarNoncentral: return "non-central";
    case Type::solarPartial: return "partial";
    case Type::solarCentralTotal: return "total";
    case Type::solarCentralAnnular: return "annular";
    case Type::solarCentralAnnularTotal: return "hybrid";
    case Type::lunarUmbralTotal: return "total";
    case Type::lunarUmbralPartial: return "partial";
    case Type::lunarPenumbral: return "penumbral";
    }
    return "?";
}

void expectToMatchTheLibrary(Kind kind) {
    const std::vector<Eclipse> ours = calculatorEclipses(kind);
    const std::vector<swisseph::GlobalEclipse> theirs = libraryEclipses(kind);
    ASSERT_GT(theirs.size(), 400u);

    std::size_t matched = 0;
    std::size_t boundaryKinds = 0;
    double worst = 0.0;
    std::ostringstream misses;
    for (const swisseph::GlobalEclipse& reference : theirs) {
        const platform::Date when = astronomy::JulianDay{reference.maximumUT}.date();
        const auto nearest = std::min_element(ours.begin(), ours.end(), [&](const Eclipse& a, const Eclipse& b) {
            return std::fabs(a.maxPhaseDate->timeIntervalSince(when)) < std::fabs(b.maxPhaseDate->timeIntervalSince(when));
        });
        const double offset = nearest == ours.end() ? INFINITY : nearest->maxPhaseDate->timeIntervalSince(when);
        const bool found = std::fabs(offset) <= tolerance;
        const bool kindMatches = found && sameKind(reference, *nearest);
        const bool boundary = found && !kindMatches && nearKindBoundary(kind, reference, *nearest);
        if (found) worst = std::max(worst, std::fabs(offset));
        if (kindMatches || boundary) {
            ++matched;
            if (boundary) ++boundaryKinds;
        } else {
            misses << "  " << mooncalc_test::utcMinute(when) << ' ' << nameOf(reference.kind)
                   << (reference.central ? " central" : "") << " magnitude " << reference.magnitude
                   << (kind == Kind::lunar ? " (penumbral " : " (diameter ratio ") << reference.secondMagnitude << ')';
            if (nearest != ours.end())
                misses << ": nearest found " << std::round(offset / 60.0) << " min away, " << nameOf(nearest->type)
                       << ", magnitude " << nearest->phase << ", gamma " << nearest->gamma;
            misses << '\n';
        }
    }
    const double share = static_cast<double>(matched) / static_cast<double>(theirs.size());
    std::cout << (kind == Kind::lunar ? "lunar" : "solar") << " eclipses 1900-2100: " << matched << " of "
              << theirs.size() << " matched (" << 100.0 * share << "%), " << boundaryKinds
              << " of them with another kind near a boundary; the calculator found " << ours.size()
              << "; worst time difference " << worst << " s\n"
              << misses.str();
    EXPECT_GE(share, matchShare) << misses.str();
}

TEST(EclipseAccuracy, LunarEclipsesOf1900To2100MatchTheSwissEphemeris) {
    expectToMatchTheLibrary(Kind::lunar);
}

TEST(EclipseAccuracy, SolarEclipsesOf1900To2100MatchTheSwissEphemeris) {
    expectToMatchTheLibrary(Kind::solar);
}

} // namespace
} // namespace mooncalc
