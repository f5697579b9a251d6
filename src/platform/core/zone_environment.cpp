#include "platform/core/zone_environment.h"

#include "platform/core/date.h"
#include "platform/core/internal/current_zone.h"
#include "platform/core/internal/posix_tz_string.h"
#include "platform/core/internal/system_zone_data.h"
#include "platform/core/internal/system_zone_link.h"
#include "platform/core/internal/tz_variable.h"
#include "platform/core/internal/tzif_file.h"
#include "platform/core/outside_file.h"
#include "platform/core/time_zone.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace platform {

namespace {

enum class FileAtPath { none, zoneFile, other };

FileAtPath fileAt(const std::string& path) {
    const auto bytes = readOutsideFile(path, tzif::maxFileSize);
    if (!bytes) {
        const OutsideFileError& error = bytes.error();
        const bool missing = error.kind == OutsideFileError::Kind::cannotOpen &&
                             (error.systemError == ENOENT || error.systemError == ENOTDIR);
        return missing ? FileAtPath::none : FileAtPath::other;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(bytes->data());
    return tzif::parse({data, bytes->size()}) ? FileAtPath::zoneFile : FileAtPath::other;
}

std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

std::string_view withoutColon(std::string_view value) {
    if (!value.empty() && value.front() == ':') value.remove_prefix(1);
    return value;
}

// The name glibc's tzset looks up in the zone folder for a TZ value: "Universal"
// for an empty value; none for ":" alone (UTC, no file) nor for a path.
std::optional<std::string> nameInFolder(std::string_view value) {
    if (value.empty()) return "Universal";
    value = withoutColon(value);
    if (value.empty() || value.front() == '/') return std::nullopt;
    return std::string(value);
}

// Whether the C library reads a TZ value without waiting on a file, and as the
// program reads it: from a regular zone file, or as a POSIX string both take
// where no file has its name.
bool cLibraryReadsSafely(std::string_view value, const std::string& folder) {
    std::string path;
    if (auto name = nameInFolder(value)) {
        path = folder + '/' + *name;
    } else if (withoutColon(value).empty()) {
        return true;
    } else {
        path = withoutColon(value);
    }
    switch (fileAt(path)) {
    case FileAtPath::zoneFile: return true;
    case FileAtPath::none: return posix_tz::parse(withoutColon(value)) && tz_variable::zoneOf(value);
    case FileAtPath::other: return false;
    }
    return false;
}

// "<+0530>-5:30": named by its offset east of Greenwich, given west of it as
// POSIX counts.
std::string fixedOffsetValue(int secondsEast) {
    const int magnitude = std::abs(secondsEast);
    const int hours = magnitude / 3600;
    const int minutes = magnitude / 60 % 60;
    const int seconds = magnitude % 60;
    char text[48];
    if (seconds != 0) {
        std::snprintf(text, sizeof text, "<%c%02d%02d%02d>%s%d:%02d:%02d", secondsEast < 0 ? '-' : '+', hours,
                      minutes, seconds, secondsEast < 0 ? "" : "-", hours, minutes, seconds);
    } else {
        std::snprintf(text, sizeof text, "<%c%02d%02d>%s%d:%02d", secondsEast < 0 ? '-' : '+', hours, minutes,
                      secondsEast < 0 ? "" : "-", hours, minutes);
    }
    return text;
}

// A TZ value for the zone that the C library reads without a file of its name.
std::string valueWithoutFile(const TimeZone& zone) {
    if (zone == TimeZone::utc()) return ":";
    // A zone read from a POSIX string is named by the string (a file's by its path).
    if (zone.identifier().front() != '/' && zone.identifier().find(',') != std::string::npos) {
        return zone.identifier();
    }
    if (auto rule = system_zone_data::presentRuleOf(zone.identifier())) return *std::move(rule);
    return fixedOffsetValue(zone.secondsFromGMT(Date::now()));
}

bool holdsOtherThanZoneFile(const std::string& folder, const std::optional<std::string>& name) {
    return name && fileAt(folder + '/' + *name) == FileAtPath::other;
}

} // namespace

std::string ZoneEnvironmentChange::line() const {
    std::string text = systemFile ? "Vadididod: /etc/localtime is no regular zone file"
                                  : "Vadididod: TZ or TZDIR names no regular zone file";
    if (tz) text += "; TZ is now \"" + *tz + "\" (" + zone + ")";
    if (tzdirRemoved) text += "; TZDIR is unset";
    return text + ".";
}

std::optional<ZoneEnvironmentChange> makeZoneEnvironmentSafe() {
    // Read in full before anything changes: the value written below may carry
    // only the zone's present rules.
    const TimeZone zone = TimeZone::current();
    ZoneEnvironmentChange change{zone.identifier(), std::nullopt, false, false};
    const std::optional<std::string> tz = variable("TZ");
    std::optional<std::string> tzdir = variable("TZDIR");
    if (tzdir && tzdir->empty()) tzdir.reset();   // the C library's default then

    std::optional<std::string> zoneName;
    if (system_zone_data::isZoneIdentifier(zone.identifier())) zoneName = zone.identifier();
    auto removeTzdir = [&] {
        ::unsetenv("TZDIR");
        tzdir.reset();
        change.tzdirRemoved = true;
    };
    if (tzdir && ((tz && holdsOtherThanZoneFile(*tzdir, nameInFolder(*tz))) || holdsOtherThanZoneFile(*tzdir, zoneName))) {
        removeTzdir();
    }

    // Unset, TZ leaves the C library /etc/localtime to read.
    change.systemFile = !tz && fileAt(system_zone_link::systemLink) == FileAtPath::other;
    if (change.systemFile || (tz && !cLibraryReadsSafely(*tz, tzdir.value_or(system_zone_data::systemZoneFolder)))) {
        change.tz = valueWithoutFile(zone);
        if (tzdir && holdsOtherThanZoneFile(*tzdir, nameInFolder(*change.tz))) removeTzdir();
        ::setenv("TZ", change.tz->c_str(), 1);
        current_zone::readTzValueAs(*change.tz, zone);
    }
    if (!change.tz && !change.tzdirRemoved) return std::nullopt;
    return change;
}

} // namespace platform
