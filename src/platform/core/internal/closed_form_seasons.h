#pragma once
// A closed form for the equinoxes and solstices: J. Meeus, Astronomical
// Algorithms (2nd ed., 1998), chapter 27. Within two and a half minutes of the
// true instant for the years 1000 to 3000 and three and a half for -1000 to 1000;
// half an hour at -3000, where the mean-event polynomials are far from the
// millennia they were fitted to.
//
// Private to the astronomy stand-in.

#include "platform/core/internal/solar_events.h"

namespace astronomy::closed_form {

// The instant of the event in dynamical time (a JDE), for an astronomical year
// between firstComputedYear and lastComputedYear.
double dynamicalTime(int year, SolarEvent event) noexcept;

// The same instant in universal time, with the Swiss Ephemeris library's delta T,
// or the model's (delta_t.h) while the library may not be asked.
double universalTime(int year, SolarEvent event) noexcept;

} // namespace astronomy::closed_form
