#pragma once
// A choice of time zone, resolved each time it is read.

#include "platform/core/time_zone.h"

#include <cstdint>

namespace datehelper {

class TimeZoneType {
public:
    enum class Kind : std::uint8_t { custom, local, defaultZone, utc };

    // A fixed offset, `secondsFromGMT` east of GMT. The platform has fixed
    // zones for offsets up to 18 hours either way; a larger offset reads as UTC.
    static TimeZoneType custom(int secondsFromGMT) { return TimeZoneType(Kind::custom, secondsFromGMT); }
    // The zone of the user's current calendar at the moment it is read.
    static TimeZoneType local() { return TimeZoneType(Kind::local); }
    // The process's default zone. This platform has one zone for the process,
    // the user's current one, so it reads as local() does.
    static TimeZoneType defaultZone() { return TimeZoneType(Kind::defaultZone); }
    // Zero seconds from GMT.
    static TimeZoneType utc() { return TimeZoneType(Kind::utc); }

    Kind kind() const noexcept { return kind_; }
    int secondsFromGMT() const noexcept { return seconds_; }   // custom only

    platform::TimeZone timeZone() const;

private:
    explicit TimeZoneType(Kind kind, int seconds = 0) : kind_(kind), seconds_(seconds) {}
    Kind kind_;
    int seconds_;
};

} // namespace datehelper
