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

} // namespace datehelper
