// The instant of six local fields, checked against the C library's own reading
// of the same wall-clock fields in the zone the test runs in.

#include "app/date_from.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <limits>

namespace {

using app::gregorianDateFrom;

// Seconds since 1970 of a local wall-clock time, as the C library reads it.
double libcLocal(int year, int month, int day, int hour, int minute, int second) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    return static_cast<double>(std::mktime(&fields));
}

TEST(GregorianDateFrom, TheTwentyNinthOfFebruaryAtNine) {
    const auto date = gregorianDateFrom(2024, 2, 29, 9, 0, 0);
    ASSERT_TRUE(date.has_value());
    EXPECT_EQ(date->secondsSince1970(), libcLocal(2024, 2, 29, 9, 0, 0));   // exact: whole seconds
}

TEST(GregorianDateFrom, ValuesBeyondTheirRangeRunOn) {
    EXPECT_EQ(gregorianDateFrom(2023, 2, 29, 9, 0, 0)->secondsSince1970(), libcLocal(2023, 3, 1, 9, 0, 0));
    EXPECT_EQ(gregorianDateFrom(2024, 12, 31, 24, 0, 0)->secondsSince1970(), libcLocal(2025, 1, 1, 0, 0, 0));
    EXPECT_EQ(gregorianDateFrom(2024, 13, 1, 8, 30, 0)->secondsSince1970(), libcLocal(2025, 1, 1, 8, 30, 0));
    EXPECT_EQ(gregorianDateFrom(2024, 6, 1, 0, 0, 90)->secondsSince1970(), libcLocal(2024, 6, 1, 0, 1, 30));
}

TEST(GregorianDateFrom, ValuesThatFitNoFieldGiveNone) {
    constexpr std::int64_t huge = std::int64_t{1} << 40;
    EXPECT_FALSE(gregorianDateFrom(huge, 1, 1, 9, 0, 0).has_value());
    EXPECT_FALSE(gregorianDateFrom(2024, -huge, 1, 9, 0, 0).has_value());
    EXPECT_FALSE(gregorianDateFrom(2024, 1, 1, 9, 0, std::numeric_limits<std::int64_t>::min()).has_value());
}

} // namespace
