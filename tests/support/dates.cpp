#include "support/dates.h"

#include "platform/core/calendar.h"
#include "platform/core/julian_day_numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace testsupport {

platform::DateComponents ymdhms(int year, int month, int day, int hour, int minute, int second) {
    return {.year = year, .month = month, .day = day, .hour = hour, .minute = minute, .second = second};
}

platform::Date utc(int year, int month, int day, int hour, int minute, double second) {
    const auto days = static_cast<double>(astronomy::gregorianDayNumber(year, month, day) - astronomy::unixEpochDayNumber);
    return platform::Date::fromSecondsSince1970(days * 86400.0 + hour * 3600.0 + minute * 60.0 + second);
}

platform::Date local(int year, int month, int day, int hour, int minute, double second) {
    const double whole = std::floor(second);
    const auto date = platform::Calendar::current().date(
        ymdhms(year, month, day, hour, minute, static_cast<int>(whole)));
    EXPECT_TRUE(date.has_value()) << year << '-' << month << '-' << day << ' ' << hour << ':' << minute;
    return date ? date->addingTimeInterval(second - whole) : platform::Date();
}

} // namespace testsupport
