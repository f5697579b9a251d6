#include "engine/season.h"

#include "engine/color_adjustment.h"
#include "engine/festival.h"
#include "engine/fixed_positions.h"
#include "engine/internal/local_day.h"
#include "platform/core/calendar.h"
#include "platform/core/earth.h"
#include "platform/core/julian_day.h"
#include "platform/core/julian_day_numbers.h"

#include <limits>

namespace engine {

using platform::Calendar;
using platform::CalendarComponent;
using platform::Date;
using platform::DateComponents;

namespace {

struct StartDay {
    int month;
    int day;
};

constexpr StartDay northernStart(Season season) {
    switch (season) {
    case Season::spring: return {3, 20};
    case Season::summer: return {6, 21};
    case Season::autumn: return {9, 22};
    case Season::winter: return {12, 21};
    }
    return {3, 20};
}

// Chosen only if the fixed latitude were southern. getSeasonFor and
// getSeasonEnd assume the northern order within a year, so they would not give
// southern seasons from it.
constexpr StartDay southernStart(Season season) {
    switch (season) {
    case Season::spring: return {9, 22};
    case Season::summer: return {12, 21};
    case Season::autumn: return {3, 20};
    case Season::winter: return {6, 21};
    }
    return {9, 22};
}

StartDay startDay(Season season) {
    return inNorthernHem(forLatitude()) ? northernStart(season) : southernStart(season);
}

std::optional<Date> startDate(const Calendar& calendar, Season season, int year) {
    const StartDay start = startDay(season);
    return detail::startOfLocalDay(calendar, year, start.month, start.day);
}

// The year of the date with 0 for 1 BC, as seasonStartDate counts, and its
// month; none when the calendar cannot place the date.
struct YearAndMonth {
    int year;
    int month;
};

std::optional<YearAndMonth> yearAndMonthOf(const Calendar& calendar, Date date) {
    const DateComponents fields =
        calendar.components({CalendarComponent::era, CalendarComponent::year, CalendarComponent::month}, date);
    if (!fields.era || !fields.year || !fields.month)
        return std::nullopt;
    return YearAndMonth{astronomy::astronomicalYear(*fields.era, *fields.year), *fields.month};
}

struct YearStarts {
    Date spring, summer, autumn, winter;
};

// A day the calendar cannot find counts as the present moment.
YearStarts startsOf(const Calendar& calendar, int year) {
    const Date now = Date::now();
    return {startDate(calendar, Season::spring, year).value_or(now),
            startDate(calendar, Season::summer, year).value_or(now),
            startDate(calendar, Season::autumn, year).value_or(now),
            startDate(calendar, Season::winter, year).value_or(now)};
}

Date dayBefore(const Calendar& calendar, Date date) {
    return calendar.dateByAdding(CalendarComponent::day, -1, date).value_or(date);
}

} // namespace

std::string_view rawValue(Season season) {
    switch (season) {
    case Season::spring: return "spring";
    case Season::summer: return "summer";
    case Season::autumn: return "autumn";
    case Season::winter: return "winter";
    }
    return "spring";
}

std::optional<Season> seasonFromRawValue(std::string_view name) {
    for (Season season : allSeasons)
        if (rawValue(season) == name)
            return season;
    return std::nullopt;
}

double forLatitude() { return LondonLat; }

std::optional<Date> seasonStartDate(Season forSeason, int year) {
    return startDate(detail::userCalendar(), forSeason, year);
}

Date getSeasonStart(Season season, int forYear) { return detail::orPresentMoment(seasonStartDate(season, forYear)); }

Season getSeasonFor(Date date) {
    const Calendar calendar = detail::userCalendar();
    const Date day = calendar.startOfDay(date);
    const auto placed = yearAndMonthOf(calendar, day);
    if (!placed)
        return Season::winter;
    const YearStarts starts = startsOf(calendar, placed->year);
    if (starts.spring <= day && day < starts.summer)
        return Season::spring;
    if (starts.summer <= day && day < starts.autumn)
        return Season::summer;
    if (starts.autumn <= day && day < starts.winter)
        return Season::autumn;
    return Season::winter;
}

Season getCurrentSeason() { return getSeasonFor(Date::now()); }

Date getSeasonEnd(Season season, Date forDate) {
    const Calendar calendar = detail::userCalendar();
    const auto placed = yearAndMonthOf(calendar, forDate);
    if (!placed)
        return dayBefore(calendar, Date::now());
    // The winter of a December date ends in the next year; any other date's
    // winter is the one that began the December before.
    int year = placed->year;
    if (season == Season::winter && placed->month == 12 && year < std::numeric_limits<int>::max())
        ++year;
    // The day before the next season's first day, built as a day of its own:
    // the first moment before that season starts can lie after the last day's
    // midnight, where the clocks skip the next midnight.
    const StartDay next = startDay(nextSeason(season));
    const auto lastDay = detail::startOfLocalDay(calendar, year, next.month, next.day - 1);
    return lastDay ? *lastDay : dayBefore(calendar, Date::now());
}

double getSeasonLength(Season season, Date forDate) {
    const astronomy::Earth earth(astronomy::JulianDay::of(forDate), true);
    return earth.seasonLength(static_cast<astronomy::SeasonIndex>(season), inNorthernHem(forLatitude()));
}

std::string_view getSeasonStr(Season season) {
    switch (season) {
    case Season::spring: return "Spring";
    case Season::summer: return "Summer";
    case Season::autumn: return "Autumn";
    case Season::winter: return "Winter";
    }
    return "Spring";
}

std::string_view getSeasonIcon(Season season) {
    switch (season) {
    case Season::spring: return "tree";
    case Season::summer: return "sun.haze";
    case Season::autumn: return "leaf";
    case Season::winter: return "snowflake";
    }
    return "tree";
}

platform::Color getSeasonColor(Season season) {
    platform::Color base;
    std::optional<platform::Color> adjusted;
    switch (season) {
    case Season::spring: base = platform::Color::systemGreen(); adjusted = lighter(base, 20); break;
    case Season::summer: base = platform::Color::systemBlue(); adjusted = lighter(base, 20); break;
    case Season::autumn: base = platform::Color::systemBrown(); adjusted = lighter(base, 20); break;
    case Season::winter: base = platform::Color::white(); adjusted = darker(base, 15); break;
    }
    // A colour the adjustment cannot make is shown as it is rather than not at all.
    return adjusted.value_or(base);
}

std::string_view getSeasonImage(Season season) { return rawValue(season); }

std::string_view nextSeasonStr(Season season) { return rawValue(nextSeason(season)); }

Season nextSeason(Season season) {
    switch (season) {
    case Season::spring: return Season::summer;
    case Season::summer: return Season::autumn;
    case Season::autumn: return Season::winter;
    case Season::winter: return Season::spring;
    }
    return Season::spring;
}

Season prevSeason(Season season) {
    switch (season) {
    case Season::spring: return Season::winter;
    case Season::summer: return Season::spring;
    case Season::autumn: return Season::summer;
    case Season::winter: return Season::autumn;
    }
    return Season::spring;
}

} // namespace engine
