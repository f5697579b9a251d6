#pragma once
// What the Swiss Ephemeris library (2.10) takes as its star catalogue, found by
// trying crafted files on it. Private to src/platform/core.
//
// The library reads the whole catalogue on a thread's first fixed star, and some
// damage crashes or stops it there. It reads a line at a time into 256 bytes:
// the rest of a longer line is read as a line of its own. It reads a line up to
// its first carriage return, and passes over a line that is then empty or begins
// with '#'. Any other line it splits at commas: one without a comma crashes it,
// and one with fewer than the 14 fields it reads (name, nomenclature, equinox,
// right ascension and declination in three parts each, proper motions in both,
// radial velocity, parallax, magnitude) spoils the whole catalogue and leaks the
// stars read before it. After the name it counts a run of commas as one, so an
// empty field there is one field fewer. A NUL byte ends a line early. So every
// line must fit in the buffer and hold a star's fields, each but the name not
// empty, unless the library passes over it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace swisseph::star_catalogue {

// The library keeps a copy per thread; the one installed is 136 kB.
inline constexpr std::size_t largest = std::size_t{1} << 20;

// Why the library must not read `text` as its catalogue ("line 3 holds a NUL
// byte"), or std::nullopt when it may.
std::optional<std::string> damage(std::string_view text);

} // namespace swisseph::star_catalogue
