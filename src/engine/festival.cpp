#include "engine/festival.h"

#include "engine/internal/local_day.h"
#include "platform/core/calendar.h"
#include "platform/core/julian_day_numbers.h"

#include <algorithm>

namespace engine {

using platform::Calendar;
using platform::Date;

namespace {

struct DayOfYear {
    int day;
    int month;
};

struct TraditionalDays {
    DayOfYear start;
    DayOfYear end;
};

// Northern hemisphere; the southern days follow from the six-month move.
constexpr TraditionalDays traditionalDays(Festival festival) {
    switch (festival) {
    case Festival::Yule: return {{19, 12}, {23, 12}};
    case Festival::Imbolc: return {{31, 1}, {allSaints(festival) ? 2 : 1, 2}};
    case Festival::Ostara: return {{19, 3}, {23, 3}};
    case Festival::Beltane: return {{30, 4}, {1, 5}};
    case Festival::Litha: return {{19, 6}, {23, 6}};
    case Festival::Lammas: return {{1, 8}, {2, 8}};
    case Festival::Mabon: return {{20, 9}, {24, 9}};
    case Festival::Samhain: return {{31, 10}, {1, 11}};
    }
    return {{19, 12}, {23, 12}};
}

// Six months on for January to June, six months back for July to December, so
// the day stays in its year; a day the target month lacks becomes its last (31
// October becomes 30 April), as a calendar step of six months would have it.
constexpr DayOfYear southernDay(DayOfYear northern) {
    const int month = northern.month <= 6 ? northern.month + 6 : northern.month - 6;
    return {std::min(northern.day, astronomy::daysInMonth(month, true)), month};
}

// February's length depends on the year; no traditional day moves to its end.
constexpr bool noDayMovesToTheEndOfFebruary() {
    for (Festival festival : allFestivals)
        for (DayOfYear day : {traditionalDays(festival).start, traditionalDays(festival).end})
            if (southernDay(day).month == 2 && southernDay(day).day > 28)
                return false;
    return true;
}
static_assert(noDayMovesToTheEndOfFebruary());

Date traditionalDate(DayOfYear northern, int year, double latitude) {
    const DayOfYear day = inNorthernHem(latitude) ? northern : southernDay(northern);
    return detail::orPresentMoment(detail::startOfLocalDay(detail::userCalendar(), year, day.month, day.day));
}

} // namespace

std::string_view rawValue(Festival festival) {
    switch (festival) {
    case Festival::Yule: return "Yule";
    case Festival::Imbolc: return "Imbolc";
    case Festival::Ostara: return "Ostara";
    case Festival::Beltane: return "Beltane";
    case Festival::Litha: return "Litha";
    case Festival::Lammas: return "Lammas";
    case Festival::Mabon: return "Mabon";
    case Festival::Samhain: return "Samhain";
    }
    return "Yule";
}

std::optional<Festival> festivalFromRawValue(std::string_view name) {
    for (Festival festival : allFestivals)
        if (rawValue(festival) == name)
            return festival;
    return std::nullopt;
}

bool inNorthernHem(double latitude) { return latitude >= 0.0 && latitude <= 90.0; }

Date tradStartDate(Festival festival, int year, double latitude) {
    return traditionalDate(traditionalDays(festival).start, year, latitude);
}

Date tradEndDate(Festival festival, int year, double latitude) {
    return traditionalDate(traditionalDays(festival).end, year, latitude);
}

bool dateIn(Date date, int startDay, int startMonth, int startYear, int endDay, int endMonth, int endYear) {
    const Calendar calendar = detail::userCalendar();
    const Date day = calendar.startOfDay(date);
    const auto lower = detail::startOfLocalDay(calendar, startYear, startMonth, startDay);
    const auto upper = detail::startOfLocalDay(calendar, endYear, endMonth, endDay);
    if (!lower || !upper)
        return false;
    return *lower <= day && day <= *upper;
}

} // namespace engine
