#pragma once
// TZ and TZDIR made safe for the C library before anything asks it for local
// time. Its tzset opens the file TZ names (a path, or a name under TZDIR or
// the system's zone folder) blocking, and Qt, fontconfig and others ask it for
// local time: a FIFO there would hold the program for ever. The program's own
// reader (TimeZone::current) never blocks, and settles on a zone whatever the
// files hold.
//
// makeZoneEnvironmentSafe() reads the program's zone in full first, then:
// - TZDIR is removed when a name looked up in it (TZ's value, the zone's
//   name) is there as anything but a regular zone file;
// - TZ is rewritten when the file the C library would read for it (in the
//   folder that remains; /etc/localtime for an unset TZ) is anything but a
//   regular zone file, or is missing while the value is no POSIX string both
//   readers take (the C library would read UTC where the program reads another
//   zone). The new value names the
//   zone the program settled on without that file: ":" for UTC (the C library
//   then opens nothing), else the rule that ends the zone's file, as the C
//   library reads a POSIX string ("GMT0BST,M3.5.0/1,M10.5.0"), else the
//   zone's present offset ("<+0530>-5:30"). Such a rule carries no history,
//   so TimeZone::current() keeps the zone it read, with its history, for as
//   long as TZ holds the new value.
// A TZ the C library reads from a regular zone file ("Europe/London",
// ":/etc/localtime", "right/Asia/Tokyo", a copy at ":/home/u/tokyo"), which
// the program reads too (see tz_variable.h), a POSIX string that names no file
// ("EST5EDT,M3.2.0,M11.1.0"), and an unset TZ while /etc/localtime is a regular
// zone file (a link to one, a copy) or missing (both read UTC) stay as they are.

#include <optional>
#include <string>

namespace platform {

struct ZoneEnvironmentChange {
    std::string zone;               // the identifier of the zone the program settled on
    std::optional<std::string> tz;  // TZ's new value, when it was rewritten
    bool tzdirRemoved = false;
    bool systemFile = false;        // TZ was unset, and /etc/localtime no regular zone file

    // The change in one line for the console:
    //   Vadididod: TZ or TZDIR names no regular zone file; TZ is now ":" (UTC); TZDIR is unset.
    //   Vadididod: /etc/localtime is no regular zone file; TZ is now ":" (UTC).
    std::string line() const;
};

// Changes the process's environment: call it first thing in main, before any
// other thread runs. std::nullopt when TZ and TZDIR stay as they were.
std::optional<ZoneEnvironmentChange> makeZoneEnvironmentSafe();

} // namespace platform
