#pragma once
// The system's time zone as /etc/localtime gives it, read as the C library reads
// it with TZ unset, and followed without a system call per question: it is read
// again at most once per interval, so that a change of the system zone shows
// within that time. Private to src/platform/core.
//
// A link names its zone by the name it leads to below a zoneinfo folder
// ("../usr/share/zoneinfo/Europe/London"): one readlink. Anything else (a copy
// of a zone file, a link to one elsewhere, a FIFO, nothing) is the file the C
// library would read there, as system_zone_copy.h reads it: one stat more.

#include "platform/core/internal/system_zone_copy.h"
#include "platform/core/time_zone.h"

#include <chrono>
#include <optional>
#include <string>

namespace platform::system_zone_link {

inline constexpr const char* systemLink = "/etc/localtime";

// The zone a link to a zone file names by its name, read now (one readlink);
// std::nullopt when the path is no link, or links to a file by no zone's name.
std::optional<TimeZone> zoneOfLink(const std::string& linkPath);

// Not thread-safe: a Watch shared between threads needs a lock held around
// each call and around every use of the reference `zone` returns, as
// TimeZone::current does (it copies the zone out under its mutex).
class Watch {
public:
    using Clock = std::chrono::steady_clock;

    // The zone at `path`; a copy there is named by the file at `namePath` as
    // system_zone_copy.h says.
    Watch(const std::string& path, std::string namePath, Clock::duration interval)
        : path_(path), copy_(path, std::move(namePath)), interval_(interval) {}

    // The zone at the path, read again when `now` lies an interval or more
    // after the last reading (or before it: a clock that went back). The
    // reference is to the Watch's own copy, which the next reading replaces:
    // copy the zone before calling again.
    const TimeZone& zone(Clock::time_point now);

    // The next call reads again, whenever it comes.
    void readAgain() noexcept { readAt_.reset(); }

private:
    std::string path_;
    system_zone_copy::Reader copy_;
    Clock::duration interval_;
    std::optional<Clock::time_point> readAt_;
    TimeZone zone_ = TimeZone::utc();
};

} // namespace platform::system_zone_link
