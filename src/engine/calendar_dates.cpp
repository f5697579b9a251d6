#include "engine/calendar_dates.h"

#include "engine/internal/calendar_steps.h"
#include "platform/core/calendar.h"
#include "platform/core/date_components.h"
#include "platform/core/julian_day_numbers.h"
#include "platform/core/unit_counts.h"

#include <random>

namespace engine {

using platform::Calendar;
using platform::CalendarComponent;
using platform::Date;
using platform::DateComponents;

namespace detail {

std::optional<Date> dateInZone(const Calendar& calendar, const platform::TimeZone& zone, int year, int month, int day,
                               int hour, int minute, int second) {
    return calendar.date(
        {.timeZone = zone, .year = year, .month = month, .day = day, .hour = hour, .minute = minute, .second = second});
}

std::optional<Date> localDate(const Calendar& calendar, int year, int month, int day, int hour, int minute,
                              int second) {
    return dateInZone(calendar, calendar.timeZone(), year, month, day, hour, minute, second);
}

std::optional<Date> localMidnight(const Calendar& calendar, int year, int month, int day) {
    return localDate(calendar, year, month, day, 0, 0, 0);
}

Date inYear(const Calendar& calendar, Date date, int year) {
    DateComponents fields;
    fields.year = year;
    return calendar.dateBySettingFields(fields, date).value_or(date);
}

} // namespace detail

namespace {

int field(CalendarComponent component, Date date) {
    return Calendar::current().component(component, date);
}

Date addDays(Date date, int days) {
    return Calendar::current().dateByAdding(CalendarComponent::day, days, date).value_or(date);
}

} // namespace

int getYear(Date date) { return field(CalendarComponent::year, date); }
int getMonth(Date date) { return field(CalendarComponent::month, date); }
int getDay(Date date) { return field(CalendarComponent::day, date); }
int getDOW(Date date) { return field(CalendarComponent::weekday, date); }
int getHour(Date date) { return field(CalendarComponent::hour, date); }
int getMin(Date date) { return field(CalendarComponent::minute, date); }
int getSec(Date date) { return field(CalendarComponent::second, date); }

int dayOfWeek() { return getDOW(Date::now()); }

Date zeroTime(Date date) { return Calendar::current().startOfDay(date); }

Date yesterday(Date date) { return addDays(date, -1); }
Date tomorrow(Date date) { return addDays(date, 1); }

Date setYear(Date date, int year) { return detail::inYear(Calendar::current(), date, year); }

Date getDateFor(int hour, int minute, int /*unusedSecond*/, int year, int month, int day) {
    return detail::localDate(Calendar::current(), year, month, day, hour, minute, 0).value_or(Date::now());
}

Date randomDate() {
    thread_local std::mt19937 source{std::random_device{}()};
    auto pick = [](int lowest, int highest) {
        return std::uniform_int_distribution<int>{lowest, highest}(source);
    };
    // Drawn in this order. Hour 24 runs on into the next day, so the results lie
    // from 1 January 1970 01:01 to 29 December 2040 00:59, local time.
    const int year = pick(1970, 2040);
    const int month = pick(1, 12);
    const int day = pick(1, 28);
    const int hour = pick(1, 24);
    const int minute = pick(1, 59);
    return detail::localDate(Calendar::current(), year, month, day, hour, minute, 0).value_or(Date::now());
}

Date timeIntervalSince1970toDate(double seconds) { return Date::fromSecondsSince1970(seconds); }

bool sameDate(Date first, Date second) { return Calendar::current().isDate(first, second); }

std::int64_t interval(Date end, CalendarComponent ofComponent, Date fromDate) {
    return platform::boundariesCrossed(Calendar::current(), ofComponent, fromDate, end).value_or(0);
}

int daysInMonth(int month, int year) {
    const Calendar calendar = Calendar::current();
    const auto firstDay = calendar.date({.year = year, .month = month});
    if (!firstDay)
        return -1;
    const auto days = calendar.range(CalendarComponent::day, CalendarComponent::month, *firstDay);
    return days ? days->count() : -1;
}

bool isLeapYear(int year) { return astronomy::isGregorianLeapYear(year); }

bool isLeapYear(Date date) { return isLeapYear(getYear(date)); }

} // namespace engine
