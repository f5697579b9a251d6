#include "platform/core/internal/icu_support.h"

#include "platform/core/internal/posix_tz_string.h"
#include "platform/core/internal/system_zone_data.h"
#include "platform/core/internal/tzif_file.h"

#include <sys/stat.h>

#include <unicode/simpletz.h>

#include <charconv>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

namespace platform::icu_support {

icu::UnicodeString fromUtf8(std::string_view text) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
}

std::string toUtf8(const icu::UnicodeString& text) {
    std::string out;
    text.toUTF8String(out);
    return out;
}

icu::Locale icuLocale(const std::string& identifier) {
    if (identifier.find('-') != std::string::npos && identifier.find('_') == std::string::npos) {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale tagged = icu::Locale::forLanguageTag(identifier, status);
        if (U_SUCCESS(status) && !tagged.isBogus()) return tagged;
    }
    icu::Locale plain(identifier.c_str());
    return plain.isBogus() ? icu::Locale::getRoot() : plain;
}

namespace {

// "GMT", or "GMT" with a sign and HHMM[SS]; anything else is not ours.
std::optional<int> parseFixedOffset(std::string_view id) {
    if (id == "GMT") return 0;
    if (id.size() != 8 && id.size() != 10) return std::nullopt;
    if (id.substr(0, 3) != "GMT" || (id[3] != '+' && id[3] != '-')) return std::nullopt;
    int parts[3] = {0, 0, 0};
    for (std::size_t i = 0; 4 + 2 * i < id.size(); ++i) {
        const char* first = id.data() + 4 + 2 * i;
        auto [end, error] = std::from_chars(first, first + 2, parts[i]);
        if (error != std::errc{} || end != first + 2) return std::nullopt;
    }
    if (parts[0] > 18 || parts[1] > 59 || parts[2] > 59) return std::nullopt;
    const int seconds = parts[0] * 3600 + parts[1] * 60 + parts[2];
    if (seconds > 18 * 3600) return std::nullopt;
    return id[3] == '-' ? -seconds : seconds;
}

std::shared_ptr<const icu::TimeZone> buildZone(std::string_view id) {
    if (id.empty()) return nullptr;
    if (auto offset = parseFixedOffset(id)) {
        return std::make_shared<icu::SimpleTimeZone>(*offset * 1000, fromUtf8(id));
    }
    // A POSIX string with a yearly rule, the identifier of a TZ value that has one.
    if (id.find(',') != std::string_view::npos) {
        auto rule = posix_tz::parse(id);
        if (!rule) return nullptr;
        return system_zone_data::zoneFromRule(id, *rule);
    }
    // The system's tz database first: ICU's own copy is as old as the ICU release.
    if (auto system = system_zone_data::zoneFromSystemData(id)) {
        return std::shared_ptr<const icu::TimeZone>(std::move(system));
    }
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(fromUtf8(id)));
    if (!zone) return nullptr;
    icu::UnicodeString found;
    zone->getID(found);
    if (found == UNICODE_STRING_SIMPLE("Etc/Unknown")) return nullptr;
    return std::shared_ptr<const icu::TimeZone>(std::move(zone));
}

// Unknown identifiers are remembered too (as nullptr), so that an unknown TZ value
// does not cost a failed ICU lookup at every call. A hostile stream of distinct
// identifiers cannot grow the registry without bound.
constexpr std::size_t registryLimit = 2048;

// Looks identifiers up as they come, without a string made for each question.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>{}(text); }
};

// The version of a zone file outside the zone folder last read, and its zone.
struct KeptFileZone {
    FileVersion version;
    std::string identifier;
    std::shared_ptr<const icu::TimeZone> zone;
};

struct ZoneRegistry {
    std::mutex mutex;
    std::unordered_map<std::string, std::shared_ptr<const icu::TimeZone>, TextHash, std::equal_to<>> zones;
    // By resolved path. Kept apart from `zones`, whose limit must not drop the
    // zone of a file that has not changed.
    std::unordered_map<std::string, KeptFileZone, TextHash, std::equal_to<>> files;
    std::uint64_t fileVersionsRead = 0;
    // Once a file's entry was dropped, its path may have named another version:
    // from then on every version is named with its number.
    bool filesDropped = false;
};

ZoneRegistry& zoneRegistry() {
    static ZoneRegistry* registry = new ZoneRegistry;   // never destroyed: used until exit
    return *registry;
}

constexpr std::string_view versionMark = "//";

// The entry of the file at `realPath` where it holds `version`.
const KeptFileZone* keptVersion(const ZoneRegistry& registry, std::string_view realPath, const FileVersion& version) {
    const auto file = registry.files.find(realPath);
    return file != registry.files.end() && file->second.version == version ? &file->second : nullptr;
}

