#include "engine/season.h"

#include "engine/calendar_steps.h"
#include "engine/color_adjustment.h"
#include "engine/festival.h"
#include "engine/fixed_positions.h"
#include "platform/core/calendar.h"
#include "platform/core/earth.h"
#include "platform/core/julian_day.h"

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

std::optional<Date> startDate(const Calendar& calendar, Season season, int year) {
    const auto newYearsMidnight = detail::localMidnight(calendar, year, 1, 1);
    if (!newYearsMidnight)
        return std::nullopt;

    const StartDay start = inNorthernHem(forLatitude()) ? northernStart(season) : southernStart(season);
    DateComponents matching;
    matching.year = year;
    matching.month = start.month;
    matching.day = start.day;
    // Where a clock change skips midnight on that day, the first moment the day has.
    return calendar.nextDate(*newYearsMidnight, matching, platform::MatchingPolicy::nextTime,
                             platform::RepeatedTimePolicy::first, platform::SearchDirection::forward);
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
    return startDate(Calendar::current(), forSeason, year);
}

Date getSeasonStart(Season season, int forYear) { return seasonStartDate(season, forYear).value_or(Date::now()); }

Season getSeasonFor(Date date) {
    const Calendar calendar = Calendar::current();
    const Date day = calendar.startOfDay(date);
    const YearStarts starts = startsOf(calendar, calendar.component(CalendarComponent::year, day));
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
    const Calendar calendar = Calendar::current();
    const int year = calendar.component(CalendarComponent::year, forDate);
    const YearStarts starts = startsOf(calendar, year);
    switch (season) {
    case Season::spring: return dayBefore(calendar, starts.summer);
    case Season::summer: return dayBefore(calendar, starts.autumn);
    case Season::autumn: return dayBefore(calendar, starts.winter);
    case Season::winter:
        if (calendar.component(CalendarComponent::month, forDate) == 12 && year < std::numeric_limits<int>::max())
            return dayBefore(calendar, detail::inYear(calendar, starts.spring, year + 1));
        return dayBefore(calendar, starts.spring);
    }
    return dayBefore(calendar, starts.spring);
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
