// Date, time and number texts, the time-of-day operations and the string
// helpers, in every zone and the test runs' English locale.

#include "engine/calendar_dates.h"
#include "engine/date_texts.h"
#include "engine/number_texts.h"
#include "engine/string_texts.h"
#include "test_dates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace engine;
using engine_test::Fields;
using engine_test::local;
using engine_test::localFields;
using platform::Date;

TEST(DateTexts, PatternsInAnEnglishLocale) {
    const Date date = local(2026, 12, 21, 15, 3, 27);
    EXPECT_EQ(dateJustDayMonthStr(date), "21 Dec");
    EXPECT_EQ(dateStr(date), "Mon 21 Dec 2026");
    EXPECT_EQ(timeStr(date), "15:03:27");
    EXPECT_EQ(timeNoSecStr(date), "15:03");
    EXPECT_EQ(dtNoSecsStr(date), "Mon 21 Dec 2026 at 15:03");
    EXPECT_EQ(dateNoTimeStr(date), "Mon 21 Dec 2026");
    EXPECT_EQ(dateJustDayMonthStr(local(2026, 3, 5, 1, 2, 3)), "05 Mar");
    EXPECT_EQ(timeStr(local(2026, 3, 5, 1, 2, 3)), "01:02:03");
    // Long time style: hours, minutes and seconds, then the zone.
    EXPECT_TRUE(timeNoDateStr(date).starts_with("15:03:27")) << timeNoDateStr(date);
}

TEST(DateTexts, AbsentDateIsUnknown) {
    EXPECT_EQ(dateJustDayMonthStr(std::nullopt), "Unknown");
    EXPECT_EQ(dateStr(std::nullopt), "Unknown");
    EXPECT_EQ(timeStr(std::nullopt), "Unknown");
    EXPECT_EQ(timeNoSecStr(std::nullopt), "Unknown");
    EXPECT_EQ(dtNoSecsStr(std::nullopt), "Unknown at Unknown");
}

TEST(TimeOfDay, ComesFromTheSourceOnTheFirstDatesDay) {
    const Date day = local(2025, 3, 30, 8, 15, 40).addingTimeInterval(0.75);
    const Date source = local(2024, 7, 1, 21, 9, 58).addingTimeInterval(0.5);
    EXPECT_EQ(localFields(setTimeToNow(day, source)), (Fields{2025, 3, 30, 21, 9, 58}));
    EXPECT_EQ(std::fmod(setTimeToNow(day, source).secondsSince1970(), 1.0), 0.0);
    EXPECT_EQ(localFields(useTimeFromDate(day, source)), (Fields{2025, 3, 30, 21, 9, 58}));
    EXPECT_EQ(localFields(setTime(day, 6, 45)), (Fields{2025, 3, 30, 6, 45, 0}));
    EXPECT_EQ(localFields(useHourAndMinuteFromDate(day, source)), (Fields{2025, 3, 30, 21, 9, 0}));
    EXPECT_EQ(localFields(dateFrom(21, 12, 2026, 15, 3, 27)), (Fields{2026, 12, 21, 15, 3, 27}));
    EXPECT_EQ(localFields(dateFrom(31, 4, 2026, 24, 0, 0)), (Fields{2026, 5, 2, 0, 0, 0}));   // lenient
}

TEST(TimeOfDay, SetTimeToNowWithoutAClockTakesThePresentTime) {
    const Date day = local(2020, 2, 29, 12);
    const Date before = Date::now();
    const Date result = setTimeToNow(day);
    const Date after = Date::now();
    EXPECT_TRUE(sameDate(result, day));
    const int seconds = getHour(result) * 3600 + getMin(result) * 60 + getSec(result);
    const int from = getHour(before) * 3600 + getMin(before) * 60 + getSec(before);
    const int to = getHour(after) * 3600 + getMin(after) * 60 + getSec(after);
    // Unless midnight passed during the call, the time lies between the two reads.
    if (from <= to) {
        EXPECT_TRUE(seconds >= from && seconds <= to) << seconds;
    }
}

TEST(TimeOfDay, TimeFromIsToday) {
    const Date result = timeFrom(7, 8, 9);
    EXPECT_TRUE(sameDate(result, Date::now()) || sameDate(result, yesterday(Date::now())));
    EXPECT_EQ(getHour(result), 7);
    EXPECT_EQ(getMin(result), 8);
    EXPECT_EQ(getSec(result), 9);
}

TEST(DaysBetween, CountsLocalDaysWhateverTheClockChanges) {
    EXPECT_EQ(daysBetween(local(2024, 3, 10, 0, 5), local(2024, 3, 10, 23, 55)), 0);
    EXPECT_EQ(daysBetween(local(2024, 3, 10, 18), local(2024, 3, 31, 9)), 21);
    EXPECT_EQ(daysBetween(local(2024, 3, 31, 9), local(2024, 3, 10, 18)), 21);
    EXPECT_EQ(daysBetween(local(2024, 10, 1), local(2024, 11, 30)), 60);
    EXPECT_EQ(daysBetween(Date::fromSecondsSince1970(-1e300), Date::fromSecondsSince1970(1e300)),
              std::numeric_limits<int>::max());
}

