// Wall times turned into instants without the calendar, against ICU's calendar
// resolving the same fields: every wall time near every clock change of zones
// with unusual changes, under each option for skipped and repeated wall times,
// and Calendar::date for fields of every kind it reads this way (lenient
// months, days and times, eras, the 1582 switch to the Gregorian calendar).
// The instants must be ICU's to the last bit.

#include "platform/core/internal/wall_clock.h"

#include "platform/core/calendar.h"
#include "platform/core/internal/calendar_fields.h"
#include "platform/core/internal/icu_support.h"

#include "dates_test_support.h"

#include <gtest/gtest.h>

#include <unicode/basictz.h>
#include <unicode/tztrans.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

using platform::Calendar;
using platform::DateComponents;
using platform::Locale;
using platform::TimeZone;
using platform::icu_support::CalendarLease;
using platform::calendar_fields::julianDayOf1970;
using platform::calendar_fields::millisPerDay;


// Changes in both hemispheres and both directions, negative saving (Dublin,
// Casablanca), half-hour saving (Lord Howe), two hours (Troll), a skipped day
// (Apia), changes at midnight (Havana, Cairo), a year of long history (London),
// and a POSIX rule in force in every year.
const char* const zoneNames[] = {"Europe/London",     "America/New_York",   "Australia/Sydney",  "Europe/Dublin",
                              "Africa/Casablanca", "Australia/Lord_Howe", "Antarctica/Troll", "Pacific/Apia",
                              "America/Havana",    "Africa/Cairo",       "America/St_Johns",  "Asia/Kolkata",
                              "UTC",               "CET-1CEST,M3.5.0,M10.5.0/3"};

struct Options {
    UCalendarWallTimeOption skipped;
    UCalendarWallTimeOption repeated;
};
constexpr Options wallTimeOptions[] = {{UCAL_WALLTIME_LAST, UCAL_WALLTIME_FIRST},
                                {UCAL_WALLTIME_FIRST, UCAL_WALLTIME_LAST},
                                {UCAL_WALLTIME_LAST, UCAL_WALLTIME_LAST},
                                {UCAL_WALLTIME_FIRST, UCAL_WALLTIME_FIRST}};

// ICU's instant of a wall time on a local day, as the calendar gives it.
UDate icuInstant(icu::GregorianCalendar& calendar, std::int32_t julianDay, std::int32_t hour, std::int32_t minute,
                 std::int32_t second, std::int32_t millisecond, const Options& options) {
    calendar.clear();
    calendar.setSkippedWallTimeOption(options.skipped);
    calendar.setRepeatedWallTimeOption(options.repeated);
    calendar.set(UCAL_JULIAN_DAY, julianDay);
    calendar.set(UCAL_HOUR_OF_DAY, hour);
    calendar.set(UCAL_MINUTE, minute);
    calendar.set(UCAL_SECOND, second);
    calendar.set(UCAL_MILLISECOND, millisecond);
    UErrorCode status = U_ZERO_ERROR;
    const UDate millis = calendar.getTime(status);
    EXPECT_TRUE(U_SUCCESS(status));
    return millis;
}

std::vector<UDate> changesOf(const icu::TimeZone& zone, UDate from, UDate to) {
    std::vector<UDate> changes;
    const auto* basic = dynamic_cast<const icu::BasicTimeZone*>(&zone);
    if (!basic) return changes;
    icu::TimeZoneTransition transition;
    for (UDate base = from; basic->getNextTransition(base, false, transition) && transition.getTime() < to;) {
        base = transition.getTime();
        changes.push_back(base);
    }
    return changes;
}

