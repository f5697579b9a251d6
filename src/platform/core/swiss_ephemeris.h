#pragma once
// Typed access to the Swiss Ephemeris library (libswe 2.10).
//
// This header and swiss_ephemeris.cpp are the only places that know the
// library's C interface; its own header defines macros (OK, TRUE, ...) that must
// not leak into the rest of the program. Every call states failure explicitly:
// a negative library status becomes an Error with the library's message, never a
// position of zero degrees.
//
// The library keeps global state (open data files, the data path) and takes no
// lock; these wrappers set the data path once per thread before the first call.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace swisseph {

// Calculation flags, as the library numbers them.
namespace flag {
inline constexpr std::int32_t swissEphemeris = 2;     // data files (the default)
inline constexpr std::int32_t moshier = 4;            // analytic theory, no files
inline constexpr std::int32_t speed = 256;
inline constexpr std::int32_t equatorial = 2048;
inline constexpr std::int32_t sidereal = 64 * 1024;
} // namespace flag

// Body numbers.
namespace body {
inline constexpr std::int32_t sun = 0;
inline constexpr std::int32_t moon = 1;
inline constexpr std::int32_t meanNode = 10;
inline constexpr std::int32_t trueNode = 11;
inline constexpr std::int32_t earth = 14;
} // namespace body

struct Error {
    std::string message;
};

template <class T>
using Result = std::variant<T, Error>;

// Six numbers: longitude, latitude, distance and their daily motions (or the
// equatorial equivalents), with the flags the library actually used.
struct Position {
    std::array<double, 6> values{};
    std::int32_t flagsUsed = 0;
    // The library fell back from the data files to its analytic theory.
    bool usedMoshier() const noexcept { return (flagsUsed & flag::moshier) != 0; }
};

struct StarPosition {
    Position position;
    std::string name;   // "traditional name,nomenclature name" as the library found it
};

struct Houses {
    std::array<double, 13> cusps{};    // index 1..12 (or 1..36 for Gauquelin, see cuspCount)
    std::array<double, 10> ascmc{};    // ascendant, MC, ARMC, vertex, ...
    int cuspCount = 12;
    bool fellBack = false;             // the library switched to Porphyry beyond the polar circle
};

// Universal-time Julian day of a date in the Gregorian (gregorian=true) or Julian calendar.
double julianDay(int year, int month, int day, double hour, bool gregorian = true);

// Delta T (TT - UT) in days for a universal-time Julian day, with the library's model.
double deltaT(double julianDayUT);

Result<Position> calculateUT(double julianDayUT, std::int32_t body, std::int32_t flags);
Result<StarPosition> fixedStar(std::string_view name, double julianDay, std::int32_t flags);
Result<double> ayanamsha(double julianDay);            // default sidereal mode, as the library gives it
Result<double> ayanamshaUT(double julianDayUT);
Result<Houses> houses(double julianDayUT, double latitude, double longitude, char system);
Result<std::array<double, 20>> phenomenaUT(double julianDayUT, std::int32_t body, std::int32_t flags);

// A rise or set time. `std::nullopt` when the body neither rises nor sets that day.
Result<std::optional<double>> riseOrSet(double julianDayUT, std::int32_t body, bool rise,
                                        double longitude, double latitude, double altitude);

// First universal-time instant at or after `julianDayUT` at which the Sun's
// apparent longitude crosses `longitude` (degrees).
Result<double> solarCrossingUT(double longitude, double julianDayUT, std::int32_t flags);

// Setting the data folder; refused (false) when the library would silently
// ignore it (longer than it can hold).
bool setEphemerisPath(std::string_view folder);
std::string_view defaultEphemerisPath() noexcept;
std::string version();

} // namespace swisseph
