#include "engine/astronomical_date.h"

#include "engine/internal/local_day.h"
#include "engine/internal/year_events.h"
#include "platform/core/calendar.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace engine {

using detail::YearEvent;
using platform::Calendar;
using platform::Date;

namespace {

// The December solstice opening a span that crosses into `year` is that of the
// year before.
int yearBefore(int year) { return year > std::numeric_limits<int>::min() ? year - 1 : year; }

struct YearAndEvent {
    int year;
    YearEvent event;
};

} // namespace

Date detail::crossQuarterMidpoint(const Calendar& calendar, Date first, Date second) {
    const double spanDays = std::round(second.timeIntervalSince(first) / 86400.0);
    const double offsetDays = std::round(spanDays / 2.0);
    // 2^63 as a double; every smaller whole double converts exactly.
    constexpr double int64Limit = 9223372036854775808.0;
    if (!std::isfinite(offsetDays) || offsetDays >= int64Limit || offsetDays < -int64Limit)
        return first;
    const auto moved =
        calendar.dateByAdding(platform::CalendarComponent::day, static_cast<std::int64_t>(offsetDays), first);
    return moved.value_or(first);
}

Date crossQuarterMidpoint(Date first, Date second) {
    return detail::crossQuarterMidpoint(detail::userCalendar(), first, second);
}

Date astronomicalDate(Festival festival, int year, double latitude) {
    const Calendar calendar = detail::userCalendar();
    const bool north = inNorthernHem(latitude);
    const YearAndEvent march{year, YearEvent::marchEquinox};
    const YearAndEvent june{year, YearEvent::juneSolstice};
    const YearAndEvent september{year, YearEvent::septemberEquinox};
    const YearAndEvent december{year, YearEvent::decemberSolstice};
    const YearAndEvent decemberBefore{yearBefore(year), YearEvent::decemberSolstice};
    const auto instant = [&calendar](YearAndEvent event) {
        return detail::eventInstant(calendar, event.year, event.event);
    };
    const auto midpoint = [&calendar, &instant](YearAndEvent first, YearAndEvent second) {
        return detail::crossQuarterMidpoint(calendar, instant(first), instant(second));
    };
    switch (festival) {
    case Festival::Yule: return instant(north ? december : june);
    case Festival::Ostara: return instant(north ? march : september);
    case Festival::Litha: return instant(north ? june : december);
    case Festival::Mabon: return instant(north ? september : march);
    case Festival::Imbolc: return north ? midpoint(decemberBefore, march) : midpoint(june, september);
    case Festival::Beltane: return north ? midpoint(march, june) : midpoint(september, december);
    case Festival::Lammas: return north ? midpoint(june, september) : midpoint(decemberBefore, march);
    case Festival::Samhain: return north ? midpoint(september, december) : midpoint(march, june);
    }
    return instant(december);
}

} // namespace engine
