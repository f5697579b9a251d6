#include "platform/core/internal/tz_variable.h"

#include "platform/core/internal/icu_support.h"
#include "platform/core/internal/posix_tz_string.h"
#include "platform/core/internal/system_zone_data.h"

namespace platform::tz_variable {

std::optional<TimeZone> zoneOfName(std::string_view name) {
    if (!system_zone_data::isZoneIdentifier(name) || icu_support::readsAsOffsetFromGmt(name)) return std::nullopt;
    return TimeZone::withIdentifier(name);
}

namespace {

// The zone of the file the C library opens at `path`: by its name where the
// path leads into the zone folder, else by the file's own rules under its
// resolved path. A path to no zone file names the zone its text shows, which
// makeZoneEnvironmentSafe then gives the C library in its place. The file is
// read as it is now, a version of it read before named as before.
std::optional<TimeZone> zoneOfFile(const std::string& path) {
    if (const auto real = system_zone_data::resolvedPath(path)) {
        if (auto name = system_zone_data::zoneNameInFolder(*real)) return zoneOfName(*name);
        if (const auto identifier = icu_support::fileZoneIdentifier(*real)) {
            if (auto zone = TimeZone::withIdentifier(*identifier)) return zone;
        }
    }
    return zoneOfPath(path);
}

} // namespace

std::optional<TimeZone> zoneOfPath(std::string_view path) {
    return zoneOfName(system_zone_data::zoneNameInPath(path));
}

std::optional<TimeZone> zoneOf(std::string_view value) {
    if (!value.empty() && value.front() == ':') value.remove_prefix(1);
    if (value.empty()) return TimeZone::utc();
    if (value.front() == '/') return zoneOfFile(std::string(value));
    if (auto rule = posix_tz::parse(value)) {
        // A rule zone goes by the string itself, which names it again.
        if (rule->daylight) return TimeZone::withIdentifier(value);
        return TimeZone::withSecondsFromGMT(rule->standard.secondsFromGMT);
    }
    if (system_zone_data::isZoneIdentifier(value)) return zoneOfName(value);
    // Any other name ("Europe/../Asia/Tokyo", "../zoneinfo/Europe/London") is
    // a path into the zone folder to the C library.
    return zoneOfFile(system_zone_data::zoneFolder() + '/' + std::string(value));
}

} // namespace platform::tz_variable
