// POSIX TZ strings, as zone files end with them and as the TZ variable may hold
// them, and whole TZ values: what the parser accepts must keep within the ranges its header promises,
// and a zone built on it must answer for any instant.

#include "fuzz_check.h"
#include "platform/core/internal/posix_tz_string.h"
#include "platform/core/internal/system_zone_data.h"
#include "platform/core/internal/tz_variable.h"

#include <unicode/basictz.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

using platform::posix_tz::ChangeDate;

void checkChangeDate(const ChangeDate& date) {
    switch (date.form) {
    case ChangeDate::Form::monthWeekDay:
        FUZZ_CHECK(date.month >= 1 && date.month <= 12);
        FUZZ_CHECK(date.week >= 1 && date.week <= 5);
        FUZZ_CHECK(date.weekday >= 0 && date.weekday <= 6);
        break;
    case ChangeDate::Form::julianDay:
        FUZZ_CHECK(date.day >= 1 && date.day <= 365);
        break;
    case ChangeDate::Form::zeroBasedDay:
        FUZZ_CHECK(date.day >= 0 && date.day <= 365);
        break;
    }
    // Hours from -167 to 167, with the sign taken by the minutes and seconds too.
    constexpr std::int32_t furthest = 167 * 3600 + 59 * 60 + 59;
    FUZZ_CHECK(date.secondsOfDay >= -furthest && date.secondsOfDay <= furthest);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // The whole TZ value as the program reads it: a name, a path or a rule.
    if (const auto zone = platform::tz_variable::zoneOf(text)) {
        for (const double seconds : {-2208988800.0, 0.0, 1710903960.0, 4102444800.0}) {
            const int offset = zone->secondsFromGMT(platform::Date::fromSecondsSince1970(seconds));
            FUZZ_CHECK(offset >= -18 * 3600 && offset <= 18 * 3600);
        }
    }

    const auto parsed = platform::posix_tz::parse(text);
    if (!parsed) return 0;

    constexpr std::int32_t widestOffset = 24 * 3600 + 59 * 60 + 59;
    FUZZ_CHECK(parsed->standard.abbreviation.size() >= 3);
    FUZZ_CHECK(parsed->standard.secondsFromGMT >= -widestOffset && parsed->standard.secondsFromGMT <= widestOffset);
    if (parsed->daylight) {
        FUZZ_CHECK(parsed->daylight->time.abbreviation.size() >= 3);
        checkChangeDate(parsed->daylight->start);
        checkChangeDate(parsed->daylight->end);
    }

    // The rule as the footer of a zone file with no recorded changes.
    platform::tzif::ZoneData zone;
    zone.types.push_back({parsed->standard.secondsFromGMT, false, parsed->standard.abbreviation});
    zone.footer = std::string(text);
    const auto icuZone = platform::system_zone_data::zoneFromData("Fuzz/Rule", zone);
    if (!icuZone) return 0;
    // Instants from 1900 to 2100 and the far edges, in milliseconds.
    for (const double instant : {-2208988800000.0, -1e15, 0.0, 1710903960000.0, 4102444800000.0, 1e15}) {
        UErrorCode status = U_ZERO_ERROR;
        std::int32_t raw = 0;
        std::int32_t dst = 0;
        icuZone->getOffset(instant, false, raw, dst, status);
        if (U_SUCCESS(status)) FUZZ_CHECK(raw + dst >= -2 * widestOffset * 1000 && raw + dst <= 2 * widestOffset * 1000);
    }
    return 0;
}
