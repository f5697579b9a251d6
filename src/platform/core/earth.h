#pragma once
// The Earth's seasons for a year: the instants of the equinoxes and solstices and
// the length of each season.
//
// An Earth is built for a Julian day; the year it answers for is the calendar
// year in which that Julian day falls in the user's current time zone, on the
// calendar of platform::Calendar::current() (Gregorian, Julian before 15 October
// 1582; year 0 is 1 BC). So local midnight of 1 January names its own year in
// every zone (in UTC+14 that moment still lies in the previous UTC year), and so
// does every other moment of that local year. The Julian day is read to the
// nearest second, since it holds an instant only to tens of microseconds. One
// that is not a number counts as 1970-01-01 00:00 UTC; one beyond the span of
// ICU's calendars (some 5.8 million years either way) as its first or last day.
//
// Instants are universal time; the difference to dynamical time (delta T) is
// applied here, with the Swiss Ephemeris library's model. An event is the moment
// the Sun's apparent geocentric longitude reaches 0 degrees (March equinox), 90
// (June solstice), 180 (September equinox) or 270 (December solstice): the March
// equinox that falls in the year, and the three that follow it.
//
// Accuracy with highPrecision, against the Swiss Ephemeris library's own search:
// - 1800 to 2399, where the library has its data files: within 0.01 s;
// - -3000 to 3000 otherwise, with the library's analytic theory: within 0.1 s;
// - before -3000 and after 3000 no theory of the Sun or of delta T means
//   anything; there each event keeps the place in the calendar year (days and
//   time after 1 January 00:00 UTC) that it has in -3000 or in 3000.
// Without highPrecision, a closed form (Meeus, Astronomical Algorithms, ch. 27)
// with the same delta T: within 2.5 minutes for 1000 to 3000, 3.5 minutes for
// -1000 to 1000, half an hour at -3000; beyond, as above. Where the library may
// not read its data files (swiss_ephemeris.h: no private folder for them, a data
// file refused, an SE_EPHE_PATH that names the current folder), highPrecision
// too gives that closed form, with the program's own delta T (delta_t.h): within
// three minutes from 1700 to 2020 and 25 minutes elsewhere.
// For every year the results are finite, ascend from March to December, and move
// forward from one year to the next.
//
// All four events of a year lie in that year from -1220 on. Before that the
// Julian calendar runs so far ahead of the seasons that the December solstice
// falls in January of the next year (mid-January by -3000); it is still the one
// that follows the year's September equinox.

#include "platform/core/julian_day.h"

#include <cstdint>

namespace astronomy {

enum class Equinox : std::uint8_t { march = 0, september = 1 };
enum class Solstice : std::uint8_t { june = 0, december = 1 };
// Seasons by their northern names; spring starts at the March equinox.
enum class SeasonIndex : std::uint8_t { spring = 0, summer = 1, autumn = 2, winter = 3 };

class Earth {
public:
    explicit Earth(JulianDay julianDay, bool highPrecision = true);

    JulianDay julianDay() const noexcept { return julianDay_; }
    int year() const noexcept { return year_; }

    JulianDay equinox(Equinox which) const;
    JulianDay solstice(Solstice which) const;

    // Days from the season's first instant to the next season's, in the
    // hemisphere asked for. Northern: spring from the March equinox to the June
    // solstice, summer on to the September equinox, autumn on to the December
    // solstice, winter from there to the March equinox of the next year.
    // Southern: the same spans half a year on (spring from the September
    // equinox; summer from the December solstice into the next year).
    double seasonLength(SeasonIndex season, bool northernHemisphere) const;

private:
    JulianDay julianDay_;
    bool highPrecision_;
    int year_;
};

} // namespace astronomy
