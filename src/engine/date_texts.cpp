#include "engine/date_texts.h"

#include "engine/internal/calendar_steps.h"
#include "platform/core/calendar.h"
#include "platform/core/date_formatter.h"

#include <cmath>
#include <limits>

namespace engine {

using platform::Calendar;
using platform::Date;
using platform::DateComponents;

namespace {

constexpr const char* unknown = "Unknown";

std::string withPattern(const char* pattern, std::optional<Date> date) {
    if (!date)
        return unknown;
    platform::DateFormatter formatter;
    formatter.setDateFormat(pattern);
    return formatter.string(*date);
}

struct TimeOfDay {
    int hour;
    int minute;
    int second;
};

// The day source's fields with another time of day; fractions of a second go.
Date onDayAt(Date day, TimeOfDay time) {
    DateComponents fields;
    fields.hour = time.hour;
    fields.minute = time.minute;
    fields.second = time.second;
    return Calendar::current().dateBySettingFields(fields, day).value_or(day);
}

TimeOfDay timeOfDay(Date date) {
    const DateComponents fields = Calendar::current().components(
        {platform::CalendarComponent::hour, platform::CalendarComponent::minute, platform::CalendarComponent::second},
        date);
    return {fields.hour.value_or(0), fields.minute.value_or(0), fields.second.value_or(0)};
}

} // namespace

std::string dateJustDayMonthStr(std::optional<Date> date) { return withPattern("dd MMM", date); }
std::string dateStr(std::optional<Date> date) { return withPattern("EEE dd MMM yyyy", date); }
std::string timeStr(std::optional<Date> date) { return withPattern("HH:mm:ss", date); }
std::string timeNoSecStr(std::optional<Date> date) { return withPattern("HH:mm", date); }

std::string dtNoSecsStr(std::optional<Date> date) { return dateStr(date) + " at " + timeNoSecStr(date); }

std::string dateNoTimeStr(Date date) { return withPattern("EEE dd MMM yyyy", date); }

std::string timeNoDateStr(Date date) {
    platform::DateFormatter formatter;
    formatter.setDateStyle(platform::DateFormatStyle::none);
    formatter.setTimeStyle(platform::DateFormatStyle::longStyle);
    return formatter.string(date);
}

Date setTimeToNow(Date date) { return setTimeToNow(date, Date::now()); }

Date setTimeToNow(Date date, Date now) { return onDayAt(date, timeOfDay(now)); }

Date useTimeFromDate(Date day, Date time) { return onDayAt(day, timeOfDay(time)); }

Date setTime(Date date, int hour, int minute) { return onDayAt(date, {hour, minute, 0}); }

Date useHourAndMinuteFromDate(Date date, Date time) {
    const TimeOfDay source = timeOfDay(time);
    return onDayAt(date, {source.hour, source.minute, 0});
}

Date timeFrom(int hr, int min, int sec) { return onDayAt(Date::now(), {hr, min, sec}); }

Date dateFrom(int dy, int mth, int yr, int hr, int min, int sec) {
    return detail::localDate(Calendar::current(), yr, mth, dy, hr, min, sec).value_or(Date::now());
}

int daysBetween(Date first, Date second) {
    const Calendar calendar = Calendar::current();
    const double seconds = std::fabs(calendar.startOfDay(first).timeIntervalSince(calendar.startOfDay(second)));
    const double days = std::round(seconds / 86400.0);
    // Dates beyond the calendar's reach saturate rather than overflow.
    if (!(days <= static_cast<double>(std::numeric_limits<int>::max())))
        return std::numeric_limits<int>::max();
    return static_cast<int>(days);
}

} // namespace engine
