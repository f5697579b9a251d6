#pragma once
// Delta T (TT - UT) from a model of the program's own, which needs neither the
// Swiss Ephemeris library nor its data files: the closed-form seasons take it
// while the library may not be asked (swiss_ephemeris.h: an SE_EPHE_PATH that
// names the current folder, or data files it may not be given, as where no
// private folder can be made), the eclipse search always.
//
// The polynomial expressions of F. Espenak and J. Meeus, "Five Millennium Canon
// of Solar Eclipses: -1999 to +3000" (NASA/TP-2006-214141), section 2.6, with
// the parabola of L. V. Morrison and F. R. Stephenson (2004) before -500 and
// after 2150. Within 6 seconds of the library's delta T from 1700 to 2020, half
// a minute in the 17th century, and 13 minutes from -3000 to 1600, where the two
// read the ancient eclipse records differently; beyond 2020 both extrapolate,
// and part by up to 19 minutes at 3000.

namespace astronomy {

// In days, for a Julian day on the universal time scale. Finite over the span of
// the platform calendars (julian_day_numbers.h), where the parabola carries on;
// not a number for NaN.
double modelDeltaT(double julianDayUT) noexcept;

} // namespace astronomy
