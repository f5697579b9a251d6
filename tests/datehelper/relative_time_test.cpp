// Relative-time phrases on every tier boundary, with a clock the test sets.

#include "datehelper/date_formatting.h"
#include "datehelper/relative_time.h"
#include "toolkit_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace datehelper;
using datehelper_test::local;
using datehelper_test::utc;
using platform::Date;
using Key = RelativeTimeStringType;

namespace {

const Date referenceNow = utc(2024, 5, 15, 12, 0, 0);

// The phrase for an instant `seconds` before the clock (after it when negative).
std::string ago(double seconds, const std::optional<RelativeTimeStrings>& strings = std::nullopt) {
    return toStringWithRelativeTime(referenceNow.addingTimeInterval(-seconds), strings, referenceNow);
}

} // namespace

TEST(RelativeTime, TheDefaultTextsByteForByte) {
    EXPECT_EQ(defaultRelativeTimeString(Key::nowPast), "\xD0\xA2\xD0\xBE\xD0\xBB\xD1\x8C\xD0\xBA\xD0\xBE "
                                                       "\xD1\x87\xD1\x82\xD0\xBE");   // Только что
    EXPECT_EQ(defaultRelativeTimeString(Key::nowFuture), "через несколько секунд");
    EXPECT_EQ(defaultRelativeTimeString(Key::secondsPast), "%.f секунд назад");
    EXPECT_EQ(defaultRelativeTimeString(Key::secondsFuture), "в течении %.f секунд");
    EXPECT_EQ(defaultRelativeTimeString(Key::oneMinutePast), "минуту назад");
    EXPECT_EQ(defaultRelativeTimeString(Key::oneMinuteFuture), "в течении %.f минуты");
    EXPECT_EQ(defaultRelativeTimeString(Key::minutesPast), "%.f минут назад");
    EXPECT_EQ(defaultRelativeTimeString(Key::minutesFuture), "в течении %.f минут");
    EXPECT_EQ(defaultRelativeTimeString(Key::oneHourPast), "час назад");
    EXPECT_EQ(defaultRelativeTimeString(Key::oneHourFuture), "в течении часа");
    EXPECT_EQ(defaultRelativeTimeString(Key::hoursPast), "%.f часов назад");
    EXPECT_EQ(defaultRelativeTimeString(Key::hoursFuture), "в течении %.f часов");
    EXPECT_EQ(defaultRelativeTimeString(Key::oneDayPast), "вчера");
    EXPECT_EQ(defaultRelativeTimeString(Key::oneDayFuture), "завтра");
    EXPECT_EQ(defaultRelativeTimeString(Key::daysPast), "%.f дней назад");
    EXPECT_EQ(defaultRelativeTimeString(Key::daysFuture), "в течении %.f дней");
    EXPECT_EQ(defaultRelativeTimeString(Key::oneWeekPast), "");
    EXPECT_EQ(defaultRelativeTimeString(Key::yearsFuture), "");
}

TEST(RelativeTime, NowAndSeconds) {
    EXPECT_EQ(ago(0), "через несколько секунд");   // the same instant counts as future
    EXPECT_EQ(ago(9), "Только что");
    EXPECT_EQ(ago(9.999), "Только что");
    EXPECT_EQ(ago(-9), "через несколько секунд");
    EXPECT_EQ(ago(10), "10 секунд назад");
    EXPECT_EQ(ago(59), "59 секунд назад");
    EXPECT_EQ(ago(-59), "в течении 59 секунд");
    // The count is s itself, written to the nearest whole number, halves to even.
    EXPECT_EQ(ago(10.5), "10 секунд назад");
    EXPECT_EQ(ago(11.5), "12 секунд назад");
    EXPECT_EQ(ago(59.9), "60 секунд назад");
}

