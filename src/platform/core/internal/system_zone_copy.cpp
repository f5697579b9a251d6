#include "platform/core/internal/system_zone_copy.h"

#include "platform/core/internal/icu_support.h"
#include "platform/core/internal/system_zone_data.h"
#include "platform/core/internal/tz_variable.h"
#include "platform/core/internal/tzif_file.h"
#include "platform/core/outside_file.h"

#include <sys/stat.h>

namespace platform::system_zone_copy {

namespace {

bool isSpace(char c) noexcept { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

} // namespace

std::optional<TimeZone> confirmedZone(const std::string& namePath, std::string_view bytes) {
    const auto text = readOutsideFile(namePath, maxNameFileSize);
    if (!text) return std::nullopt;
    std::string_view name = *text;
    while (!name.empty() && isSpace(name.back())) name.remove_suffix(1);
    if (!system_zone_data::isZoneIdentifier(name)) return std::nullopt;
    const auto zoneFile = readOutsideFile(system_zone_data::zoneFolder() + '/' + std::string(name), tzif::maxFileSize);
    if (!zoneFile || *zoneFile != bytes) return std::nullopt;
    return tz_variable::zoneOfName(name);
}

TimeZone Reader::zone() {
    // A stat is all an unchanged file costs; what is no regular file is never opened.
    struct stat status {};
    if (::stat(path_.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return TimeZone::utc();
    if (version_ && *version_ == FileVersion(path_, status)) return zone_;
    auto file = readVersioned(path_, tzif::maxFileSize);
    // A refusal is not kept: the next reading tries again.
    if (!file) return TimeZone::utc();
    zone_ = zoneOf(*file);
    version_ = std::move(file->version);
    return zone_;
}

TimeZone Reader::zoneOf(const VersionedContents& file) {
    const std::string& bytes = file.bytes;
    if (!tzif::parse({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()})) return TimeZone::utc();
    const auto real = system_zone_data::resolvedPath(path_);
    if (!real) return TimeZone::utc();
    // A link by other links into the zone folder names its zone, as in TZ.
    if (const auto name = system_zone_data::zoneNameInFolder(*real)) {
        if (auto zone = tz_variable::zoneOfName(*name)) return *std::move(zone);
    }
    if (auto named = confirmedZone(namePath_, bytes)) return *std::move(named);
    FileVersion version = file.version;
    version.path = *real;
    const auto identifier = icu_support::fileZoneIdentifier(*real, version, bytes);
    if (!identifier) return TimeZone::utc();
    return TimeZone::withIdentifier(*identifier).value_or(TimeZone::utc());
}

} // namespace platform::system_zone_copy
