#include "engine/astronomical_date.h"

#include "engine/solstices.h"
#include "platform/core/calendar.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace engine {

using platform::Date;

namespace {

using EventOfYear = Date (*)(int year);

// The December solstice opening a span that crosses into `year` is that of the
// year before.
int yearBefore(int year) { return year > std::numeric_limits<int>::min() ? year - 1 : year; }

Date between(EventOfYear first, int firstYear, EventOfYear second, int secondYear) {
    return crossQuarterMidpoint(first(firstYear), second(secondYear));
}

} // namespace

Date crossQuarterMidpoint(Date first, Date second) {
    const double spanDays = std::round(second.timeIntervalSince(first) / 86400.0);
    const double offsetDays = std::round(spanDays / 2.0);
    // 2^63 as a double; every smaller whole double converts exactly.
    constexpr double int64Limit = 9223372036854775808.0;
    if (!std::isfinite(offsetDays) || offsetDays >= int64Limit || offsetDays < -int64Limit)
        return first;
    const auto moved = platform::Calendar::current().dateByAdding(
        platform::CalendarComponent::day, static_cast<std::int64_t>(offsetDays), first);
    return moved.value_or(first);
}

Date astronomicalDate(Vadididod festival, int year, double latitude) {
    const bool north = inNorthernHem(latitude);
    switch (festival) {
    case Vadididod::Yule: return north ? getWinterSolsticeDate(year) : getSummerSolsticeDate(year);
    case Vadididod::Ostara: return north ? getSpringEquinoxDate(year) : getAutumnEquinoxDate(year);
    case Vadididod::Litha: return north ? getSummerSolsticeDate(year) : getWinterSolsticeDate(year);
    case Vadididod::Mabon: return north ? getAutumnEquinoxDate(year) : getSpringEquinoxDate(year);
    case Vadididod::Imbolc:
        return north ? between(getWinterSolsticeDate, yearBefore(year), getSpringEquinoxDate, year)
                     : between(getSummerSolsticeDate, year, getAutumnEquinoxDate, year);
    case Vadididod::Beltane:
        return north ? between(getSpringEquinoxDate, year, getSummerSolsticeDate, year)
                     : between(getAutumnEquinoxDate, year, getWinterSolsticeDate, year);
    case Vadididod::Lammas:
        return north ? between(getSummerSolsticeDate, year, getAutumnEquinoxDate, year)
                     : between(getWinterSolsticeDate, yearBefore(year), getSpringEquinoxDate, year);
    case Vadididod::Samhain:
        return north ? between(getAutumnEquinoxDate, year, getWinterSolsticeDate, year)
                     : between(getSpringEquinoxDate, year, getSummerSolsticeDate, year);
    }
    return getWinterSolsticeDate(year);
}

} // namespace engine
