#pragma once
// The apparent topocentric positions of the Sun and the Moon for one instant and
// one observer (azimuth, elevation, distance), the instants of their rise, set
// and upper transit with the elevation at transit, and the Moon's age by its
// elongation from the Sun. A low-precision analytic theory: the Sun from its
// mean elements and the equation of the centre; the Moon from its mean elements
// and 39 terms in longitude, 17 in latitude and 13 in parallax; Laskar's
// obliquity; a two-term nutation; the IAU 1982 sidereal time; TT - UT from two
// fitted polynomials (year -600 to 2200, 0 outside); refraction from a closed
// formula; rise, set and transit estimated from the hour angle and refined.
//
// Angles are radians, instants Julian days on the UT scale, distances
// astronomical units. A rise, set or transit is first estimated at the
// instant: the next one, or the last one before it when that is nearer and on
// the instant's UT day. Each round of the refinement then moves to the event
// nearest its estimate, which may lie across a UT midnight from it (on the
// day before the instant's, or further from it than another). A rise, set or
// transit of -1 is an event that does not happen: the body stays above or
// below the horizon that day, or the refinement does not settle to a second,
// or it settles more than a day before the instant or two days after it (tens
// of thousands of years from now, where the theory no longer holds). The
// refinement takes three rounds for the Sun and five for the Moon, and goes
// on, to twenty in all, while the last round still moved the event by more
// than a second.
//
// One object answers for one instant: make it, call calcSunAndMoon(), read
// the results, which are NaN until then. An object serves one thread at a time.

#include "mooncalc/moon_illumination.h"
#include "mooncalc/observer_location.h"
#include "platform/core/date.h"
#include "platform/core/expected.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>

namespace mooncalc {

// The Julian day the calculator refuses, as computed from the instant.
struct InvalidJulianDay {
    double jd = 0.0;
    friend bool operator==(const InvalidJulianDay&, const InvalidJulianDay&) = default;
};

class SunMoonCalculator {
public:
    // Which altitude counts as rising and setting. Objects always use
    // horizon34arcmin: the body's upper limb at 34' below the true horizon.
    enum class Twilight : std::uint8_t { astronomical, nautical, civil, horizon34arcmin };

    // The instant's UTC calendar fields, Julian calendar before 15 October 1582
    // (fractions of a second dropped), give the Julian day of the instant.
    // Refused with InvalidJulianDay: a Julian day in [2299150, 2299160), the
    // days before the calendar reform (24 September to 4 October 1582, Julian);
    // an instant that is not finite or lies beyond the calendar's range (some
    // 5.8 million years); a latitude beyond -90 to 90 or a longitude that is not
    // a finite number (carrying the instant's Julian day). A longitude of many
    // turns is taken as the angle it is, but past some 10^14 degrees the local
    // sidereal time loses its seconds and rise, set and transit do not settle.
    static platform::Expected<SunMoonCalculator, InvalidJulianDay> make(platform::Date date,
                                                                          ObserverLocation location);

    // Fills every result field; calling it again gives the same results.
    void calcSunAndMoon();

    // Year, month, day, hour, minute and second of a Julian day (astronomical
    // years, the Julian calendar before 2299160.5, the second truncated).
    // Refused: [2299150, 2299160), values that are not finite or lie beyond the
    // calendar's range.
    static platform::Expected<std::array<std::int64_t, 6>, InvalidJulianDay> getDate(double jd);

    // Into [0, 2 pi).
    static double normalizeRadians(double r) noexcept;

    // The Moon's true altitude at the object's instant less the altitude at
    // which it rises and sets (its upper limb 34' below the horizon), radians:
    // negative while it is down, 0 at a rise or set.
    double moonAboveRiseSetAltitude() const noexcept;

