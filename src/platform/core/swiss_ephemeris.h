#pragma once
// Typed access to the Swiss Ephemeris library (libswe 2.10).
//
// This header and swiss_ephemeris.cpp are the only places that know the
// library's C interface; its own header defines macros (OK, TRUE, ...) that must
// not leak into the rest of the program. Every call states failure explicitly:
// a negative library status, a non-finite argument or a non-finite result
// becomes an Error, never a position of zero degrees. The library's fallback to
// its analytic theory when it finds no data files is not a failure.
//
// The library reads the numbers of its star catalogue and delta T table with
// atof, as the C locale writes them: every call runs it in that locale on the
// calling thread, whatever locale the process chose (Qt sets LC_NUMERIC from
// LANG), and the thread's own locale is back when it returns.
//
// The library keeps its state (open data files, the data path) per thread.
// Every wrapper first makes sure that the calling thread has been given the
// process's data path (the installed data unless setEphemerisPath chose
// another): without it the library finds no fixed-star catalogue on that thread.
//
// The data files are outside input that moves every result (a delta T table, a
// star catalogue), so they are never looked for in the current folder, which the
// library's own default path searches first: a program started from a folder
// holding a sedeltat.txt or sefstars.txt would take its delta T or its stars
// from there. The library's variable SE_EPHE_PATH still wins over the path
// chosen here, as the library has it; one that names the current folder, or
// that the library would read otherwise than it is written (a line break, more
// than 20 folders), stops every call with an error instead. The variable is read
// when the path is applied: on each thread's first call and after every
// setEphemerisPath.
//
// The library opens its files by name, with a blocking open, so it is never
// pointed at the chosen folders themselves: when the path is applied, every planetary file and
// delta T table it may open there is looked for as the library would, and each
// one found must be a regular file (else every call that reads files is an
// error naming it); the library then reads these very planetary files, copies
// of checked star catalogues, and a copy of the lines of the delta T table that
// it stores safely, from a folder only this process writes
// (internal/ephemeris_data_files.h), in the first of XDG_RUNTIME_DIR, TMPDIR and
// /tmp that takes it and what it must hold. Where none does, the calls that read
// files are errors saying, for each of them, why; the others go on. A table
// larger than 1 MiB (refused unread), or one holding lines the library would
// store unsafely and none it stores safely, is an error naming it
// (internal/delta_t_table.h). Files for other bodies (fictitious ones, numbered
// asteroids) and JPL files it does not find. A planetary file or table added to
// the chosen folders, or renamed over one, is read once the path is applied
// again (a table only by threads that have not yet asked for a delta T: the
// library reads it once per thread); a star catalogue, before the next star on
// every thread. While SE_EPHE_PATH wins, it holds the private folder only while
// the library reads it, so processes the program starts see the user's value
// (but for one started in that moment).
//
// A call reads no file when its flags ask for the analytic theory alone
// (flag::moshier), and ayanamsha reads none: these never depend on the data
// files or the private folder, and go on when the files are refused, with the
// library's own delta T model (no delta T table of the folders). Every other call
// reads files. A refusal whose cause passes (descriptors or memory running short,
// an I/O error) is not kept: the next call that reads files gathers the files
// again.

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
inline constexpr std::int32_t noNutation = 64;
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
    std::array<double, 13> cusps{};    // index 1..12; index 0 is unused
    std::array<double, 10> ascmc{};    // ascendant, MC, ARMC, vertex, ...
    // Placidus and Koch are undefined beyond the polar circles; there the
    // library computes Porphyry cusps instead and says so only through its status.
    bool fellBack = false;
};

// Atmosphere for refraction at the horizon; zero pressure lets the library
// estimate it from the observer's altitude.
struct Atmosphere {
    double pressure = 0.0;      // hectopascals
    double temperature = 0.0;   // degrees Celsius
};

// The span of Julian days the library covers at all: that of its widest theory,
// the mean lunar node (15 August 13201 BC to 15 March 17191, as the library
// states in its own range error). Every call below refuses a Julian day outside
// it, or one that is not finite, before the library sees it: far beyond it the
// library overflows its own buffers and integers (a mean node at JD -1e164
// overruns its error text). Within it, a body or file the library cannot serve
// is still the library's own error.
inline constexpr double earliestJulianDay = -3100015.5;
inline constexpr double latestJulianDay = 8000016.5;

// Universal-time Julian day of a date in the Gregorian (gregorian=true) or Julian calendar.
double julianDay(int year, int month, int day, double hour, bool gregorian = true);

// Delta T (TT - UT) in days for a universal-time Julian day, with the library's
// model. Not a number for a Julian day the library does not cover, and while the
// library may not read files (an SE_EPHE_PATH that names the current folder,
// data files refused, no private folder).
double deltaT(double julianDayUT);

