#include "engine/festival.h"

#include "engine/calendar_steps.h"
#include "platform/core/calendar.h"

namespace engine {

using platform::Calendar;
using platform::CalendarComponent;
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
constexpr TraditionalDays traditionalDays(Vadididod festival) {
    switch (festival) {
    case Vadididod::Yule: return {{19, 12}, {23, 12}};
    case Vadididod::Imbolc: return {{31, 1}, {allSaints(festival) ? 2 : 1, 2}};
    case Vadididod::Ostara: return {{19, 3}, {23, 3}};
    case Vadididod::Beltane: return {{30, 4}, {1, 5}};
    case Vadididod::Litha: return {{19, 6}, {23, 6}};
    case Vadididod::Lammas: return {{1, 8}, {2, 8}};
    case Vadididod::Mabon: return {{20, 9}, {24, 9}};
    case Vadididod::Samhain: return {{31, 10}, {1, 11}};
    }
    return {{19, 12}, {23, 12}};
}

// Six months on for January to June, six months back for July to December, so
// the day stays in its year. The calendar clamps to the target month's last day
// (31 October becomes 30 April).
std::optional<Date> handleHem(const Calendar& calendar, Date date, double latitude) {
    if (inNorthernHem(latitude))
        return date;
    const int month = calendar.component(CalendarComponent::month, date);
    return calendar.dateByAdding(CalendarComponent::month, month <= 6 ? 6 : -6, date);
}

Date traditionalDate(DayOfYear day, int year, double latitude) {
    const Calendar calendar = Calendar::current();
    const auto northern = detail::localMidnight(calendar, year, day.month, day.day);
    if (!northern)
        return Date::now();
    const auto moved = handleHem(calendar, *northern, latitude);
    if (!moved)
        return Date::now();
    return calendar.startOfDay(*moved);
}

} // namespace

std::string_view rawValue(Vadididod festival) {
    switch (festival) {
    case Vadididod::Yule: return "Yule";
    case Vadididod::Imbolc: return "Imbolc";
    case Vadididod::Ostara: return "Ostara";
    case Vadididod::Beltane: return "Beltane";
    case Vadididod::Litha: return "Litha";
    case Vadididod::Lammas: return "Lammas";
    case Vadididod::Mabon: return "Mabon";
    case Vadididod::Samhain: return "Samhain";
    }
    return "Yule";
}

std::optional<Vadididod> vadididodFromRawValue(std::string_view name) {
    for (Vadididod festival : allVadididod)
        if (rawValue(festival) == name)
            return festival;
    return std::nullopt;
}

bool inNorthernHem(double latitude) { return latitude >= 0.0 && latitude <= 90.0; }

Date tradStartDate(Vadididod festival, int year, double latitude) {
    return traditionalDate(traditionalDays(festival).start, year, latitude);
}

Date tradEndDate(Vadididod festival, int year, double latitude) {
    return traditionalDate(traditionalDays(festival).end, year, latitude);
}

bool dateIn(Date date, int startDay, int startMonth, int startYear, int endDay, int endMonth, int endYear) {
    const Calendar calendar = Calendar::current();
    const Date day = calendar.startOfDay(date);
    const auto lower = detail::localMidnight(calendar, startYear, startMonth, startDay);
    const auto upper = detail::localMidnight(calendar, endYear, endMonth, endDay);
    if (!lower || !upper)
        return false;
    return calendar.startOfDay(*lower) <= day && day <= calendar.startOfDay(*upper);
}

} // namespace engine
