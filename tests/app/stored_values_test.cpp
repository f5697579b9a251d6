// The plain-text forms of stored values, and the one serialised form of older
// versions that is still read: its bytes here are those Qt 6.4's settings wrote.

#include "app/stored_values.h"

#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

namespace stored = app::stored;
using platform::Date;

TEST(StoredValues, BooleansAndIntegers) {
    EXPECT_EQ(stored::text(true), "true");
    EXPECT_EQ(stored::text(false), "false");
    EXPECT_EQ(stored::boolean("true"), true);
    EXPECT_EQ(stored::boolean(" FALSE "), false);
    EXPECT_EQ(stored::boolean("1"), true);
    EXPECT_EQ(stored::boolean("0"), false);
    for (const char* text : {"", "yes", "2", "truest", "@Variant(\\0)"}) EXPECT_FALSE(stored::boolean(text)) << text;

    EXPECT_EQ(stored::text(qint64{-3}), "-3");
    EXPECT_EQ(stored::integer("100"), 100);
    EXPECT_EQ(stored::integer(" -3 "), -3);
    EXPECT_EQ(stored::integer("9223372036854775807"), std::numeric_limits<qint64>::max());
    for (const char* text : {"", "2.5", "0x10", "1e3", "9223372036854775808", "+-1", "12abc"}) {
        EXPECT_FALSE(stored::integer(text)) << text;
    }
}

TEST(StoredValues, DoublesReadBackExactly) {
    for (const double value : {0.0, 51.509865, -0.118092, 0.1, 1.0 / 3.0, 1e-300, -1.7976931348623157e308}) {
        const QString text = stored::text(value);
        ASSERT_TRUE(stored::number(text)) << text.toStdString();
        EXPECT_EQ(*stored::number(text), value) << text.toStdString();
    }
    EXPECT_EQ(stored::text(51.509865), "51.509865");
    EXPECT_EQ(stored::text(0.0), "0");
    EXPECT_TRUE(std::isnan(*stored::number("nan")));
    EXPECT_TRUE(std::isinf(*stored::number("inf")));
    for (const char* text : {"", "west", "1,5", "51.5.0", "1e"}) EXPECT_FALSE(stored::number(text)) << text;
}

TEST(StoredValues, InstantsInIso8601) {
    const Date saved = Date::fromSecondsSince1970(1790000000.25);
    EXPECT_EQ(stored::text(saved), "2026-09-21T14:13:20.250Z");
    EXPECT_EQ(stored::instant("2026-09-21T14:13:20.250Z"), saved);
    EXPECT_EQ(stored::instant("2026-09-21T16:13:20.250+02:00"), saved);
    EXPECT_EQ(stored::instant("2026-09-21T14:13:20Z"), Date::fromSecondsSince1970(1790000000.0));
    for (const char* text : {"", "07:15", "tomorrow", "2026-13-01T00:00:00Z", "@DateTime(\\0)"}) {
        EXPECT_FALSE(stored::instant(text)) << text;
    }
}

// An instant names its zone. A date alone, or a clock time after a space,
// would be read in the C library's local time, which may block on a FIFO.
TEST(StoredValues, AnInstantIsOnlyATextWithItsZone) {
    const Date saved = Date::fromSecondsSince1970(1790000000.25);
    EXPECT_EQ(stored::instant("2026-09-21T09:43:20.250-0430"), saved);
    EXPECT_EQ(stored::instant("2026-09-21T16:13:20.250+02"), saved);
    for (const char* text : {"2026-09-21 18:00:00.000", "2026-09-21", "2026-09-21 14:13:20.250Z", "2026-09-21Z",
                             "2026-09-21T14:13:20.250Z+01:00", "2026-09-21T14:13:20.250+1:00"}) {
        EXPECT_FALSE(stored::instant(text)) << text;
    }
}

