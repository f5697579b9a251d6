#include "platform/core/time_zone.h"

#include "platform/core/internal/current_override.h"
#include "platform/core/internal/current_zone.h"
#include "platform/core/internal/icu_support.h"
#include "platform/core/internal/system_zone_link.h"
#include "platform/core/internal/tz_variable.h"

#include <cstdlib>
#include <mutex>

namespace platform {

namespace {

// What current() last read: the TZ value and its zone, and the system's zone.
// Reading the variable costs no system call; /etc/localtime is read once a second.
struct CurrentZoneState {
    std::mutex mutex;
    std::optional<std::string> tzValue;
    TimeZone tzZone = TimeZone::utc();
    system_zone_link::Watch systemZone{system_zone_link::systemLink, system_zone_copy::systemZoneNameFile,
                                       std::chrono::seconds(1)};
    std::string icuDefault;   // the identifier of the zone ICU holds as its default; none at first
};

CurrentZoneState& currentZoneState() {
    static auto* state = new CurrentZoneState;   // never destroyed: read until exit
    return *state;
}

} // namespace

TimeZone TimeZone::current() {
    if (auto zone = detail::currentOverride<TimeZone>().get()) return *std::move(zone);
    CurrentZoneState& state = currentZoneState();
    const char* variable = std::getenv("TZ");
    std::lock_guard lock(state.mutex);
    if (!variable) return state.systemZone.zone(system_zone_link::Watch::Clock::now());
    if (state.tzValue != variable) {
        state.tzZone = tz_variable::zoneOf(variable).value_or(utc());
        state.tzValue = variable;
    }
    return state.tzZone;
}

// The zone is read here, where zone files open without blocking, so ICU never
// needs to look for it.
void TimeZone::handCurrentToIcu() {
    const TimeZone zone = current();
    CurrentZoneState& state = currentZoneState();
    std::lock_guard lock(state.mutex);
    if (state.icuDefault == zone.identifier()) return;
    auto icuZone = icu_support::zoneNamed(zone.identifier());
    if (!icuZone) icuZone = icu_support::zoneNamed("UTC");
    if (!icuZone) return;
    icu::TimeZone::adoptDefault(icuZone->clone());
    state.icuDefault = zone.identifier();
}

TimeZone TimeZone::utc() {
    return TimeZone("UTC");
}

std::optional<TimeZone> TimeZone::withIdentifier(std::string_view identifier) {
    if (!icu_support::zoneNamed(identifier)) return std::nullopt;
    return TimeZone(std::string(identifier));
}

std::optional<TimeZone> TimeZone::withSecondsFromGMT(int seconds) {
    if (seconds < -18 * 3600 || seconds > 18 * 3600) return std::nullopt;
    return TimeZone(icu_support::fixedOffsetIdentifier(seconds));
}

void current_zone::readTzValueAs(std::string tzValue, TimeZone zone) {
    CurrentZoneState& state = currentZoneState();
    std::lock_guard lock(state.mutex);
    state.tzValue = std::move(tzValue);
    state.tzZone = std::move(zone);
}

void TimeZone::setCurrentOverride(std::optional<TimeZone> zone) {
    const bool toSystem = !zone;
    detail::currentOverride<TimeZone>().set(std::move(zone));
    if (!toSystem) return;
    CurrentZoneState& state = currentZoneState();
    std::lock_guard lock(state.mutex);
    state.systemZone.readAgain();
}

namespace {

// Raw and daylight offsets in milliseconds; an instant outside the calendar's
// range reads the zone's standard offset.
std::pair<std::int32_t, std::int32_t> offsetsAt(const std::string& identifier, Date at) {
    auto zone = icu_support::zoneNamed(identifier);
    if (!zone) return {0, 0};
    if (!icu_support::isRepresentable(at)) return {zone->getRawOffset(), 0};
    std::int32_t raw = 0;
    std::int32_t daylight = 0;
    UErrorCode status = U_ZERO_ERROR;
    zone->getOffset(icu_support::toUDate(at), false, raw, daylight, status);
    if (U_FAILURE(status)) return {zone->getRawOffset(), 0};
    return {raw, daylight};
}

} // namespace

int TimeZone::secondsFromGMT(Date at) const {
    auto [raw, daylight] = offsetsAt(identifier_, at);
    return (raw + daylight) / 1000;
}

bool TimeZone::isDaylightSavingTime(Date at) const {
    return offsetsAt(identifier_, at).second != 0;
}

} // namespace platform
