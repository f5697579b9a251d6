#include "sheets/local_fields.h"

#include "platform/core/calendar.h"

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

// Era 0 counts its years backwards from 1 BC.
int astronomicalYear(const DateComponents& fields) {
    const int year = fields.year.value_or(1970);
    return fields.era.value_or(1) == 0 ? 1 - year : year;
}

void setAstronomicalYear(DateComponents& fields, int year) {
    if (year <= 0) {
        fields.era = 0;
        fields.year = 1 - year;
    } else {
        fields.era = 1;
        fields.year = year;
    }
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