// A clock time without a zone: its fields as they stand, and as an instant
// those of TZ=UTC.
TEST(StoredValues, WallTimesCarryNoZone) {
    const app::WallTime quarterPast{2026, 9, 21, 14, 13, 20, 250};
    EXPECT_EQ(stored::text(quarterPast), "2026-09-21T14:13:20.250");
    EXPECT_EQ(stored::wallTime("2026-09-21T14:13:20.250"), quarterPast);
    EXPECT_EQ(stored::wallTime("2026-09-21T18:00"), (app::WallTime{2026, 9, 21, 18, 0, 0, 0}));
    EXPECT_EQ(stored::instant("2026-09-21T14:13:20.250"), Date::fromSecondsSince1970(1790000000.25));
    for (const char* text : {"2026-09-21T14:13:20.250Z", "2026-09-21T14:13:20-04:00", "18:00", "2026-09-21"}) {
        EXPECT_FALSE(stored::wallTime(text)) << text;
    }
}

// 21 September 2026 14:13:20.250 UTC, as Qt's settings wrote it in UTC, in
// local time (the test's zone) and at an offset of one hour.
TEST(StoredValues, TheOldSerialisedInstantIsDecodedFieldByField) {
    const Date saved = Date::fromSecondsSince1970(1790000000.25);
    EXPECT_EQ(stored::legacyInstant(R"(@DateTime(\0\0\0\x10\0\0\0\0\0\0%\x8ey\x3\r@\xfa\x1))"), saved);
    EXPECT_EQ(stored::legacyInstant(R"(@DateTime(\0\0\0\x10\0\0\0\0\0\0%\x8ey\x3\x44/z\x2\0\0\xe\x10))"), saved);
    // In local time: 14:13:20.250 on the clocks of TZ=UTC.
    EXPECT_EQ(stored::legacyInstant(R"(@DateTime(\0\0\0\x10\0\0\0\0\0\0%\x8ey\x3\r@\xfa\0))"), saved);
}

TEST(StoredValues, AnyOtherSerialisedFormIsRefused) {
    for (const char* text : {
             // A time zone by name, whose length would size an allocation.
             R"(@DateTime(\0\0\0\x10\0\0\0\0\0\0%\x8ey\x3\r@\xfa\x3\x7f\xff\xff\xff))",
             // Another type, a null value, a byte short, a byte too many.
             R"(@DateTime(\0\0\0\x11\0\0\0\0\0\0%\x8ey\x3\r@\xfa\x1))",
             R"(@DateTime(\0\0\0\x10\x1\0\0\0\0\0%\x8ey\x3\r@\xfa\x1))",
             R"(@DateTime(\0\0\0\x10\0\0\0\0\0\0%\x8ey\x3\r@\xfa))",
             R"(@DateTime(\0\0\0\x10\0\0\0\0\0\0%\x8ey\x3\r@\xfa\x1\0))",
             // Milliseconds beyond a day, an offset beyond 14 hours.
             R"(@DateTime(\0\0\0\x10\0\0\0\0\0\0%\x8ey\x7f\xff\xff\xff\x1))",
             R"(@DateTime(\0\0\0\x10\0\0\0\0\0\0%\x8ey\x3\x44/z\x2\0\x1\0\0))",
             // Bad escapes, a code above one byte, no closing parenthesis.
             R"(@DateTime(\0\0\0\x10\0\0\0\0\0\0%\x8ey\x3\r@\xfa\q))",
             R"(@DateTime(\0\0\0\x10\0\0\0\0\0\0%\x8ey\x3\r@\xfa\x1ff))",
             R"(@DateTime(\0\0\0\x10\0\0\0\0\0\0%\x8ey\x3\r@\xfa\x1)",
             R"(@Variant(\0\0\0\x10\0\0\0\0\0\0%\x8ey\x3\r@\xfa\x1))",
             "", "@DateTime()", "@DateTime(\\"}) {
        EXPECT_FALSE(stored::legacyInstant(text)) << text;
    }
}

} // namespace
