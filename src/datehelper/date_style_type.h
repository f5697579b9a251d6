#pragma once
// Display styles of toString(date, style): the platform's four date-and-time
// styles, the day of the month as an ordinal number, and weekday and month names.

namespace datehelper {

enum class DateStyleType : int {
    shortStyle = 0,
    medium = 1,
    longStyle = 2,
    full = 3,
    ordinalDay = 4,
    weekday = 5,
    shortWeekday = 6,
    veryShortWeekday = 7,
    month = 8,
    shortMonth = 9,
    veryShortMonth = 10,
};

} // namespace datehelper
