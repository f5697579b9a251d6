#pragma once
// What the Swiss Ephemeris library (2.10) takes from a delta T table
// (swe_deltat.txt, else sedeltat.txt, the first found along its path), found by
// trying crafted tables on it. Private to src/platform/core.
//
// The library reads the table on a thread's first delta T, a line at a time into
// 256 bytes: the rest of a longer line is read as a line of its own, and a NUL
// byte ends what it sees of a line. It passes over blanks and tabs at a line's
// start, then over a line that is empty or begins with '#'. Any other line is a
// year, read as atoi reads it (other text is year 0), and a delta T in seconds,
// read as atof reads it from the fifth byte after the blanks ("1960.7 100" is
// 0.7 seconds in 1960), in the C locale as the bridge has the library run
// ("2025 100,5" is 100 seconds). The library stores it at the year's place in its table
// of the years 1620 to 2128, and passes over a later year; an earlier one it
// writes before its table, which crashed it (year 0, -1, -2000000000 and most
// years from 1548 to 1564) or silently damaged it. A delta T that is not a
// number, or a vast one (1e300 seconds), crashes the positions of the dates it
// reaches.
//
// So the library is given a copy of the table that holds only the lines it
// stores inside its table with a delta T of at most a million seconds either
// way (its own model reaches 750,000 seconds at the ends of its span), as
// "year seconds", in their order, on which the library's reading depends (a
// later line for a year replaces an earlier one; a year lengthens the table only
// where it continues it).

#include "platform/core/expected.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace swisseph::delta_t_table {

// The longest table read, and the longest copy made of it; the library's own
// example is 0.5 kB, a line for every year of its table about 6 kB.
inline constexpr std::size_t largest = std::size_t{1} << 20;

inline constexpr int firstYear = 1620;
inline constexpr int lastYear = 2128;
inline constexpr double largestSeconds = 1e6;

struct Damage {
    std::string what;   // "it holds no year ..."
};

// The copy of `text` to give the library: empty when it holds no line the
// library stores. Damage when it holds lines the library would store outside
// its table or with a larger delta T, and none other that it stores; or when
// the copy would be larger than `largest`.
platform::Expected<std::string, Damage> soundCopy(std::string_view text);

} // namespace swisseph::delta_t_table
