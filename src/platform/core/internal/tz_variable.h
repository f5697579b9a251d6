#pragma once
// The zone a TZ value names, read as the C library reads it. Private to
// src/platform/core.
//
// A leading ':' is dropped, and an empty value is UTC. A value that reads as a
// POSIX TZ string is one: offsets count west of Greenwich positive ("GMT-3" is
// three hours east, "UTC+2" two hours west), and an optional yearly rule follows
// ("EST5EDT,M3.2.0,M11.1.0"); the zone files named like such strings (GMT0,
// GMT-0) say the same. A zone name ("Europe/London") is the zone folder's file,
// else ICU's data for the zone, never ICU's reading of "GMT+0100" as an offset
// east.
//
// Anything else is a path to the file the C library reads: an absolute path
// (":/etc/localtime"), or another name below the zone folder
// ("Europe/../Asia/Tokyo", "../zoneinfo/Europe/London"). Where the path, its
// links and ".." resolved, leads into the zone folder, the zone is the one of
// that name (Asia/Tokyo; "right/Asia/Tokyo" counts leap seconds); elsewhere
// it is the file's own, named by its resolved path ("/home/u/tokyo"). A path
// to no zone file (a FIFO, a damaged file) names the zone its text shows
// ("/srv/zoneinfo/Europe/London"), if any, as before.
//
// Everything else names no zone (std::nullopt), also what the C library still
// reads by rules of its own: daylight time without a rule (it takes the rule of
// a default zone file), fields it clamps or ignores ("GMT99", "JST-9xx"), rules
// no ICU zone can carry (see system_zone_data::zoneFromRule), and offsets beyond
// the 18 hours of TimeZone::withSecondsFromGMT.

#include "platform/core/time_zone.h"

#include <optional>
#include <string_view>

namespace platform::tz_variable {

std::optional<TimeZone> zoneOf(std::string_view value);

// The zone of a path to a zone file, by the name it has below a zoneinfo folder
// ("/usr/share/zoneinfo/Europe/London"), as a link to one names it.
std::optional<TimeZone> zoneOfPath(std::string_view path);

// The zone of a tz database name ("Europe/London"), as a zone name in TZ reads.
std::optional<TimeZone> zoneOfName(std::string_view name);

} // namespace platform::tz_variable
