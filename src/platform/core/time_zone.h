#pragma once
// A time zone by its IANA identifier ("Europe/London") or as a fixed offset from
// GMT. `current()` is the user's zone, read afresh at every call: the TZ
// variable (an IANA name, also with a leading ':' or as a zoneinfo path; empty
// or unknown reads as UTC), else the zone /etc/localtime links to, else UTC,
// unless a test has set an override.
//
// Fixed offsets are named "GMT" and "GMT+0100", "GMT-0330" (seconds appended
// when there are any); withIdentifier accepts those names back.

#include "platform/core/date.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform {

class TimeZone {
public:
    static TimeZone current();
    static TimeZone utc();                                    // zero seconds from GMT
    static std::optional<TimeZone> withIdentifier(std::string_view identifier);
    static std::optional<TimeZone> withSecondsFromGMT(int seconds); // |seconds| <= 18 hours

    // Tests pin the current zone here; std::nullopt returns to the system's.
    static void setCurrentOverride(std::optional<TimeZone> zone);

    const std::string& identifier() const noexcept { return identifier_; }
    // At an instant outside the calendar's range, the zone's standard offset.
    int secondsFromGMT(Date at) const;
    bool isDaylightSavingTime(Date at) const;

    friend bool operator==(const TimeZone&, const TimeZone&) = default;

private:
    explicit TimeZone(std::string identifier) : identifier_(std::move(identifier)) {}
    std::string identifier_;
};

} // namespace platform
