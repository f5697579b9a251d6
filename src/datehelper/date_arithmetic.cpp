#include "datehelper/date_arithmetic.h"

#include "platform/core/date_components.h"

namespace datehelper {

using platform::Calendar;
using platform::Date;
using platform::TimeZone;

namespace {

// The locale whose week rules are Sunday first and a first week that holds
// 1 January; it names nothing else here.
const platform::Locale& sundayWeeksLocale() {
    static const platform::Locale locale = platform::Locale::withIdentifier("en_US_POSIX");
    return locale;
}

// The platform reads a clock time that the clocks repeat (the hour after they
// go back) as its first occurrence. Composed from a date in the second one,
// that would move the date an hour back: replacing no field, or rounding its
// minute, would not give the date's own hour. Where `composed` is such a time,
// the occurrence under the offset of `original` is taken instead.
Date inOccurrenceOf(Date original, Date composed, const TimeZone& zone) {
    const int before = zone.secondsFromGMT(original);
    const int after = zone.secondsFromGMT(composed);
    if (before == after) return composed;
    // Same clock reading as `composed` when it lies under the offset of `original`.
    const Date other = composed.addingTimeInterval(after - before);
    return zone.secondsFromGMT(other) == before ? other : composed;
}

} // namespace

Calendar calendar(const TimeZone& timeZone) {
    return Calendar::gregorian(timeZone, sundayWeeksLocale());
}

Date startOfDay(Date date) {
    return calendar(TimeZone::utc()).startOfDay(date);
}

std::optional<Date> endOfDay(Date date) {
    platform::DateComponents lastSecond;
    lastSecond.day = 1;
    lastSecond.second = -1;
    return calendar(TimeZone::utc()).dateByAdding(lastSecond, startOfDay(date));
}

Date adjust(Date date, DateComponentType type, int offset, const TimeZone& timeZone) {
    return calendar(timeZone).dateByAdding(calendarComponent(type), offset, date).value_or(date);
}

Date adjust(Date date, std::optional<int> hour, std::optional<int> minute, std::optional<int> second,
            std::optional<int> day, std::optional<int> month, const TimeZone& timeZone) {
    const platform::DateComponents replacements{
        .month = month, .day = day, .hour = hour, .minute = minute, .second = second};
    const auto composed = calendar(timeZone).dateBySettingFields(replacements, date);
    return composed ? inOccurrenceOf(date, *composed, timeZone) : date;
}

Date dateByLocalZone(Date date) {
    return date.addingTimeInterval(TimeZone::current().secondsFromGMT(Date::now()));
}

platform::DateComponents components(Date date, const TimeZone& timeZone) {
    return calendar(timeZone).components(componentFlags, date);
}

int component(Date date, DateComponentType type) {
    return calendar(TimeZone::current()).component(calendarComponent(type), date);
}

} // namespace datehelper
