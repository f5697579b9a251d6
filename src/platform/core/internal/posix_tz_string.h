#pragma once
// The POSIX TZ string at the end of a zone file and in a TZ value
// ("GMT0BST,M3.5.0/1,M10.5.0", "<-03>3"), with the extensions RFC 8536 allows:
// rule times from -167 to 167 hours. Private to src/platform/core.
//
// Offsets are stored as seconds east of Greenwich, the opposite of the string's
// own sign.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::posix_tz {

// The local day and time of one clock change each year.
struct ChangeDate {
    enum class Form : std::uint8_t {
        monthWeekDay,   // Mm.w.d: weekday d (0 = Sunday) of week w (5 = last) of month m
        julianDay,      // Jn: day n of 1..365, 29 February never counted
        zeroBasedDay,   // n: day n of 0..365, 29 February counted in leap years
    };
    Form form = Form::monthWeekDay;
    int month = 1;        // 1 to 12
    int week = 1;         // 1 to 5
    int weekday = 0;      // 0 to 6
    int day = 0;          // julianDay: 1 to 365; zeroBasedDay: 0 to 365
    // Local time of the change, in the time before it: hours -167 to 167, the
    // sign applying to the minutes and seconds too (-167:05 is -601,500 s).
    std::int32_t secondsOfDay = 2 * 3600;
};

struct TzString {
    struct Time {
        std::string abbreviation;
        std::int32_t secondsFromGMT = 0;
    };
    struct Daylight {
        Time time;
        ChangeDate start;   // into daylight time
        ChangeDate end;     // back to standard time
    };
    Time standard;
    std::optional<Daylight> daylight;
};

// std::nullopt for anything malformed, and for daylight time without its rules
// (whose dates POSIX leaves to the implementation).
std::optional<TzString> parse(std::string_view text);

} // namespace platform::posix_tz
