#pragma once
// Time zones from the system's tz database. ICU carries its own copy of the
// database, frozen at the ICU release, while the system keeps its copy current;
// zones whose rules changed since (Mexico without summer time, Greenland,
// Kazakhstan, Paraguay, Egypt ...) would otherwise be an hour off. Private to
// src/platform/core.
//
// A zone is read from its compiled file under $TZDIR (when that is an absolute
// path) or /usr/share/zoneinfo, and becomes an ICU rule-based zone: its recorded
// changes, then the file's POSIX rule as a pair of yearly rules. ICU knows the
// zone by the name its identifier shows (icuIdentifierOf), so it still finds
// its display names.
//
// A file with leap-second records (a "right/" zone) counts time by a clock that
// counts leap seconds, and the C library reads the system's clock as one: at a
// reading t it shows t plus the zone's offset less the leap seconds counted by
// t (27 since 2017), while its tm_gmtoff gives the zone's offset alone. The
// program's instants are the same readings of the same clock, so here such a
// zone's offset is the one its wall clock shows, the zone's offset less those
// leap seconds (right/Asia/Tokyo is 8:59:33 ahead since 2017): the program
// shows the time the C library shows. The leap second itself, second 60 there,
// shows as second 59 repeated.
//
// ICU describes an offset as standard offset plus daylight saving, the file as
// a whole offset and a daylight flag. Daylight time counts from the standard time
// before it; where the file flags the lower offset as daylight time (Ireland's
// winter time, Morocco's Ramadan time), the higher one is read as daylight saving
// over it instead, as ICU's own data has it.

#include "platform/core/internal/posix_tz_string.h"
#include "platform/core/internal/tzif_file.h"

#include <unicode/basictz.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform::system_zone_data {

// Whether text has the shape of a tz database name: '/'-separated parts, each
// beginning with a letter, then letters, digits, '_', '+' or '-', in all at most
// 64 characters. Nothing else is ever made into a path below the zone folder.
bool isZoneIdentifier(std::string_view identifier) noexcept;

// The system's folder of zone files, where the C library looks without TZDIR.
inline constexpr const char* systemZoneFolder = "/usr/share/zoneinfo";

// The folder zone files are read from: $TZDIR when it is an absolute path.
std::string zoneFolder();

// The zone name in a path to a zone file: "/usr/share/zoneinfo/Europe/London" and
// "../usr/share/zoneinfo/posix/Europe/London" name "Europe/London", and
// ".../zoneinfo/right/Europe/London" names "right/Europe/London" (whose clock
// counts leap seconds); a path without a zoneinfo folder names nothing (an
// empty name). The name is not checked.
std::string_view zoneNameInPath(std::string_view path);

// A path with every link and ".", ".." and "//" resolved, as the kernel
// resolves it on opening; std::nullopt where it leads to nothing.
std::optional<std::string> resolvedPath(const std::string& path);

// The zone name of a resolved path to a file in the zone folder:
// "/usr/share/zoneinfo/Asia/Tokyo" names "Asia/Tokyo", its "posix/" variant
// too; std::nullopt for a path elsewhere, or for one that is no zone name.
std::optional<std::string> zoneNameInFolder(std::string_view realPath);

// The identifier ICU knows a zone's names by: the zone name an identifier shows,
// without the folder of a variant ("right/Asia/Tokyo" and a path to a copy at
// ".../zoneinfo/Asia/Tokyo" show Asia/Tokyo), else the identifier itself.
std::string_view icuIdentifierOf(std::string_view identifier);

// The zone of the system's file for `identifier`, or nullptr when the identifier
// is not a zone name or the file is missing, unreadable, malformed, or holds
// rules ICU cannot express. The caller falls back to ICU's own data.
std::unique_ptr<icu::BasicTimeZone> zoneFromSystemData(std::string_view identifier);

// The POSIX TZ string that ends the zone file of `identifier`, from the folder
// above or else the system's: the rules its clocks keep after the last change
// the file records ("GMT0BST,M3.5.0/1,M10.5.0"), which the C library reads
// without a file. std::nullopt when no file reads as above, or none carries
// such a rule.
std::optional<std::string> presentRuleOf(std::string_view identifier);

// The same from a file's contents; ICU knows the zone by icuIdentifierOf(identifier).
std::unique_ptr<icu::BasicTimeZone> zoneFromData(std::string_view identifier, const tzif::ZoneData& data);

// A zone that follows a POSIX rule in every year, as the C library applies a TZ
// value with a rule, under the given identifier; nullptr for a rule without
// daylight time and for rules ICU cannot express: a zero-based day from 59 on,
// changes that coincide (daylight time all year), an offset beyond 18 hours.
inline constexpr std::int32_t maxRuleOffsetSeconds = 18 * 3600;
std::unique_ptr<icu::BasicTimeZone> zoneFromRule(std::string_view identifier, const posix_tz::TzString& rule);

} // namespace platform::system_zone_data
