#pragma once
// The contents of a compiled tz database file (TZif, RFC 8536): the UTC instants
// at which a zone's clocks change, the local time types they change to, and the
// POSIX TZ string that carries the rules on after the last recorded change.
// Private to src/platform/core.
//
// Only the 64-bit section of version 2 and later files is read. A version 1 file
// and anything malformed, truncated or inconsistent read as nothing. Leap-second
// records (the "right/" zones, whose clock counts leap seconds) are read with
// the rest: corrections that step by one second at most, each within an hour.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::tzif {

struct LocalTimeType {
    std::int32_t secondsFromGMT = 0;   // the whole offset, daylight saving included
    bool isDaylightSaving = false;
    std::string abbreviation;          // "GMT", "BST", "+03"
};

struct Transition {
    std::int64_t at = 0;     // seconds since 1970, UTC
    std::uint8_t type = 0;   // index into ZoneData::types
};

// From `at` on (seconds of a clock that counts leap seconds, as the file's
// transitions are), that clock runs `correction` seconds ahead of UTC.
struct LeapSecond {
    std::int64_t at = 0;
    std::int32_t correction = 0;
};

// A correction beyond an hour of leap seconds is no clock's.
inline constexpr std::int32_t maxLeapCorrection = 3600;

struct ZoneData {
    std::vector<Transition> transitions;   // strictly ascending
    std::vector<LeapSecond> leapSeconds;   // strictly ascending; empty but for leap-second zones
    std::vector<LocalTimeType> types;      // never empty; types[0] holds before the first transition
    std::string footer;                    // POSIX TZ string for after the last transition; may be empty
};

// Zone files are a few kilobytes; anything larger is not one.
inline constexpr std::size_t maxFileSize = std::size_t{1} << 20;

std::optional<ZoneData> parse(std::span<const unsigned char> bytes);

// Reads a regular file of at most maxFileSize bytes (as outside_file.h reads
// one: never blocking on a FIFO or device) and parses it.
std::optional<ZoneData> readFile(const std::string& path);

} // namespace platform::tzif
