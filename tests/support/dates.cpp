#include "support/dates.h"

#include "platform/core/calendar.h"

#include <gtest/gtest.h>

#include <cmath>

namespace testsupport {

platform::DateComponents ymdhms(int year, int month, int day, int hour, int minute, int second) {
    platform::DateComponents c;
    c.year = year;
    c.month = month;
    c.day = day;
    c.hour = hour;
    c.minute = minute;
    c.second = second;
    return c;
}

platform::Date utc(int year, int month, int day, int hour, int minute, double second) {
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const double days = era * 146097.0 + dayOfEra - 719468.0;
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