TEST(RelativeTime, MinutesAndHours) {
    EXPECT_EQ(ago(60), "минуту назад");
    EXPECT_EQ(ago(89), "минуту назад");
    EXPECT_EQ(ago(-60), "в течении 1 минуты");
    EXPECT_EQ(ago(-89), "в течении 1 минуты");
    EXPECT_EQ(ago(90), "2 минут назад");   // 1.5 minutes rounds away from zero
    EXPECT_EQ(ago(-90), "в течении 2 минут");
    EXPECT_EQ(ago(59 * 60 + 29), "59 минут назад");
    EXPECT_EQ(ago(59 * 60 + 30), "час назад");   // 60 minutes, hence one hour
    EXPECT_EQ(ago(-(59 * 60 + 30)), "в течении часа");
    EXPECT_EQ(ago(89 * 60), "час назад");
    EXPECT_EQ(ago(90 * 60), "2 часов назад");   // rounded from the rounded minutes
    EXPECT_EQ(ago(-5 * 3600), "в течении 5 часов");
    EXPECT_EQ(ago(23 * 3600 + 29 * 60), "23 часов назад");
    // Hours come from the rounded minutes, not from s: 89.5 minutes is 90
    // minutes, hence 2 hours, though s / 3600 (1.49) would round to 1.
    EXPECT_EQ(ago(89 * 60 + 30), "2 часов назад");
    EXPECT_EQ(ago(-(89 * 60 + 30)), "в течении 2 часов");
}

TEST(RelativeTime, DaysAndTheDateFromSevenDaysOn) {
    EXPECT_EQ(ago(23 * 3600 + 30 * 60), "вчера");   // 1410 minutes: 23.5 hours rounds to 24
    EXPECT_EQ(ago(24 * 3600), "вчера");
    EXPECT_EQ(ago(35 * 3600), "вчера");
    EXPECT_EQ(ago(-24 * 3600), "завтра");
    EXPECT_EQ(ago(-35 * 3600), "завтра");
    EXPECT_EQ(ago(36 * 3600), "2 дней назад");
    EXPECT_EQ(ago(-36 * 3600), "в течении 2 дней");
    // 35 h 29 min 30 s: 2130 minutes, 36 hours, 2 days (s / 86400 = 1.48 would be 1).
    EXPECT_EQ(ago(35 * 3600 + 29 * 60 + 30), "2 дней назад");
    EXPECT_EQ(ago(155 * 3600), "6 дней назад");
    // 156 hours rounds to 7 days: the date, in the user's zone.
    const Date weekAgo = referenceNow.addingTimeInterval(-156 * 3600.0);
    EXPECT_EQ(ago(156 * 3600), toString(weekAgo, DateFormatType::custom("dd.MM.yyyy")));
    EXPECT_EQ(toStringWithRelativeTime(local(2024, 5, 1, 0, 30), std::nullopt, local(2024, 5, 20)), "01.05.2024");
    EXPECT_EQ(toStringWithRelativeTime(local(2025, 1, 31, 23, 30), std::nullopt, local(2024, 5, 20)), "31.01.2025");
    EXPECT_EQ(toStringWithRelativeTime(Date::fromSecondsSince1970(std::nan("")), std::nullopt, referenceNow), "");
}

TEST(RelativeTime, CallersPhrasesReplaceOnlyTheirOwnKeys) {
    const RelativeTimeStrings onlyNow{{Key::nowPast, "just now"}};
    EXPECT_EQ(ago(5, onlyNow), "just now");
    EXPECT_EQ(ago(-5, onlyNow), "через несколько секунд");
    EXPECT_EQ(ago(300, onlyNow), "5 минут назад");
    EXPECT_EQ(ago(300, RelativeTimeStrings{{Key::minutesPast, "a while ago"}}), "a while ago");
    EXPECT_EQ(ago(300, RelativeTimeStrings{{Key::minutesPast, "%.f min ago"}}), "5 min ago");
    // Entries beyond days are never used.
    EXPECT_EQ(ago(8 * 86400, RelativeTimeStrings{{Key::oneWeekPast, "last week"}}),
              toString(referenceNow.addingTimeInterval(-8 * 86400.0), DateFormatType::custom("dd.MM.yyyy")));
    EXPECT_EQ(ago(0, RelativeTimeStrings{}), "через несколько секунд");
}

TEST(RelativeTime, OtherDirectivesInAPhraseAreWrittenAsTheyStand) {
    const auto phrase = [](const char* text) { return RelativeTimeStrings{{Key::minutesPast, text}}; };
    EXPECT_EQ(ago(300, phrase("%s and %n and %d")), "%s and %n and %d");
    EXPECT_EQ(ago(300, phrase("%.f%% done, %.f again")), "5% done, 5 again");
    EXPECT_EQ(ago(300, phrase("100%")), "100%");
    EXPECT_EQ(ago(300, phrase("%.")), "%.");
    EXPECT_EQ(ago(300, phrase("%.2f")), "%.2f");
    EXPECT_EQ(ago(5, RelativeTimeStrings{{Key::nowPast, "%.f %s"}}), "%.f %s");   // no count in this tier
}
