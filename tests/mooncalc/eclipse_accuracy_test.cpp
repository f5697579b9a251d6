// Eclipses of the years 0 to 3000 against the Swiss Ephemeris library's global
// search: each of its eclipses in the sampled spans should be found by the
// calculator near its greatest eclipse, with the same kind except near a
// boundary between kinds. Both give universal time. How near depends on the
// years (the method's own error and the two libraries' delta T part away from
// 1900): within the limits eclipse_calculator.h states for each span. Outside
// its data files (1800 to 2399) the library searches with its analytic theory.
#include "mooncalc/eclipse_calculator.h"
#include "mooncalc_test_support.h"
#include "platform/core/julian_day.h"
#include "platform/core/julian_day_numbers.h"
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

// The calculator's eclipse nearest to the library's is the same eclipse when
// within a day of it (the next one of its kind is a lunation away); it has the
// same kind, except near a boundary between kinds, for this share of them. The
// smallest penumbral and partial eclipses escape the method altogether.
constexpr double sameEclipse = 86400.0;   // seconds
constexpr double matchShare = 0.97;

// Years [first, last), all of whose eclipses are compared.
struct Span {
    int first;
    int last;
};

struct Range {
    const char* name;
    double toleranceMinutes;
    std::vector<Span> spans;
};

// From 1900 to 2100, where the library has its data files, every eclipse; the
// other ranges by two decades at their ends and middle. The limits are those
// eclipse_calculator.h states.
const std::vector<Range> ranges{
    {"1600-2100", 7.0, {{1600, 1620}, {1740, 1760}, {1900, 2100}}},
    {"1000-1600", 13.0, {{1000, 1020}, {1290, 1310}, {1580, 1600}}},
    {"2100-2300", 15.0, {{2100, 2120}, {2280, 2300}}},
    {"2300-3000", 30.0, {{2640, 2660}, {2980, 3000}}},
    {"0-1000", 27.0, {{0, 20}, {490, 510}, {980, 1000}}},
};

std::vector<Eclipse> calculatorEclipses(Kind kind, Span span) {
    std::vector<Eclipse> found;
    const platform::Date end = astronomy::JulianDay{astronomy::julianDayOfNewYear(span.last) + 1.0}.date();
    platform::Date from = astronomy::JulianDay{astronomy::julianDayOfNewYear(span.first) - 1.0}.date();
    while (from < end) {
        const Eclipse e = EclipseCalculator::getEclipseFor(from, kind, true);
        if (!e.maxPhaseDate) break;
        found.push_back(e);
        from = e.maxPhaseDate->addingTimeInterval(1.0);
    }
    return found;
}

std::vector<swisseph::GlobalEclipse> libraryEclipses(Kind kind, Span span) {
    std::vector<swisseph::GlobalEclipse> found;
    double from = astronomy::julianDayOfNewYear(span.first);
    const double last = astronomy::julianDayOfNewYear(span.last);
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

void expectToMatchTheLibrary(Kind kind, const Range& range) {
    const double tolerance = range.toleranceMinutes * 60.0;
    std::size_t compared = 0;
    std::size_t matched = 0;
    std::size_t boundaryKinds = 0;
    double worst = 0.0;
    std::ostringstream misses;
    for (const Span span : range.spans) {
        const std::vector<Eclipse> ours = calculatorEclipses(kind, span);
        const std::vector<swisseph::GlobalEclipse> theirs = libraryEclipses(kind, span);
        // Some two eclipses of each kind a year.
        EXPECT_GT(theirs.size(), static_cast<std::size_t>(span.last - span.first) * 2) << span.first;
        compared += theirs.size();
        for (const swisseph::GlobalEclipse& reference : theirs) {
            const platform::Date when = astronomy::JulianDay{reference.maximumUT}.date();
            const auto nearest = std::min_element(ours.begin(), ours.end(), [&](const Eclipse& a, const Eclipse& b) {
                return std::fabs(a.maxPhaseDate->timeIntervalSince(when)) <
                       std::fabs(b.maxPhaseDate->timeIntervalSince(when));
            });
            const double offset = nearest == ours.end() ? INFINITY : nearest->maxPhaseDate->timeIntervalSince(when);
            const bool found = std::fabs(offset) <= sameEclipse;
            const bool kindMatches = found && sameKind(reference, *nearest);
            const bool boundary = found && !kindMatches && nearKindBoundary(kind, reference, *nearest);
            if (found) {
                worst = std::max(worst, std::fabs(offset));
                EXPECT_LE(std::fabs(offset), tolerance) << range.name << ": " << mooncalc_test::utcMinute(when);
            }
            if (kindMatches || boundary) {
                ++matched;
                if (boundary) ++boundaryKinds;
            } else {
                misses << "  " << mooncalc_test::utcMinute(when) << ' ' << nameOf(reference.kind)
                       << (reference.central ? " central" : "") << " magnitude " << reference.magnitude
                       << (kind == Kind::lunar ? " (penumbral " : " (diameter ratio ") << reference.secondMagnitude
                       << ')';
                if (nearest != ours.end())
                    misses << ": nearest found " << std::round(offset / 60.0) << " min away, "
                           << nameOf(nearest->type) << ", magnitude " << nearest->phase << ", gamma "
                           << nearest->gamma;
                misses << '\n';
            }
        }
    }
    const double share = static_cast<double>(matched) / static_cast<double>(compared);
    std::cout << (kind == Kind::lunar ? "lunar" : "solar") << " eclipses " << range.name << ": " << matched
              << " of " << compared << " matched (" << 100.0 * share << "%), " << boundaryKinds
              << " of them with another kind near a boundary; worst time difference " << worst / 60.0 << " min of "
              << range.toleranceMinutes << " allowed\n"
              << misses.str();
    EXPECT_GE(share, matchShare) << range.name << '\n' << misses.str();
}

TEST(EclipseAccuracy, LunarEclipsesOfYears0To3000MatchTheSwissEphemeris) {
    for (const Range& range : ranges) expectToMatchTheLibrary(Kind::lunar, range);
}

TEST(EclipseAccuracy, SolarEclipsesOfYears0To3000MatchTheSwissEphemeris) {
    for (const Range& range : ranges) expectToMatchTheLibrary(Kind::solar, range);
}

} // namespace
} // namespace mooncalc