TEST(WallClock, InstantsOfWallTimesAroundEveryChangeAreIcus) {
    for (const char* name : zoneNames) {
        const TimeZone zone = dates_test::zone(name);
        CalendarLease lease(zone, Locale::withIdentifier("en_GB"));
        icu::GregorianCalendar& calendar = *lease;
        const auto changes = changesOf(calendar.getTimeZone(), -3.8e12, 4.2e12);   // 1850 to 2103
        int checked = 0;
        int mismatches = 0;
        for (const UDate change : changes) {
            // The local days on either side, every 10 minutes and a millisecond
            // either side of each quarter hour.
            const auto day = static_cast<std::int32_t>(std::floor(change / millisPerDay)) + julianDayOf1970;
            for (std::int32_t julianDay = day - 1; julianDay <= day + 1; ++julianDay) {
                for (std::int32_t minuteOfDay = 0; minuteOfDay < 24 * 60; minuteOfDay += 10) {
                    for (std::int32_t millisecond : {0, 1, -1}) {
                        for (const Options& options : wallTimeOptions) {
                            const std::int32_t hour = minuteOfDay / 60;
                            const std::int32_t minute = minuteOfDay % 60;
                            const UDate expected = icuInstant(calendar, julianDay, hour, minute, 0, millisecond, options);
                            calendar.setRepeatedWallTimeOption(options.repeated);
                            const auto actual = platform::wall_clock::instantOf(
                                calendar, julianDay, platform::wall_clock::millisInDay(hour, minute, 0, millisecond),
                                options.skipped);
                            ++checked;
                            if ((!actual || *actual != expected) && ++mismatches <= 5) {
                                ADD_FAILURE() << name << " day " << julianDay << " " << hour << ":" << minute << " "
                                              << millisecond << " ms, skipped " << options.skipped << ", repeated "
                                              << options.repeated << ": " << (actual ? *actual : -1.0) << ", ICU "
                                              << expected;
                            }
                        }
                    }
                }
            }
        }
        EXPECT_EQ(mismatches, 0) << name << ", " << checked << " wall times";
        EXPECT_TRUE(changes.size() > 10 || std::string(name) == "UTC" || std::string(name) == "Asia/Kolkata") << name;
    }
}

TEST(WallClock, LeavesToTheCalendarWhatItCannotDoAlike) {
    CalendarLease ruled(dates_test::zone("Europe/London"), Locale::withIdentifier("en_GB"));
    const double noon = platform::wall_clock::millisInDay(12, 0, 0, 0);
    EXPECT_TRUE(platform::wall_clock::instantOf(*ruled, 2460000, noon, UCAL_WALLTIME_LAST));
    // Skipped times moved to the end of the gap.
    EXPECT_FALSE(platform::wall_clock::instantOf(*ruled, 2460000, noon, UCAL_WALLTIME_NEXT_VALID));
    // Days beyond 32-bit day numbers.
    EXPECT_FALSE(platform::wall_clock::instantOf(*ruled, std::int64_t{1} << 31, noon, UCAL_WALLTIME_LAST));
    EXPECT_FALSE(platform::wall_clock::instantOf(*ruled, -(std::int64_t{1} << 31) - 1, noon, UCAL_WALLTIME_LAST));
    // A fixed offset is ICU's own kind of zone.
    CalendarLease fixed(TimeZone::withSecondsFromGMT(5400).value(), Locale::withIdentifier("en_GB"));
    EXPECT_FALSE(platform::wall_clock::instantOf(*fixed, 2460000, noon, UCAL_WALLTIME_LAST));
    // A strict calendar checks the fields.
    ruled->setLenient(false);
    EXPECT_FALSE(platform::wall_clock::instantOf(*ruled, 2460000, noon, UCAL_WALLTIME_LAST));
    ruled->setLenient(true);
}

// ICU's instant for fields, set in the order Calendar::date sets them.
std::optional<double> icuDate(const TimeZone& zone, const DateComponents& c) {
    CalendarLease lease(zone, Locale::withIdentifier("en_GB"));
    icu::GregorianCalendar& calendar = *lease;
    calendar.clear();
    auto set = [&calendar](UCalendarDateFields field, const std::optional<int>& value, int offset = 0) {
        if (value) calendar.set(field, *value + offset);
    };
    set(UCAL_ERA, c.era);
    calendar.set(UCAL_YEAR, c.year.value_or(1));
    set(UCAL_MONTH, c.month, -1);
    set(UCAL_DATE, c.day);
    set(UCAL_HOUR_OF_DAY, c.hour);
    set(UCAL_MINUTE, c.minute);
    set(UCAL_SECOND, c.second);
    const int nanosecond = c.nanosecond.value_or(0);
    calendar.set(UCAL_MILLISECOND, nanosecond / 1'000'000);
    UErrorCode status = U_ZERO_ERROR;
    const UDate millis = calendar.getTime(status);
    if (U_FAILURE(status)) return std::nullopt;
    return millis / 1000.0 + (nanosecond % 1'000'000) * 1e-9;
}

