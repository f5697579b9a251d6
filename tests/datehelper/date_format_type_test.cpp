// The toolkit's value types: formats, zone choices, units and their constants.

#include "datehelper/date_component_type.h"
#include "datehelper/date_format_type.h"
#include "datehelper/date_style_type.h"
#include "datehelper/relative_time_string_type.h"
#include "datehelper/seconds_per_unit.h"
#include "datehelper/time_zone_type.h"
#include "toolkit_test_support.h"

#include <gtest/gtest.h>

#include <climits>

using namespace datehelper;
using datehelper_test::DeviceZone;
using datehelper_test::utc;
using platform::Date;

TEST(DateFormatType, PatternsOfTheNamedFormats) {
    EXPECT_EQ(DateFormatType::isoYear().stringFormat(), "yyyy");
    EXPECT_EQ(DateFormatType::isoYearMonth().stringFormat(), "yyyy-MM");
    EXPECT_EQ(DateFormatType::isoDate().stringFormat(), "yyyy-MM-dd");
    EXPECT_EQ(DateFormatType::isoDateTime().stringFormat(), "yyyy-MM-dd'T'HH:mmZ");
    EXPECT_EQ(DateFormatType::isoDateTimeSec().stringFormat(), "yyyy-MM-dd'T'HH:mm:ssZ");
    EXPECT_EQ(DateFormatType::isoDateTimeMilliSec().stringFormat(), "yyyy-MM-dd'T'HH:mm:ss.SSSZ");
    EXPECT_EQ(DateFormatType::dotNet().stringFormat(), "/Date(%d%f)/");
    EXPECT_EQ(DateFormatType::rss().stringFormat(), "EEE, d MMM yyyy HH:mm:ss ZZZ");
    EXPECT_EQ(DateFormatType::altRSS().stringFormat(), "d MMM yyyy HH:mm:ss ZZZ");
    EXPECT_EQ(DateFormatType::httpHeader().stringFormat(), "EEE, dd MM yyyy HH:mm:ss ZZZ");
    EXPECT_EQ(DateFormatType::standard().stringFormat(), "EEE MMM dd HH:mm:ss Z yyyy");
    EXPECT_EQ(DateFormatType::custom("dd.MM").stringFormat(), "dd.MM");
}

TEST(DateFormatType, CustomNeverEqualsANamedFormat) {
    EXPECT_NE(DateFormatType::custom("yyyy"), DateFormatType::isoYear());
    EXPECT_EQ(DateFormatType::custom("yyyy"), DateFormatType::custom("yyyy"));
    EXPECT_NE(DateFormatType::custom("yyyy"), DateFormatType::custom("yy"));
    EXPECT_EQ(DateFormatType::rss(), DateFormatType::rss());
    EXPECT_NE(DateFormatType::rss(), DateFormatType::altRSS());
}

TEST(TimeZoneType, ResolvesEachTimeItIsRead) {
    const Date instant = utc(2024, 7, 1);
    EXPECT_EQ(TimeZoneType::utc().timeZone().secondsFromGMT(instant), 0);
    EXPECT_EQ(TimeZoneType::custom(0).timeZone().secondsFromGMT(instant), 0);
    EXPECT_EQ(TimeZoneType::custom(3600).timeZone().secondsFromGMT(instant), 3600);
    EXPECT_EQ(TimeZoneType::custom(-12600).timeZone().secondsFromGMT(instant), -12600);
    // Beyond the platform's 18 hours, UTC.
    EXPECT_EQ(TimeZoneType::custom(18 * 3600 + 1).timeZone(), platform::TimeZone::utc());
    EXPECT_EQ(TimeZoneType::custom(INT_MIN).timeZone(), platform::TimeZone::utc());
    const TimeZoneType local = TimeZoneType::local();
    {
        DeviceZone sydney("Australia/Sydney");
        EXPECT_EQ(local.timeZone().identifier(), "Australia/Sydney");
        EXPECT_EQ(TimeZoneType::defaultZone().timeZone().identifier(), "Australia/Sydney");
    }
    DeviceZone kiritimati("Pacific/Kiritimati");
    EXPECT_EQ(local.timeZone().identifier(), "Pacific/Kiritimati");   // read now, not when made
}

TEST(Units, OrdinalsAndSecondsPerUnit) {
    EXPECT_EQ(static_cast<int>(RelativeTimeStringType::nowPast), 0);
    EXPECT_EQ(static_cast<int>(RelativeTimeStringType::daysFuture), 15);
    EXPECT_EQ(static_cast<int>(RelativeTimeStringType::yearsPast), 26);
    EXPECT_EQ(static_cast<int>(RelativeTimeStringType::yearsFuture), 27);
    EXPECT_EQ(static_cast<int>(DateComponentType::second), 0);
    EXPECT_EQ(static_cast<int>(DateComponentType::day), 3);
    EXPECT_EQ(static_cast<int>(DateComponentType::year), 8);
    EXPECT_EQ(static_cast<int>(DateStyleType::veryShortMonth), 10);
    EXPECT_EQ(yearInSeconds, 31556926.0);   // the tropical year, not 365 days
    EXPECT_EQ(yearInSeconds, 365 * dayInSeconds + 5 * hourInSeconds + 48 * minuteInSeconds + 46);
    EXPECT_EQ(weekInSeconds, 7 * dayInSeconds);
}