// The zone of a file version's identifier while that version is the one kept.
std::shared_ptr<const icu::TimeZone> keptFileZone(ZoneRegistry& registry, std::string_view identifier) {
    const auto file = registry.files.find(identifier.substr(0, identifier.find(versionMark)));
    if (file == registry.files.end() || file->second.identifier != identifier) return nullptr;
    return file->second.zone;
}

std::shared_ptr<const icu::TimeZone> fileZoneNamed(std::string_view identifier) {
    ZoneRegistry& registry = zoneRegistry();
    {
        std::lock_guard lock(registry.mutex);
        if (auto zone = keptFileZone(registry, identifier)) return zone;
        if (auto earlier = registry.zones.find(identifier); earlier != registry.zones.end()) return earlier->second;
    }
    // A bare path names the first version read; a later one only while it is kept.
    if (identifier.find(versionMark) != std::string_view::npos) return nullptr;
    if (!fileZoneIdentifier(std::string(identifier))) return nullptr;
    std::lock_guard lock(registry.mutex);
    return keptFileZone(registry, identifier);
}

} // namespace

std::optional<std::string> fileZoneIdentifier(const std::string& realPath, const FileVersion& version,
                                              std::string_view bytes) {
    ZoneRegistry& registry = zoneRegistry();
    {
        std::lock_guard lock(registry.mutex);
        if (const KeptFileZone* kept = keptVersion(registry, realPath, version)) return kept->identifier;
    }
    // Built outside the lock: a few hundred microseconds no other zone's reader should wait.
    const auto data = tzif::parse({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()});
    if (!data) return std::nullopt;
    std::shared_ptr<const icu::TimeZone> zone = system_zone_data::zoneFromData(realPath, *data);
    if (!zone) return std::nullopt;

    std::lock_guard lock(registry.mutex);
    // Another thread may have been first.
    if (const KeptFileZone* kept = keptVersion(registry, realPath, version)) return kept->identifier;
    const auto file = registry.files.find(realPath);
    const bool first = file == registry.files.end() && !registry.filesDropped;
    ++registry.fileVersionsRead;
    std::string identifier = first ? realPath : realPath + std::string(versionMark) +
                                                    std::to_string(registry.fileVersionsRead);
    if (file != registry.files.end()) {
        // A TimeZone value made from the version before keeps that version's
        // rules, among the zones the registry keeps, rather than turning to UTC.
        if (registry.zones.size() >= registryLimit) registry.zones.clear();
        registry.zones.insert_or_assign(file->second.identifier, std::move(file->second.zone));
        file->second = KeptFileZone{version, identifier, std::move(zone)};
        return identifier;
    }
    if (registry.files.size() >= keptZoneFileLimit) {
        registry.files.clear();
        registry.filesDropped = true;
    }
    registry.files.try_emplace(realPath, KeptFileZone{version, identifier, std::move(zone)});
    return identifier;
}

