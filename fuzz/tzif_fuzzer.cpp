// Compiled zone files (TZif), as /usr/share/zoneinfo or a TZDIR chosen by the
// user holds them: what the reader accepts must keep the promises of its header,
// and the zone made from it must answer for any instant.

#include "fuzz_check.h"
#include "platform/core/internal/posix_tz_string.h"
#include "platform/core/internal/system_zone_data.h"
#include "platform/core/internal/tzif_file.h"

#include <unicode/basictz.h>

#include <cstddef>
#include <cstdlib>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto zone = platform::tzif::parse(std::span<const unsigned char>(data, size));
    if (!zone) return 0;

    FUZZ_CHECK(!zone->types.empty());
    for (std::size_t i = 0; i < zone->transitions.size(); ++i) {
        FUZZ_CHECK(zone->transitions[i].type < zone->types.size());
        if (i > 0) FUZZ_CHECK(zone->transitions[i - 1].at < zone->transitions[i].at);
    }
    for (std::size_t i = 0; i < zone->leapSeconds.size(); ++i) {
        const auto& leap = zone->leapSeconds[i];
        FUZZ_CHECK(std::abs(leap.correction) <= platform::tzif::maxLeapCorrection);
        if (i > 0) {
            FUZZ_CHECK(zone->leapSeconds[i - 1].at < leap.at);
            FUZZ_CHECK(std::abs(leap.correction - zone->leapSeconds[i - 1].correction) <= 1);
        }
    }
    if (!zone->footer.empty()) static_cast<void>(platform::posix_tz::parse(zone->footer));

    const auto icuZone = platform::system_zone_data::zoneFromData("Fuzz/Zone", *zone);
    if (!icuZone) return 0;
    // Before, at and after the recorded changes, and far beyond them, in milliseconds.
    double instants[] = {-1e15, -2208988800000.0, 0.0, 1710903960000.0, 4102444800000.0, 1e15, 0.0, 0.0};
    if (!zone->transitions.empty()) {
        instants[6] = static_cast<double>(zone->transitions.front().at) * 1000.0;
        instants[7] = static_cast<double>(zone->transitions.back().at) * 1000.0 + 1.0;
    }
    for (const double instant : instants) {
        UErrorCode status = U_ZERO_ERROR;
        std::int32_t raw = 0;
        std::int32_t dst = 0;
        icuZone->getOffset(instant, false, raw, dst, status);
        icu::TimeZoneTransition transition;
        static_cast<void>(icuZone->getNextTransition(instant, false, transition));
        static_cast<void>(icuZone->getPreviousTransition(instant, false, transition));
    }
    return 0;
}
