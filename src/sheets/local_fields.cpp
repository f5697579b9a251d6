#include "sheets/local_fields.h"

#include "platform/core/calendar.h"
#include "platform/core/julian_day_numbers.h"

namespace sheets {

using platform::Calendar;
using platform::CalendarComponent;
using platform::Date;
using platform::DateComponents;

namespace {

constexpr platform::ComponentSet allFields{CalendarComponent::era,  CalendarComponent::year,
                                           CalendarComponent::month, CalendarComponent::day,
                                           CalendarComponent::hour,  CalendarComponent::minute,
                                           CalendarComponent::second};

int astronomicalYear(const DateComponents& fields) {
    return astronomy::astronomicalYear(fields.era.value_or(1), fields.year.value_or(1970));
}

void setAstronomicalYear(DateComponents& fields, int year) {
    const auto [era, yearOfEra] = astronomy::eraAndYearOf(year);
    fields.era = era;
    fields.year = yearOfEra;
}

} // namespace

LocalDay localDay(Date date) {
    const DateComponents fields = Calendar::current().components(allFields, date);
    return {astronomicalYear(fields), fields.month.value_or(1), fields.day.value_or(1)};
}

ClockTime clockTime(Date date) {
    const DateComponents fields = Calendar::current().components(allFields, date);
    return {fields.hour.value_or(0), fields.minute.value_or(0), fields.second.value_or(0)};
}

std::optional<Date> onDay(Date date, LocalDay day) {
    const Calendar calendar = Calendar::current();
    DateComponents fields = calendar.components(allFields, date);
    setAstronomicalYear(fields, day.year);
    fields.month = day.month;
    fields.day = day.day;
    return calendar.date(fields);
}

std::optional<Date> atHourAndMinute(Date date, int hour, int minute) {
    const Calendar calendar = Calendar::current();
    DateComponents fields = calendar.components(allFields, date);
    fields.hour = hour;
    fields.minute = minute;
    return calendar.date(fields);
}

} // namespace sheets
