#pragma once
// A time zone by its IANA identifier ("Europe/London"), as a fixed offset from
// GMT, as a POSIX TZ string with a yearly rule, or as a zone file.
//
// `current()` is the user's zone, unless a test has set an override: the TZ
// variable as the C library reads it (an IANA name, also with a leading ':', a
// path to a zone file wherever it lies, or a POSIX TZ string, "GMT-3" being
// three hours east; empty, unknown or malformed reads as UTC; see
// tz_variable.h), else, TZ unset, the zone of /etc/localtime: the zone it links
// to, or the rules of the zone file copied there, else UTC (see
// system_zone_link.h). A change of TZ shows at the next call; /etc/localtime is
// read at most once a second, so a change of the system's zone shows within a
// second. Reading it changes nothing else: handCurrentToIcu() gives it to ICU.
//
// Fixed offsets are named "GMT" and "GMT+0100", "GMT-0330" (seconds appended
// when there are any); withIdentifier accepts those names back, and reads ICU's
// "GMT+3" as three hours east, as the platform's zones do. A zone with a POSIX
// rule is named by its string ("EST5EDT,M3.2.0,M11.1.0"), a zone read from a
// file outside the zone folder by the file's absolute path ("/home/u/tokyo",
// "/etc/localtime"); withIdentifier accepts both back too. Such a file read
// again once it changed is another zone, however often that happens: the path,
// "//" and a number name it ("/etc/localtime//7"), while the name of the
// version before keeps that version's rules (see icu_support.h).

#include "platform/core/date.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform {

class TimeZone {
public:
    static TimeZone current();
    // Makes current() ICU's default zone, when ICU holds another. ICU looks for
    // the host's zone itself the first time anything asks it for its default (a
    // date format or a calendar made without a zone), through the C library's
    // tzset, which opens the file TZ or TZDIR names blocking: a FIFO there would
    // hold the caller for ever. A program calls this before anything can ask
    // ICU for its default, and the platform before it builds such an object.
    static void handCurrentToIcu();
    static TimeZone utc();                                    // zero seconds from GMT
    static std::optional<TimeZone> withIdentifier(std::string_view identifier);
    static std::optional<TimeZone> withSecondsFromGMT(int seconds); // |seconds| <= 18 hours

    // Tests pin the current zone here; std::nullopt returns to the system's,
    // /etc/localtime read anew at the next call.
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