std::optional<std::string> fileZoneIdentifier(const std::string& realPath) {
    struct stat status {};
    if (::stat(realPath.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    {
        ZoneRegistry& registry = zoneRegistry();
        std::lock_guard lock(registry.mutex);
        if (const KeptFileZone* kept = keptVersion(registry, realPath, FileVersion(realPath, status))) {
            return kept->identifier;
        }
    }
    const auto read = readVersioned(realPath, tzif::maxFileSize);
    if (!read) return std::nullopt;
    return fileZoneIdentifier(realPath, read->version, read->bytes);
}

std::shared_ptr<const icu::TimeZone> zoneNamed(std::string_view identifier) {
    if (!identifier.empty() && identifier.front() == '/') return fileZoneNamed(identifier);
    ZoneRegistry& registry = zoneRegistry();
    {
        std::lock_guard lock(registry.mutex);
        if (auto it = registry.zones.find(identifier); it != registry.zones.end()) return it->second;
    }
    auto zone = buildZone(identifier);
    std::lock_guard lock(registry.mutex);
    if (registry.zones.size() >= registryLimit) registry.zones.clear();
    return registry.zones.try_emplace(std::string(identifier), std::move(zone)).first->second;
}

bool readsAsOffsetFromGmt(std::string_view identifier) {
    // ICU reads a name as an offset only after "GMT" (in any case) and a sign;
    // some such names ("GMT+0", "GMT-0") are zones of its data.
    if (identifier.size() < 5 || (identifier[3] != '+' && identifier[3] != '-')) return false;
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    if (upper(identifier[0]) != 'G' || upper(identifier[1]) != 'M' || upper(identifier[2]) != 'T') return false;
    UErrorCode status = U_ZERO_ERROR;
    UBool isSystemZone = false;
    icu::UnicodeString canonical;
    icu::TimeZone::getCanonicalID(fromUtf8(identifier), canonical, isSystemZone, status);
    return U_SUCCESS(status) && !isSystemZone;
}

std::string fixedOffsetIdentifier(int secondsFromGMT) {
    if (secondsFromGMT == 0) return "GMT";
    const int magnitude = std::abs(secondsFromGMT);
    const int hours = magnitude / 3600;
    const int minutes = magnitude / 60 % 60;
    const int seconds = magnitude % 60;
    std::string id = secondsFromGMT < 0 ? "GMT-" : "GMT+";
    auto two = [&id](int value) {
        id += static_cast<char>('0' + value / 10);
        id += static_cast<char>('0' + value % 10);
    };
    two(hours);
    two(minutes);
    if (seconds != 0) two(seconds);
    return id;
}

namespace {

void applyProgramRules(icu::GregorianCalendar& calendar) {
    calendar.setLenient(true);
    calendar.setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
    calendar.setSkippedWallTimeOption(skippedMovesForward);
}

std::unique_ptr<icu::GregorianCalendar> buildCalendar(std::string_view zoneId, const std::string& localeId) {
    auto zone = zoneNamed(zoneId);
    if (!zone) zone = zoneNamed("UTC");
    UErrorCode status = U_ZERO_ERROR;
    // ICU's default Julian-to-Gregorian switch (15 October 1582) is the one we want.
    auto calendar = std::make_unique<icu::GregorianCalendar>(zone->clone(), icuLocale(localeId), status);
    if (U_FAILURE(status)) {
        status = U_ZERO_ERROR;
        calendar = std::make_unique<icu::GregorianCalendar>(zone->clone(), icu::Locale::getRoot(), status);
    }
    applyProgramRules(*calendar);
    return calendar;
}

constexpr std::size_t prototypeLimit = 256;
constexpr std::size_t idleLimit = 32;

struct PrototypeCache {
    std::mutex mutex;
    std::unordered_map<std::string, std::unique_ptr<icu::GregorianCalendar>> calendars;
};

PrototypeCache& prototypes() {
    static PrototypeCache* cache = new PrototypeCache;   // never destroyed: used until exit
    return *cache;
}

std::unique_ptr<icu::GregorianCalendar> cloneOf(const std::string& key, std::string_view zoneId,
                                                const std::string& localeId) {
    PrototypeCache& cache = prototypes();
    {
        std::lock_guard lock(cache.mutex);
        if (auto it = cache.calendars.find(key); it != cache.calendars.end()) {
            return std::unique_ptr<icu::GregorianCalendar>(it->second->clone());
        }
    }
    auto built = buildCalendar(zoneId, localeId);
    std::unique_ptr<icu::GregorianCalendar> copy(built->clone());
    std::lock_guard lock(cache.mutex);
    if (cache.calendars.size() >= prototypeLimit) cache.calendars.clear();
    cache.calendars.try_emplace(key, std::move(built));
    return copy;
}

// Idle calendars of this thread. A lease takes one out and puts it back, so a
// nested lease of the same key (one calendar operation calling another) simply
// gets a second calendar.
std::unordered_map<std::string, std::unique_ptr<icu::GregorianCalendar>>& idleCalendars() {
    thread_local std::unordered_map<std::string, std::unique_ptr<icu::GregorianCalendar>> idle;
    return idle;
}

// Key buffers of this thread's ended leases.
std::vector<std::string>& spareKeys() {
    thread_local std::vector<std::string> keys;
    return keys;
}

} // namespace

CalendarLease::CalendarLease(const TimeZone& zone, const Locale& locale) {
    // The key goes into a buffer an earlier lease of this thread gave back, so
    // that no lease allocates one.
    auto& spare = spareKeys();
    if (!spare.empty()) {
        key_ = std::move(spare.back());
        spare.pop_back();
        key_.clear();
    }
    key_.reserve(zone.identifier().size() + locale.identifier().size() + 1);
    key_ += zone.identifier();
    key_ += '\n';
    key_ += locale.identifier();
    auto& idle = idleCalendars();
    if (auto it = idle.find(key_); it != idle.end() && it->second) {
        calendar_ = std::move(it->second);
    } else {
        calendar_ = cloneOf(key_, zone.identifier(), locale.identifier());
    }
}

CalendarLease::~CalendarLease() {
    applyProgramRules(*calendar_);
    auto& idle = idleCalendars();
    if (idle.size() >= idleLimit && idle.find(key_) == idle.end()) idle.clear();
    auto& slot = idle[key_];
    if (!slot) slot = std::move(calendar_);
    auto& spare = spareKeys();
    if (spare.size() < idleLimit) spare.push_back(std::move(key_));
}

} // namespace platform::icu_support
