#pragma once
// Time zones from the system's tz database. ICU carries its own copy of the
// database, frozen at the ICU release, while the system keeps its copy current;
// zones whose rules changed since (Mexico without summer time, Greenland,
// Kazakhstan, Paraguay, Egypt ...) would otherwise be an hour off. Private to
// src/platform/core.
//
// A zone is read from its compiled file under $TZDIR (when that is an absolute
// path) or /usr/share/zoneinfo, and becomes an ICU rule-based zone: its recorded
// changes, then the file's POSIX rule as a pair of yearly rules. The zone keeps
// the identifier as its ID, so ICU still finds its display names.
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
// 64 characters. Nothing else is ever turned into a file path.
bool isZoneIdentifier(std::string_view identifier) noexcept;

// The system's folder of zone files, where the C library looks without TZDIR.
inline constexpr const char* systemZoneFolder = "/usr/share/zoneinfo";

// The folder zone files are read from: $TZDIR when it is an absolute path.
std::string zoneFolder();

// The zone name in a path to a zone file: "/usr/share/zoneinfo/Europe/London" and
// "../usr/share/zoneinfo/posix/Europe/London" name "Europe/London"; a path
// without a zoneinfo folder names nothing (an empty name). The name is not
// checked.
std::string_view zoneNameInPath(std::string_view path);

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

// The same from a file's contents.
std::unique_ptr<icu::BasicTimeZone> zoneFromData(std::string_view identifier, const tzif::ZoneData& data);

// A zone that follows a POSIX rule in every year, as the C library applies a TZ
// value with a rule, under the given identifier; nullptr for a rule without
// daylight time and for rules ICU cannot express: a zero-based day from 59 on,
// changes that coincide (daylight time all year), an offset beyond 18 hours.
inline constexpr std::int32_t maxRuleOffsetSeconds = 18 * 3600;
std::unique_ptr<icu::BasicTimeZone> zoneFromRule(std::string_view identifier, const posix_tz::TzString& rule);

} // namespace platform::system_zone_data
