#include "platform/core/internal/calendar_fields.h"

#include "platform/core/internal/icu_support.h"
#include "platform/core/internal/wall_clock.h"

#include <cmath>

namespace platform::calendar_fields {

std::int32_t monthLength(std::int64_t extendedYear, std::int32_t month0) noexcept {
    extendedYear += floorDivide(month0, 12);
    const auto month = static_cast<int>(floorModulo(month0, 12)) + 1;
    return astronomy::daysInMonth(month, isLeapYear(extendedYear));
}

std::int32_t yearLength(std::int64_t extendedYear) noexcept {
    return static_cast<std::int32_t>(julianDayOf(extendedYear + 1, 0, 1) - julianDayOf(extendedYear, 0, 1));
}

std::int64_t julianDayOf(std::int64_t extendedYear, std::int64_t month0, std::int64_t day) noexcept {
    const auto month = static_cast<int>(floorModulo(month0, 12)) + 1;
    return astronomy::dayNumberOfCivilDate(extendedYear + floorDivide(month0, 12), month, day);
}

std::optional<LocalTime> localTime(icu::GregorianCalendar& calendar, Date date) {
    if (!icu_support::isRepresentable(date)) return std::nullopt;
    const UDate millis = icu_support::toUDate(date);
    UErrorCode status = U_ZERO_ERROR;
    calendar.setTime(millis, status);
    LocalTime local;
    local.julianDay = calendar.get(UCAL_JULIAN_DAY, status);
    local.era = calendar.get(UCAL_ERA, status);
    local.year = calendar.get(UCAL_YEAR, status);
    local.extendedYear = calendar.get(UCAL_EXTENDED_YEAR, status);
    local.month0 = calendar.get(UCAL_MONTH, status);
    local.day = calendar.get(UCAL_DATE, status);
    local.hour = calendar.get(UCAL_HOUR_OF_DAY, status);
    local.minute = calendar.get(UCAL_MINUTE, status);
    local.second = calendar.get(UCAL_SECOND, status);
    local.millisecond = calendar.get(UCAL_MILLISECOND, status) + (millis - std::floor(millis));
    local.weekday = calendar.get(UCAL_DAY_OF_WEEK, status);
    if (U_FAILURE(status)) return std::nullopt;
    return local;
}

std::optional<Date> instantOfWallTime(icu::GregorianCalendar& calendar, std::int32_t julianDay,
                                      std::int32_t hour, std::int32_t minute, std::int32_t second,
                                      double millisecond, UCalendarWallTimeOption skipped) {
    const double wholeMillisecond = std::floor(millisecond);
    const auto wholeMillis = static_cast<std::int32_t>(wholeMillisecond);
    if (auto millis = wall_clock::instantOf(calendar, julianDay,
                                            wall_clock::millisInDay(hour, minute, second, wholeMillis), skipped)) {
        const Date result = icu_support::fromUDate(*millis + (millisecond - wholeMillisecond));
        if (!icu_support::isRepresentable(result)) return std::nullopt;
        return result;
    }
    calendar.clear();
    calendar.setSkippedWallTimeOption(skipped);
    calendar.set(UCAL_JULIAN_DAY, julianDay);
    calendar.set(UCAL_HOUR_OF_DAY, hour);
    calendar.set(UCAL_MINUTE, minute);
    calendar.set(UCAL_SECOND, second);
    calendar.set(UCAL_MILLISECOND, wholeMillis);
    UErrorCode status = U_ZERO_ERROR;
    const UDate millis = calendar.getTime(status);
    calendar.setSkippedWallTimeOption(icu_support::skippedMovesForward);
    if (U_FAILURE(status)) return std::nullopt;
    const Date result = icu_support::fromUDate(millis + (millisecond - wholeMillisecond));
    if (!icu_support::isRepresentable(result)) return std::nullopt;
    return result;
}

std::optional<Date> startOfJulianDay(icu::GregorianCalendar& calendar, std::int32_t julianDay) {
    return instantOfWallTime(calendar, julianDay, 0, 0, 0, 0.0, icu_support::skippedToGapEnd);
}

} // namespace platform::calendar_fields