TEST(WallClock, CalendarDatesFromYearMonthAndDayAreIcus) {
    std::mt19937 random(20251221);
    auto maybe = [&random](int low, int high) -> std::optional<int> {
        if (random() % 4 == 0) return std::nullopt;
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    auto within = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (const char* name : zoneNames) {
        const TimeZone zone = dates_test::zone(name);
        const Calendar calendar = Calendar::gregorian(zone, Locale::withIdentifier("en_GB"));
        int mismatches = 0;
        for (int i = 0; i < 4000; ++i) {
            DateComponents c;
            // Years of every kind: before Christ, around the switch of 1582, around
            // the clock changes of the last two centuries, far ahead.
            switch (i % 4) {
            case 0: c.year = within(-3000, 5000); break;
            case 1: c.year = within(1581, 1583); break;
            case 2: c.year = within(1900, 2060); break;
            default: c.year = within(-200000, 200000); break;
            }
            if (i % 7 == 0) c.year.reset();
            c.era = random() % 3 == 0 ? std::optional<int>(within(0, 1)) : std::nullopt;
            // Lenient values half of the time: they run on into the next unit.
            const bool lenient = i % 2 == 0;
            c.month = lenient ? maybe(-14, 27) : maybe(1, 12);
            c.day = lenient ? maybe(-40, 70) : maybe(1, 31);
            c.hour = lenient ? maybe(-30, 50) : maybe(0, 23);
            c.minute = lenient ? maybe(-100, 100) : maybe(0, 59);
            c.second = lenient ? maybe(-100, 100) : maybe(0, 59);
            c.nanosecond = lenient ? maybe(-999'999'999, 999'999'999) : maybe(0, 999'999'999);
            const auto expected = icuDate(zone, c);
            const auto actual = calendar.date(c);
            if (actual.has_value() != expected.has_value() ||
                (actual && actual->secondsSince1970() != *expected)) {
                if (++mismatches <= 5) {
                    ADD_FAILURE() << name << " " << c.era.value_or(-1) << " " << c.year.value_or(-1) << "-"
                                  << c.month.value_or(-1) << "-" << c.day.value_or(-1) << " " << c.hour.value_or(-1)
                                  << ":" << c.minute.value_or(-1) << ":" << c.second.value_or(-1) << "."
                                  << c.nanosecond.value_or(-1) << ": " << (actual ? actual->secondsSince1970() : -1.0)
                                  << ", ICU " << expected.value_or(-1.0);
                }
            }
        }
        EXPECT_EQ(mismatches, 0) << name;
    }
}

// Every quarter hour of the days of each clock change from 1900 to 2040, as
// Calendar::date reads them, against ICU.
TEST(WallClock, CalendarDatesAroundEveryChangeAreIcus) {
    for (const char* name : zoneNames) {
        const TimeZone zone = dates_test::zone(name);
        const Calendar calendar = Calendar::gregorian(zone, Locale::withIdentifier("en_GB"));
        CalendarLease lease(zone, Locale::withIdentifier("en_GB"));
        const auto changes = changesOf(lease->getTimeZone(), -2.2e12, 2.2e12);
        int mismatches = 0;
        for (const UDate change : changes) {
            const auto utcDay = dates_test::utc(1970, 1, 1).addingTimeInterval(std::floor(change / millisPerDay) * 86400);
            const auto fields = Calendar::gregorian(TimeZone::utc(), Locale::withIdentifier("en_GB"))
                                    .components({platform::CalendarComponent::year, platform::CalendarComponent::month,
                                                 platform::CalendarComponent::day},
                                                utcDay);
            for (int minuteOfDay = -24 * 60; minuteOfDay < 48 * 60; minuteOfDay += 15) {
                DateComponents c = dates_test::ymdhms(*fields.year, *fields.month, *fields.day, 0, minuteOfDay, 0);
                const auto expected = icuDate(zone, c);
                const auto actual = calendar.date(c);
                if ((!actual || !expected || actual->secondsSince1970() != *expected) && ++mismatches <= 5) {
                    ADD_FAILURE() << name << " " << *fields.year << "-" << *fields.month << "-" << *fields.day
                                  << " minute " << minuteOfDay;
                }
            }
        }
        EXPECT_EQ(mismatches, 0) << name;
    }
}

} // namespace