// The same for the ephemeris named in `flags` (the flagsUsed of a Position),
// whose own tidal acceleration enters the model: the delta T with which
// calculateUT gives a position computed with that ephemeris.
double deltaT(double julianDayUT, std::int32_t flags);

Result<Position> calculateUT(double julianDayUT, std::int32_t body, std::int32_t flags);

// The same for a Julian day on the ephemeris time scale (TT), as the library
// defines it: no delta T is computed.
Result<Position> calculate(double julianDayET, std::int32_t body, std::int32_t flags);

// `name` is looked up as the library does (blanks removed, case ignored before a
// comma); `julianDay` is on the ephemeris time scale as the library defines it.
// The library reads its whole star catalogue on a thread's first star, and some
// damage crashes it or stops it there. So before every call the catalogue it
// would read (sefstars.txt, else fixstars.cat, in the first folder of its path
// that holds one) is checked, once per version of the file, and refused with an
// error naming it when it is no regular file, is larger than 1 MiB, or has a line
// the library would read that is longer than 255 bytes, holds a NUL byte, has
// fewer than the 14 fields of a star or an empty one after the name; or when it
// holds no star at all. The library reads a copy of the bytes checked.
Result<StarPosition> fixedStar(std::string_view name, double julianDay, std::int32_t flags);

// The mean ayanamsha (without nutation) of the library's default sidereal mode,
// Fagan/Bradley; `julianDay` on the ephemeris time scale as the library defines it.
Result<double> ayanamsha(double julianDay);

// Cusps and angles for a place; `system` is the library's letter for the house
// system. Latitude must lie in -90...90. Gauquelin sectors are not offered.
Result<Houses> houses(double julianDayUT, double latitude, double longitude, char system);

Result<std::array<double, 20>> phenomenaUT(double julianDayUT, std::int32_t body, std::int32_t flags);

// The next rise or set of a numbered body after `julianDayUT`, searched with the
// library's data files. `std::nullopt` when the body neither rises nor sets there.
Result<std::optional<double>> riseOrSet(double julianDayUT, std::int32_t body, bool rise,
                                        double longitude, double latitude, double altitude,
                                        Atmosphere atmosphere = {});

// First universal-time instant at or after `julianDayUT` at which the Sun's
// apparent longitude crosses `longitude` (degrees).
Result<double> solarCrossingUT(double longitude, double julianDayUT, std::int32_t flags);

// An eclipse as the library's global search finds it, for checking other
// eclipse searches against.
enum class EclipseKind : std::uint8_t { total, annular, hybrid, partial, penumbral };

struct GlobalEclipse {
    double maximumUT = 0.0;        // Julian day (UT) of greatest eclipse
    EclipseKind kind = EclipseKind::partial;
    bool central = false;          // solar: the shadow's axis meets the Earth
    // Lunar: the umbral magnitude. Solar: the fraction of the Sun's diameter
    // covered where the eclipse is greatest.
    double magnitude = 0.0;
    // Lunar: the penumbral magnitude. Solar: the ratio of the Moon's apparent
    // diameter to the Sun's there (above 1 for a total eclipse).
    double secondMagnitude = 0.0;
};

// The first lunar (solar) eclipse of any kind after `julianDayUT`, or the last
// one before it when `backward`; with the library's data files. Refused, as every
// call, while SE_EPHE_PATH names the current folder.
Result<GlobalEclipse> lunarEclipse(double julianDayUT, bool backward);
Result<GlobalEclipse> solarEclipse(double julianDayUT, bool backward);

// The longest folder list the library takes; a longer one it silently replaces
// by its default.
inline constexpr std::size_t maximumEphemerisPathLength = 242;

// Chooses the data folder (a list separated by ':' or ';', as the library splits
// it) for every thread, or the installed data for std::nullopt. Refused (false,
// nothing changed) when the library would silently ignore it (longer than
// maximumEphemerisPathLength or holding a NUL byte), read it against the current
// folder (an entry that is empty or not an absolute path) or read it otherwise
// than it is written (a line break, more than 20 folders). SE_EPHE_PATH still
// wins over it.
bool setEphemerisPath(std::optional<std::string_view> folder);

// Removes the private folders that this user's runs of the program (of any
// program on this bridge) on this machine left behind when they ended without
// removing them, killed: for the program's start. The first gathering of the data files in a
// process does it too. What is taken for such a folder, and how far it looks:
// internal/private_data_folder.h.
void removeLeftoverFolders();

// A number that changes whenever setEphemerisPath is obeyed, and only then. A
// result computed while it had one value may be reused as long as it keeps it;
// read it before computing, since a change may come from another thread at any
// time. Never 0.
std::uint64_t ephemerisGeneration() noexcept;

// The folders of the installed data files: the library's default path
// ("/usr/share/libswe/ephe/:/usr/local/share/libswe/ephe/" on Debian) without
// its first entry, the current folder.
std::string_view installedEphemerisPath();
std::string version();

} // namespace swisseph
