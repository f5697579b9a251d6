#pragma once
// One eclipse as the eclipse search finds it: the instant of greatest eclipse,
// its kind and magnitude, and for a lunar eclipse the semi-durations of its
// phases. A plain value; the search fills only some fields (see each).

#include "platform/core/date.h"

#include <cstdint>
#include <optional>

namespace mooncalc {

struct Eclipse {
    enum class EclipseType : std::uint8_t {
        undefined,
        solarNoncentral,            // the shadow's axis misses the Earth, the umbra or antumbra does not
        solarPartial,
        solarCentralTotal,
        solarCentralAnnular,
        solarCentralAnnularTotal,   // hybrid: annular along part of the track, total along the rest
        lunarUmbralTotal,
        lunarUmbralPartial,
        lunarPenumbral,
    };

    // Where a local eclipse can be seen from; no search sets `visibility`.
    static constexpr int visibilityNone = 0;
    static constexpr int visibilityPartial = 1;
    static constexpr int visibilityFull = 2;
    static constexpr int visibilityStartPenumbra = 3;
    static constexpr int visibilityStartPartial = 4;
    static constexpr int visibilityStartFull = 5;
    static constexpr int visibilityEndFull = 6;
    static constexpr int visibilityEndPartial = 7;
    static constexpr int visibilityEndPenumbra = 8;

    // Greatest eclipse, universal time: the method's dynamical-time instant less
    // the model delta T (eclipse_calculator.h). Absent when the search found nothing.
    std::optional<platform::Date> maxPhaseDate;
    // Magnitude: umbral, or penumbral for a penumbral lunar eclipse; for a solar
    // eclipse 1 when central or non-central, else the partial magnitude.
    double phase = 0.0;
    EclipseType type = EclipseType::undefined;
    // Least distance of the shadow's axis from the Earth's centre (solar) or of
    // the Moon's centre from the shadow's axis (lunar), in Earth radii; signed.
    double gamma = 0.0;
    // Radius of the umbral cone in the fundamental plane, in Earth radii.
    double u = 0.0;
    std::optional<int> visibility;
    std::optional<double> jdBestVisible;
    // Lunar only: radii of the penumbra (1.2847 + u) and of the umbra (0.7494 - u).
    std::optional<double> rho;
    std::optional<double> sigma;
    // Lunar only, minutes: half the duration of the penumbral, partial and total
    // phase; NaN for a phase the eclipse does not have.
    std::optional<double> sdPenumbra;
    std::optional<double> sdPartial;
    std::optional<double> sdTotal;
    std::optional<double> phaseLocal;
    std::optional<double> jdLocal;
    std::optional<double> jdLocalPartialStart;
    std::optional<double> jdLocalPartialEnd;
};

} // namespace mooncalc