    // Whether the Moon may come near grazing the horizon within a day of the
    // instant (|latitude| + |declination| above 82 degrees, never below 52.4
    // degrees of latitude): its rising and setting then move by hours with its
    // declination, and it may stay up or down all day.
    bool moonCanGrazeHorizon() const noexcept;

    // The moonrise (rise true) or moonset by the Moon's altitude alone: where
    // it crosses the rise altitude upwards (downwards), found by stepping the
    // altitude from the instant's 0h UT to a day after the instant and halving
    // to a second. Of the first event after the instant and the last before
    // it, the one before when it is nearer, as the refinement chooses; absent
    // when the Moon does not cross that way in the span. Events less than a
    // minute apart may be missed. Steps of a minute or more, so at most 2,880
    // altitudes; the object's own fields are left as they were.
    std::optional<double> moonRiseOrSetByAltitude(bool rise) const;

    // The moonrise (rise true) or moonset that the refinement's rounds settle
    // on from the estimate `julianDay`, as for the object's own events: mostly
    // the one nearest the estimate. Absent when they do not settle to a
    // second. The object's own fields are left as they were.
    std::optional<double> moonRiseOrSetFrom(double julianDay, bool rise) const;

    // The illumination of the instant `date`; the object's own instant and
    // observer play no part.
    std::optional<Illumination> getMoonIllumination(platform::Date date) const noexcept;

    double julianDayUT() const noexcept { return jdUT_; }
    double ttMinusUT() const noexcept { return ttMinusUT_; }   // seconds

    static constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    double sunAz = nan;             // from north through east
    double sunEl = nan;             // with refraction
    double sunRise = nan;           // Julian day (UT), or -1
    double sunSet = nan;
    double sunTransit = nan;
    double sunTransitElev = nan;    // 0 when there is no transit
    double sunDist = nan;
    double moonAz = nan;
    double moonEl = nan;
    double moonRise = nan;
    double moonSet = nan;
    double moonTransit = nan;
    // Elongation of the Moon from the Sun in longitude as days of a
    // 29.530588853-day month: 0 at conjunction, below 29.530588853.
    double moonAge = nan;
    double moonTransitElev = nan;
    double moonDist = nan;

private:
    struct Ecliptic;     // longitude, latitude, distance, angular radius
    struct Topocentric;  // azimuth ... distance, with rise, set and transit
    enum class Event : std::uint8_t { rise, set, transit };
    // Which of the events before and after the current instant doCalc gives:
    // the next, or the last one before when nearer and on the instant's UT
    // day, as a request is promised; or the nearer of the two, for the rounds
    // of a refinement, which would otherwise leave their event for the next
    // day's where a UT midnight falls between it and their estimate.
    enum class Pick : std::uint8_t { promised, nearest };
    // The result fields of one body.
    struct BodyResults {
        double& azimuth;
        double& elevation;
        double& rise;
        double& set;
        double& transit;
        double& transitElevation;
        double& distance;
    };

    SunMoonCalculator() = default;
    void setUTDate(double jd) noexcept;
    Ecliptic getSun() noexcept;
    Ecliptic getMoon() noexcept;
    Topocentric doCalc(const Ecliptic& body, Pick pick = Pick::promised) const noexcept;
    Topocentric evaluate(bool sun, Pick pick = Pick::promised) noexcept;   // at the current instant
    double obtainAccurateRiseSetTransit(double riseSetJD, Event event, int niter, bool sun) noexcept;
    void storeRefined(const Topocentric& out, bool sun, double instant, BodyResults results) noexcept;

    double jdUT_ = 0.0;
    double t_ = 0.0;           // Julian centuries of TT since J2000
    double obsLon_ = 0.0;
    double obsLat_ = 0.0;
    double ttMinusUT_ = 0.0;
    Twilight twilight_ = Twilight::horizon34arcmin;
    double slongitude_ = 0.0;  // degrees, written by each Sun evaluation
    double sanomaly_ = 0.0;    // radians, written by each Sun evaluation
};

} // namespace mooncalc
