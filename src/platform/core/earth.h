#pragma once
// The Earth's seasons for a year: the instants of the equinoxes and solstices and
// the length of each season.
//
// An Earth is built for a Julian day; the year it answers for is the calendar
// year, in the user's current time zone, in which that Julian day falls, so that
// local midnight of 1 January names its own year in every zone (in UTC+14 that
// moment still lies in the previous UTC year).
//
// Instants are universal time: the Sun's apparent geocentric longitude reaches
// 0, 90, 180 or 270 degrees at the returned Julian day.

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
    // hemisphere asked for (the southern spring starts at the September equinox).
    // Winter runs from the December (June) event into the next year.
    double seasonLength(SeasonIndex season, bool northernHemisphere) const;

private:
    JulianDay julianDay_;
    bool highPrecision_;
    int year_;
};

} // namespace astronomy
