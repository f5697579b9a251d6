#include "platform/core/internal/wall_clock.h"

#include "platform/core/internal/calendar_fields.h"
#include "platform/core/julian_day_numbers.h"

#include <unicode/rbtz.h>

#include <limits>

namespace platform::wall_clock {

using calendar_fields::millisPerDay;

double millisInDay(std::int32_t hour, std::int32_t minute, std::int32_t second, std::int32_t millisecond) {
    // In ICU's order, on doubles: every step is exact.
    double millis = hour;
    millis = millis * 60 + minute;
    millis = millis * 60 + second;
    return millis * 1000 + millisecond;
}

std::optional<UDate> instantOf(const icu::GregorianCalendar& calendar, std::int64_t julianDay, double millisInDay,
                               UCalendarWallTimeOption skipped) {
    if (!calendar.isLenient() || skipped == UCAL_WALLTIME_NEXT_VALID) return std::nullopt;
    if (julianDay < std::numeric_limits<std::int32_t>::min() || julianDay > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    // The calendar treats every rule-based zone as one that reads wall times
    // itself; the program's zones from the system's data are such zones. ICU's
    // own class identifier tells them at the cost of one call.
    const icu::TimeZone& timeZone = calendar.getTimeZone();
    if (timeZone.getDynamicClassID() != icu::RuleBasedTimeZone::getStaticClassID()) return std::nullopt;
    const auto* zone = static_cast<const icu::RuleBasedTimeZone*>(&timeZone);
    const UDate dayStart = static_cast<double>(julianDay - astronomy::unixEpochDayNumber) * millisPerDay;
    const UTimeZoneLocalOption skippedOption = skipped == UCAL_WALLTIME_FIRST ? UCAL_TZ_LOCAL_LATTER
                                                                              : UCAL_TZ_LOCAL_FORMER;
    const UTimeZoneLocalOption repeatedOption =
        calendar.getRepeatedWallTimeOption() == UCAL_WALLTIME_FIRST ? UCAL_TZ_LOCAL_FORMER : UCAL_TZ_LOCAL_LATTER;
    std::int32_t raw = 0;
    std::int32_t dst = 0;
    UErrorCode status = U_ZERO_ERROR;
    zone->getOffsetFromLocal(dayStart + millisInDay, skippedOption, repeatedOption, raw, dst, status);
    if (U_FAILURE(status)) return std::nullopt;
    return dayStart + millisInDay - (raw + dst);
}

} // namespace platform::wall_clock
