#include "engine/calendar_names.h"

#include "engine/calendar_dates.h"
#include "engine/internal/calendar_steps.h"
#include "platform/core/calendar.h"
#include "platform/core/date_formatter.h"

#include <array>

namespace engine {

using platform::Date;

namespace {

constexpr std::array<std::string_view, 7> daysOfTheWeek{
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 7> daysOfTheWeekShort{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

constexpr std::array<std::string_view, 12> monthNames{
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

std::string_view firstThree(std::string_view name, bool shortName) {
    return shortName ? name.substr(0, 3) : name;
}

std::string_view weekdayEntry(const std::array<std::string_view, 7>& table, Date date) {
    const int weekday = getDOW(date);
    return (weekday >= 1 && weekday <= 7) ? table[static_cast<std::size_t>(weekday - 1)] : table.back();
}

std::string formatted(std::string_view pattern, Date date) {
    platform::DateFormatter formatter;
    formatter.setLocale(platform::Locale::current());
    formatter.setDateFormat(std::string(pattern));
    return formatter.string(date);
}

} // namespace

std::string_view dayofTheWeek(Date date) { return weekdayEntry(daysOfTheWeek, date); }
std::string_view dayofTheWeekShort(Date date) { return weekdayEntry(daysOfTheWeekShort, date); }

std::string_view dayofWeekName(int weekday, bool shortName) {
    // Numbers past Friday, and any number out of range, read as Saturday.
    const std::string_view name =
        (weekday >= 1 && weekday <= 6) ? daysOfTheWeek[static_cast<std::size_t>(weekday - 1)] : "Saturday";
    return firstThree(name, shortName);
}

std::string_view monthName(int month, bool shortName) {
    const std::string_view name =
        (month >= 1 && month <= 11) ? monthNames[static_cast<std::size_t>(month - 1)] : "December";
    return firstThree(name, shortName);
}

std::string yearStr(int year, bool shortYear) {
    // The formatter writes the year of an instant, so take one well inside it:
    // midday of 1 July, away from any clock change at either end of the year.
    const platform::Calendar calendar = platform::Calendar::current();
    const auto midYear = detail::localDate(calendar, year, 7, 1, 12, 0, 0);
    if (!midYear)
        return {};
    platform::DateFormatter formatter;
    formatter.setLocale(platform::Locale::current());
    formatter.setTimeZone(calendar.timeZone());
    formatter.setDateFormat(shortYear ? "yy" : "yyyy");
    return formatter.string(*midYear);
}

std::string shortDate(Date date) { return formatted(dfDateShort, date); }
std::string longDate(Date date) { return formatted(dfDateLong, date); }
std::string shortTime(Date date) { return formatted(dfTimeShort, date); }
std::string longTime(Date date) { return formatted(dfTimeLong, date); }

} // namespace engine
