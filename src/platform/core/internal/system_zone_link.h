#pragma once
// The system's time zone as the link /etc/localtime names it, followed without a
// system call per question: the link is read again at most once per interval, so
// that a change of the system zone shows within that time. Private to
// src/platform/core.

#include "platform/core/time_zone.h"

#include <chrono>
#include <optional>
#include <string>

namespace platform::system_zone_link {

inline constexpr const char* systemLink = "/etc/localtime";

// The zone a link to a zone file names, read now (one readlink); UTC when the
// path is no link, or links to no zone file by its name.
TimeZone zoneOfLink(const std::string& linkPath);

// Not thread-safe: a Watch shared between threads needs a lock held around
// each `zone` call and around every use of the reference it returns, as
// TimeZone::current does (it copies the zone out under its mutex).
class Watch {
public:
    using Clock = std::chrono::steady_clock;

    Watch(std::string linkPath, Clock::duration interval) : linkPath_(std::move(linkPath)), interval_(interval) {}

    // The zone the link names, read again when `now` lies an interval or more
    // after the last reading (or before it: a clock that went back). The
    // reference is to the Watch's own copy, which the next reading replaces:
    // copy the zone before calling again.
    const TimeZone& zone(Clock::time_point now);

private:
    std::string linkPath_;
    Clock::duration interval_;
    std::optional<Clock::time_point> readAt_;
    TimeZone zone_ = TimeZone::utc();
};

} // namespace platform::system_zone_link
