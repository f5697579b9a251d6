#include "platform/core/internal/tz_variable.h"

#include "platform/core/internal/icu_support.h"
#include "platform/core/internal/posix_tz_string.h"
#include "platform/core/internal/system_zone_data.h"

namespace platform::tz_variable {

namespace {

std::optional<TimeZone> zoneOfName(std::string_view name) {
    if (!system_zone_data::isZoneIdentifier(name) || icu_support::readsAsOffsetFromGmt(name)) return std::nullopt;
    return TimeZone::withIdentifier(name);
}

} // namespace

std::optional<TimeZone> zoneOfPath(std::string_view path) {
    return zoneOfName(system_zone_data::zoneNameInPath(path));
}

std::optional<TimeZone> zoneOf(std::string_view value) {
    if (!value.empty() && value.front() == ':') value.remove_prefix(1);
    if (value.empty()) return TimeZone::utc();
    if (value.front() == '/') return zoneOfPath(value);
    if (auto rule = posix_tz::parse(value)) {
        // A rule zone goes by the string itself, which names it again.
        if (rule->daylight) return TimeZone::withIdentifier(value);
        return TimeZone::withSecondsFromGMT(rule->standard.secondsFromGMT);
    }
    return zoneOfName(value);
}

} // namespace platform::tz_variable
