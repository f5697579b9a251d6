// The day and clock time of an instant in the zone the test runs in, moved one
// at a time, and the forward move out of a gap of the clocks, also for the
// picker's opening time (setTimeToNow).

#include "sheets/local_fields.h"

#include "engine/date_texts.h"
#include "support/local_dates.h"

#include <QDate>

#include <gtest/gtest.h>

namespace {

using sheets::ClockTime;
using sheets::LocalDay;
using testsupport::local;

TEST(LocalFields, ReadTheDayAndTheClockTimeInTheCurrentZone) {
    const auto leapDay = local(2024, 2, 29, 13, 7, 9);
    EXPECT_EQ(sheets::localDay(leapDay), (LocalDay{2024, 2, 29}));
    EXPECT_EQ(sheets::clockTime(leapDay), (ClockTime{13, 7, 9}));
    EXPECT_EQ(sheets::clockTime(local(2024, 12, 31, 23, 59, 59)), (ClockTime{23, 59, 59}));
}

TEST(LocalFields, AnotherDayKeepsTheClockTime) {
    EXPECT_EQ(sheets::onDay(local(2024, 2, 29, 13, 7, 9), {2025, 3, 1}), local(2025, 3, 1, 13, 7, 9));
    EXPECT_EQ(sheets::onDay(local(2024, 6, 30, 0, 0, 1), {1999, 12, 31}), local(1999, 12, 31, 0, 0, 1));
}

TEST(LocalFields, AnotherTimeKeepsTheDayAndTheSecond) {
    EXPECT_EQ(sheets::atHourAndMinute(local(2024, 2, 29, 13, 7, 9), 6, 45), local(2024, 2, 29, 6, 45, 9));
    EXPECT_EQ(sheets::atHourAndMinute(local(2024, 2, 29, 13, 7, 9), 0, 0), local(2024, 2, 29, 0, 0, 9));
}

TEST(LocalFields, YearsBeforeTheEraCountAsAstronomersCountThem) {
    const auto idesOfMarch = sheets::onDay(local(2024, 1, 1, 12, 0), {-43, 3, 15});
    ASSERT_TRUE(idesOfMarch);
    EXPECT_EQ(sheets::localDay(*idesOfMarch), (LocalDay{-43, 3, 15}));
    EXPECT_EQ(sheets::clockTime(*idesOfMarch), (ClockTime{12, 0, 0}));
    const auto oneBC = sheets::onDay(*idesOfMarch, {0, 12, 31});
    ASSERT_TRUE(oneBC);
    EXPECT_EQ(sheets::localDay(*oneBC), (LocalDay{0, 12, 31}));
    EXPECT_EQ(sheets::onDay(*oneBC, {2024, 1, 1}), local(2024, 1, 1, 12, 0));
}

TEST(LocalFields, AClockTimeThatTheClocksSkipMovesForwardByTheGap) {
    const auto gap = testsupport::firstClockGap();
    if (!gap) GTEST_SKIP() << "the clocks of this zone do not jump forward";
    EXPECT_EQ(sheets::atHourAndMinute(gap->noonOfDay, gap->hour, gap->minute), gap->movedForward);

    const QDate dayBefore = QDate(gap->year, gap->month, gap->day).addDays(-1);
    const auto sameTimeDayBefore = local(dayBefore.year(), dayBefore.month(), dayBefore.day(), gap->hour, gap->minute);
    EXPECT_EQ(sheets::onDay(sameTimeDayBefore, {gap->year, gap->month, gap->day}), gap->movedForward);
    EXPECT_EQ(engine::setTimeToNow(gap->noonOfDay, sameTimeDayBefore), gap->movedForward);

    const auto clock = sheets::clockTime(gap->movedForward);
    EXPECT_EQ(clock.hour * 3600 + clock.minute * 60, gap->hour * 3600 + gap->minute * 60 + static_cast<int>(gap->length));
}

TEST(SetTimeToNow, KeepsTheEraOfADayBeforeTheYearOne) {
    const auto bc = sheets::onDay(local(2024, 1, 1, 12, 0), {-499, 3, 1});   // 500 BC
    ASSERT_TRUE(bc);
    const platform::Date moved = engine::setTimeToNow(*bc, local(2026, 6, 10, 8, 15, 30));
    EXPECT_EQ(sheets::localDay(moved), (LocalDay{-499, 3, 1}));
    EXPECT_EQ(sheets::clockTime(moved), (ClockTime{8, 15, 30}));
}

TEST(SetTimeToNow, PutsThePresentTimeOfDayInWholeSecondsOnTheDay) {
    EXPECT_EQ(engine::setTimeToNow(local(2024, 12, 20, 22, 45), local(2026, 6, 10, 8, 15, 30.75)),
              local(2024, 12, 20, 8, 15, 30));
    EXPECT_EQ(engine::setTimeToNow(local(2031, 3, 14, 23, 50), local(2026, 1, 2, 0, 0, 0.5)),
              local(2031, 3, 14, 0, 0, 0));
    // The present of the one-argument form is the system clock's; the day stays.
    EXPECT_EQ(sheets::localDay(engine::setTimeToNow(local(2024, 12, 20, 22, 45))), (LocalDay{2024, 12, 20}));
}

} // namespace