TEST(NumberHelpers, DayCountsAndPercentages) {
    EXPECT_EQ(strDays(1), "1 day");
    EXPECT_EQ(strDays(0), "0 days");
    EXPECT_EQ(strDays(2), "2 days");
    EXPECT_EQ(strDays(-1), "-1 days");

    EXPECT_DOUBLE_EQ(getPercentDouble(1, 3), 33.33);
    EXPECT_DOUBLE_EQ(getPercentDouble(2, 3), 66.67);
    EXPECT_EQ(getPercentDouble(5, 0), 100.0);
    EXPECT_EQ(getPercentDouble(0, 0), 0.0);
    EXPECT_EQ(getPercentDouble(-1, 4), 0.0);
    EXPECT_EQ(getPercentDouble(150, 100), 100.0);

    EXPECT_EQ(getPercent(1, 200), 1);
    EXPECT_EQ(getPercent(1, 3), 33);
    EXPECT_EQ(getPercent(5, 0), 100);
    EXPECT_EQ(getPercent(0, 0), 0);
    EXPECT_EQ(getPercent(-5, 0), 0);
}

TEST(NumberHelpers, RoundingHalvesAwayFromZero) {
    EXPECT_DOUBLE_EQ(roundTo2f(0.125), 0.13);
    EXPECT_DOUBLE_EQ(roundTo2f(-0.125), -0.13);
    EXPECT_DOUBLE_EQ(roundTo3f(2.0005), 2.001);
    EXPECT_DOUBLE_EQ(roundTo(2.5, 0), 3.0);
    EXPECT_DOUBLE_EQ(roundTo(1234.5, -2), 1200.0);
}

TEST(NumberHelpers, RoundingNeverFailsOnNonFiniteProducts) {
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(roundTo(2.5, 400), 2.5);               // 10^400 is not a double
    EXPECT_EQ(roundTo(1e300, 100), 1e300);           // the product overflows
    EXPECT_EQ(roundTo(infinity, 2), infinity);
    EXPECT_EQ(roundTo2f(-infinity), -infinity);
    EXPECT_TRUE(std::isnan(roundTo3f(std::nan(""))));
    EXPECT_EQ(roundTo(123.0, -400), 0.0);            // a multiple of 10^400 is 0
    EXPECT_EQ(roundTo(std::numeric_limits<double>::max(), 2), std::numeric_limits<double>::max());
}

TEST(NumberTexts, GroupsWithCommasAndKeepsYearsPlain) {
    EXPECT_EQ(formattedWithSeparator(1234567.891), "1,234,567.89");
    EXPECT_EQ(formattedWithSeparator(92.7393), "92.74");
    EXPECT_EQ(formattedWithSeparator(2026), "2,026");
    EXPECT_EQ(formattedWithSeparator(0.125), "0.12");   // half to even
    EXPECT_EQ(formattedNoSeparator(2026), "2026");
    EXPECT_EQ(formattedNoSeparator(2026.0), "2026");
    EXPECT_EQ(formattedNoSeparator(12345678LL), "12345678");
    EXPECT_EQ(formattedNoSeparator(2.5), "2");          // half to even
    EXPECT_EQ(&Formatter::withSeparator(), &Formatter::withSeparator());
}

TEST(StringHelpers, PadAndTruncateByCharacters) {
    EXPECT_EQ(padRight("7", 3, "0"), "007");
    EXPECT_EQ(padLeft("7", 3, "0"), "700");
    EXPECT_EQ(padRight("abcdef", 3, "0", true), "def");
    EXPECT_EQ(padLeft("abcdef", 3, "0", true), "abc");
    EXPECT_EQ(padRight("abcdef", 3, "0"), "abcdef");
    EXPECT_EQ(padLeft("abcdef", 3, "0"), "abcdef");
    EXPECT_EQ(padRight("x", 3, "ab"), "ababx");
    EXPECT_EQ(padRight("x", 3, ""), "x");
    // "é" as e with a combining accent, and a flag, are one character each.
    EXPECT_EQ(padRight("e\u0301", 2, "-"), "-e\u0301");
    EXPECT_EQ(padLeft("\U0001F1EC\U0001F1E7ab", 1, "-", true), "\U0001F1EC\U0001F1E7");
    EXPECT_EQ(padRight("ab\U0001F1EC\U0001F1E7", 1, "-", true), "\U0001F1EC\U0001F1E7");
}

TEST(StringHelpers, NegativeWidthCountsAsZero) {
    EXPECT_EQ(padRight("abc", -5, "0", true), "");
    EXPECT_EQ(padLeft("abc", -5, "0", true), "");
    EXPECT_EQ(padRight("abc", -5, "0"), "abc");
    EXPECT_EQ(padLeft("", -1, "0", true), "");
    EXPECT_EQ(padLeft("abc", std::numeric_limits<int>::min(), "0", true), "");
}

TEST(StringHelpers, EmptyFillToAHugeWidthAddsNothing) {
    EXPECT_EQ(padRight("x", std::numeric_limits<int>::max(), ""), "x");
    EXPECT_EQ(padLeft("x", std::numeric_limits<int>::max(), "", true), "x");
}

TEST(StringHelpers, TrimWhiteSpaceAndLineBreaksOfEveryKind) {
    EXPECT_EQ(trim("  a b \n"), "a b");
    EXPECT_EQ(trim("\t\r\n\u00A0\u2003a\u2028\u3000"), "a");
    EXPECT_EQ(trim(" \n "), "");
    EXPECT_EQ(trim(""), "");
    EXPECT_EQ(trim("a"), "a");
    // Bytes that are not UTF-8 are kept as they are.
    EXPECT_EQ(trim(" \xff\xfe "), "\xff\xfe");
}
