// The bridge to the Swiss Ephemeris library: what it refuses before the library
// sees it. Values beyond the library's span are checked against what the library
// itself reports at its edges (its range error for the mean node names
// -3100015.50 .. 8000016.50).

#include "platform/core/swiss_ephemeris.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <variant>

using namespace swisseph;

namespace {

template <class T>
std::string errorOf(const Result<T>& result) {
    if (const auto* error = std::get_if<Error>(&result)) return error->message;
    return "no error";
}

// 1970-01-01 plus `seconds`, as the layer above turns an instant into a Julian day.
double julianDayOfSeconds(double seconds) { return 2440587.5 + seconds / 86400.0; }

const std::string outside =
    "the Julian day lies outside the span the ephemeris library covers, -3100015.5 to 8000016.5";

} // namespace

// Far beyond its span the library overruns its own error text (a mean node at
// JD -1e164 crashed the process) and its file-name arithmetic overflows; the
// bridge answers before any of that is reached.
TEST(SwissEphemeris, JulianDaysBeyondTheLibrarysSpanAreRefused) {
    for (const double julianDay : {julianDayOfSeconds(-1e200), julianDayOfSeconds(1e200), -1e164, 1e164, -1e20,
                                   std::nextafter(earliestJulianDay, -1e300), std::nextafter(latestJulianDay, 1e300),
                                   -3100016.0, 8000017.0, -std::numeric_limits<double>::max()}) {
        SCOPED_TRACE(julianDay);
        EXPECT_EQ(errorOf(calculateUT(julianDay, body::meanNode, flag::speed)), outside);
        EXPECT_EQ(errorOf(calculate(julianDay, body::meanNode, flag::speed)), outside);
        EXPECT_EQ(errorOf(calculateUT(julianDay, body::sun, flag::speed)), outside);
        EXPECT_EQ(errorOf(fixedStar("sirius", julianDay, flag::speed)), outside);
        EXPECT_EQ(errorOf(ayanamsha(julianDay)), outside);
        EXPECT_EQ(errorOf(houses(julianDay, 51.5, 0.0, 'P')), outside);
        EXPECT_EQ(errorOf(phenomenaUT(julianDay, body::moon, flag::speed)), outside);
        EXPECT_EQ(errorOf(riseOrSet(julianDay, body::sun, true, 0.0, 51.5, 0.0)), outside);
        EXPECT_EQ(errorOf(solarCrossingUT(90.0, julianDay, 0)), outside);
        EXPECT_EQ(errorOf(lunarEclipse(julianDay, false)), outside);
        EXPECT_EQ(errorOf(solarEclipse(julianDay, true)), outside);
        EXPECT_TRUE(std::isnan(deltaT(julianDay)));
        EXPECT_TRUE(std::isnan(deltaT(julianDay, flag::swissEphemeris)));
    }
    // Not a number is refused as before, with its own reason.
    EXPECT_EQ(errorOf(calculateUT(std::nan(""), body::sun, 0)), "the Julian day is not a finite number");
}

TEST(SwissEphemeris, TheEdgesOfTheSpanReachTheLibrary) {
    // The mean node is the library's widest theory: at the first day of the span
    // it is computed (swe_calc_ut for body 10 there: 10.6735224 degrees).
    const auto node = calculateUT(earliestJulianDay, body::meanNode, flag::speed);
    ASSERT_TRUE(std::holds_alternative<Position>(node)) << errorOf(node);
    EXPECT_NEAR(std::get<Position>(node).values[0], 10.6735224, 1e-6);   // the probe printed 10 figures

    // At the last day the ayanamsha and delta T are still the library's answers
    // (swe_get_ayanamsa_ex without nutation gave 241.1933439 there).
    const auto last = ayanamsha(latestJulianDay);
    ASSERT_TRUE(std::holds_alternative<double>(last)) << errorOf(last);
    EXPECT_NEAR(std::get<double>(last), 241.1933439, 1e-6);
    EXPECT_TRUE(std::isfinite(deltaT(latestJulianDay)));

    // The Sun needs data files or the analytic theory (3000 BC to AD 3000): at the
    // edge it is the library that says no, in its own words.
    const std::string sun = errorOf(calculateUT(earliestJulianDay, body::sun, flag::speed));
    EXPECT_NE(sun, "no error");
    EXPECT_NE(sun, outside);
}

// An SE_EPHE_PATH that names the current folder stops every call, the eclipse
// searches among them: the library would read its data from wherever the
// program was started.
TEST(SwissEphemeris, AnEnvironmentPathOfTheStartFolderStopsEveryCall) {
    struct Restore {
        ~Restore() {
            ::unsetenv("SE_EPHE_PATH");
            static_cast<void>(setEphemerisPath(std::nullopt));
        }
    } restore;
    const std::string refusal = "SE_EPHE_PATH names a folder relative to the current one, where the ephemeris "
                                "library would read data files from wherever the program was started";
    const double julianDay = julianDayOfSeconds(1.7e9);
    for (const char* hostile : {".", "ephe", "/usr/share/libswe/ephe::/tmp"}) {
        ASSERT_EQ(::setenv("SE_EPHE_PATH", hostile, 1), 0);
        ASSERT_TRUE(setEphemerisPath(std::nullopt));
        EXPECT_EQ(errorOf(lunarEclipse(julianDay, false)), refusal) << hostile;
        EXPECT_EQ(errorOf(solarEclipse(julianDay, true)), refusal) << hostile;
        EXPECT_EQ(errorOf(calculateUT(julianDay, body::sun, 0)), refusal) << hostile;
        EXPECT_TRUE(std::isnan(deltaT(julianDay))) << hostile;
    }
    // Without it the searches reach the library again.
    ASSERT_EQ(::unsetenv("SE_EPHE_PATH"), 0);
    ASSERT_TRUE(setEphemerisPath(std::nullopt));
    EXPECT_TRUE(std::holds_alternative<GlobalEclipse>(lunarEclipse(julianDay, false)));
}
