// The date toolkit's operations on hostile instants, zones, locales, units and
// steps: adjust (by units and by fields), dateFor, since, the 22 comparisons
// and the relative-time phrases. Beyond running without a crash, a hang or
// undefined behaviour, each answer must keep what the headers promise, checked
// against the zone's offsets and plain day numbers rather than the calendar
// under test:
//   - a calendar step lands on the day it names and keeps the clock time where
//     that day has it (else moves on by the gap); an instant the calendar
//     cannot place comes back unchanged;
//   - derived dates lie on the day, week or month they name, a week starting
//     on the locale's first weekday;
//   - counts of seconds, minutes and hours truncate the exact interval; counts
//     of calendar units are the differences of day, month and year numbers,
//     across the change of era too, so years and months agree;
//   - the comparisons agree with those numbers, and with each other;
//   - a phrase is the key of the tier the distance falls in, with its count;
//     "%.f" is filled in and "%%" halved, every other byte as written.
// ICU reads instants in milliseconds from doubles: differences below a
// millisecond are not faults, and instants whose reading a rounding of that
// size could move to the next second are left out of the field checks.
//
// The input sets the device's zone and locale, then up to eight operations.

#include "datehelper/date_arithmetic.h"
#include "datehelper/date_comparisons.h"
#include "datehelper/derived_dates.h"
#include "datehelper/relative_time.h"
#include "fuzz_check.h"
#include "fuzz_instants.h"
#include "platform/core/calendar.h"
#include "platform/core/julian_day_numbers.h"
#include "platform/core/localized_strings.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

namespace {

using namespace datehelper;
using platform::Date;
using platform::TimeZone;
using fuzz_instants::dayInSeconds;
using fuzz_instants::surelyInside;
using fuzz_instants::surelyOutside;

constexpr std::int64_t msPerDay = 86'400'000;

bool same(Date a, Date b) {
    const double x = a.secondsSince1970();
    const double y = b.secondsSince1970();
    return x == y || (std::isnan(x) && std::isnan(y));
}

enum class Placed { yes, no, unknown };

// Whether the calendar can place the instant; near the end of its range, unknown.
Placed placed(Date date) {
    const double s = std::fabs(date.secondsSince1970());
    if (!(s < surelyOutside)) return Placed::no;
    return s < surelyInside ? Placed::yes : Placed::unknown;
}

// A difference of instants that stands for "equal": a millisecond, or a few
// units of the last place where doubles are that coarse.
double tolerance(double a, double b) {
    const double m = std::max({std::fabs(a), std::fabs(b), 1.0});
    return 1e-3 + 8.0 * (std::nextafter(m, INFINITY) - m);
}

int offsetAt(const TimeZone& zone, double seconds) {
    return zone.secondsFromGMT(Date::fromSecondsSince1970(seconds));
}

double wallSeconds(Date date, const TimeZone& zone) {
    return date.secondsSince1970() + zone.secondsFromGMT(date);
}

// The zone's clock reading, in whole milliseconds as ICU reads it (placed instants only).
std::int64_t wallMillis(Date date, const TimeZone& zone) {
    return static_cast<std::int64_t>(std::floor(date.secondsSince1970() * 1000.0)) +
           std::int64_t{zone.secondsFromGMT(date)} * 1000;
}

// The Julian day number of the instant's day in the zone.
std::int64_t dayNumber(Date date, const TimeZone& zone) {
    return astronomy::unixEpochDayNumber + astronomy::floorDivide(wallMillis(date, zone), msPerDay);
}

// Where ICU's sum of a fraction of a millisecond and the offset may round to
// the next whole millisecond (and so to the next second or day), the fields it
// reads may differ from ours by that millisecond: a fraction just short of a
// whole millisecond, or any fraction beyond some 30,000 years, where doubles
// of milliseconds keep few bits of it.
bool fragile(Date date) {
    const double ms = date.secondsSince1970() * 1000.0;
    const double fraction = ms - std::floor(ms);
    return fraction > 0.0 && (fraction > 1.0 - 1e-6 || std::fabs(ms) > 1e15);
}

struct Fields {
    astronomy::CivilDate date;
    std::int64_t day = 0;   // Julian day number
    int hour = 0, minute = 0, second = 0;
    double intoDay = 0.0;   // seconds of the clock reading since midnight
};

Fields fieldsOf(Date date, const TimeZone& zone) {
    Fields f;
    const std::int64_t ms = wallMillis(date, zone);
    f.day = astronomy::unixEpochDayNumber + astronomy::floorDivide(ms, msPerDay);
    f.date = astronomy::civilDateOfDayNumber(f.day);
    const std::int64_t msOfDay = astronomy::floorModulo(ms, msPerDay);
    f.hour = static_cast<int>(msOfDay / 3'600'000);
    f.minute = static_cast<int>(msOfDay / 60'000 % 60);
    f.second = static_cast<int>(msOfDay / 1000 % 60);
    f.intoDay = wallSeconds(date, zone) - static_cast<double>(f.day - astronomy::unixEpochDayNumber) * dayInSeconds;
    return f;
}

double wallOfDay(std::int64_t dayNumber, double intoDay) {
    return static_cast<double>(dayNumber - astronomy::unixEpochDayNumber) * dayInSeconds + intoDay;
}

// The day number of a civil date whose month may run on into other years.
std::int64_t dayNumberOf(std::int64_t year, std::int64_t month, std::int64_t day) {
    const std::int64_t index = year * 12 + (month - 1);
    return astronomy::dayNumberOfCivilDate(astronomy::floorDivide(index, 12),
                                           static_cast<int>(astronomy::floorModulo(index, 12)) + 1, day);
}

// Whether the zone's clocks read `wall` at some instant. No zone changes its
// offset twice within 40 hours, and no offset exceeds 18 hours.
bool clocksRead(const TimeZone& zone, double wall) {
    for (const double probe : {wall - 72'000.0, wall, wall + 72'000.0}) {
        const int offset = offsetAt(zone, probe);
        if (offsetAt(zone, wall - offset) == offset) return true;
    }
    return false;
}

// `result` composed the clock reading `wall` in `zone`: that reading where the
// clocks show it, else the reading moved on by the gap (read with the offset
// from before the change).
void checkComposed(Date result, double wall, const TimeZone& zone) {
    FUZZ_CHECK(std::isfinite(result.secondsSince1970()));
    if (clocksRead(zone, wall)) {
        FUZZ_CHECK(std::fabs(wallSeconds(result, zone) - wall) <= tolerance(wall, result.secondsSince1970()));
    } else {
        const int before = offsetAt(zone, wall - zone.secondsFromGMT(result));
        FUZZ_CHECK(std::fabs(result.secondsSince1970() - (wall - before)) <=
                   tolerance(wall, result.secondsSince1970()));
    }
}

// A step that leaves the calendar's range, or starts outside it, gives the date back.
void checkCalendarStep(Date date, Date result, double wall, const TimeZone& zone) {
    if (std::fabs(wall) > surelyOutside + 2 * dayInSeconds) {
        FUZZ_CHECK(same(result, date));
    } else if (std::fabs(wall) < surelyInside - 2 * dayInSeconds) {
        checkComposed(result, wall, zone);
    }
}

void checkDayStep(Date date, Date result, std::int64_t days, const TimeZone& zone) {
    const Placed where = placed(date);
    if (where == Placed::no) FUZZ_CHECK(same(result, date));
    if (where != Placed::yes) return;
    checkCalendarStep(date, result, wallSeconds(date, zone) + static_cast<double>(days) * dayInSeconds, zone);
}

void checkMonthStep(Date date, Date result, std::int64_t months, const TimeZone& zone) {
    const Placed where = placed(date);
    if (where == Placed::no) FUZZ_CHECK(same(result, date));
    if (where != Placed::yes || fragile(date)) return;
    const Fields f = fieldsOf(date, zone);
    const std::int64_t index = f.date.year * 12 + (f.date.month - 1) + months;
    const std::int64_t year = astronomy::floorDivide(index, 12);
    const int month = static_cast<int>(astronomy::floorModulo(index, 12)) + 1;
    const std::int64_t day = std::min<std::int64_t>(f.date.day, astronomy::daysInMonth(month, astronomy::isLeapYear(year)));
    checkCalendarStep(date, result, wallOfDay(astronomy::dayNumberOfCivilDate(year, month, day), f.intoDay), zone);
}

void checkAdjustByUnit(FuzzedDataProvider& in, Date date) {
    const auto type = static_cast<DateComponentType>(in.ConsumeIntegralInRange<int>(0, 8));
    const int offset = in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(-800, 800) : in.ConsumeIntegral<int>();
    const TimeZone zone = fuzz_instants::zone(in);
    const Date result = adjust(date, type, offset, zone);
    if (offset == 0 || placed(date) == Placed::no) {
        FUZZ_CHECK(same(result, date));
        return;
    }
    switch (type) {
    case DateComponentType::second:
    case DateComponentType::minute:
    case DateComponentType::hour: {
        if (placed(date) != Placed::yes) return;
        const double unit = type == DateComponentType::second ? 1.0 : type == DateComponentType::minute ? 60.0 : 3600.0;
        const double sum = date.secondsSince1970() + offset * unit;
        if (std::fabs(sum) < surelyInside) {
            FUZZ_CHECK(std::fabs(result.secondsSince1970() - sum) <= tolerance(sum, result.secondsSince1970()));
        } else if (std::fabs(sum) > surelyOutside) {
            FUZZ_CHECK(same(result, date));
        }
        return;
    }
    case DateComponentType::day:
    case DateComponentType::weekday: checkDayStep(date, result, offset, zone); return;
    case DateComponentType::nthWeekday:
    case DateComponentType::week: checkDayStep(date, result, std::int64_t{offset} * 7, zone); return;
    case DateComponentType::month: checkMonthStep(date, result, offset, zone); return;
    case DateComponentType::year: checkMonthStep(date, result, std::int64_t{offset} * 12, zone); return;
    }
}

struct FieldValues {
    std::optional<int> hour, minute, second, day, month;
};

// `result` is `date` with `values` put in place of its fields in `zone`: the
// fields run on into the next unit, the fraction of a second goes.
void checkFieldsAdjust(Date date, Date result, const FieldValues& values, const TimeZone& zone) {
    const Placed where = placed(date);
    if (where == Placed::no) FUZZ_CHECK(same(result, date));
    if (where != Placed::yes || fragile(date)) return;
    const Fields f = fieldsOf(date, zone);
    const std::int64_t month = values.month.value_or(f.date.month);
    const std::int64_t day = values.day.value_or(f.date.day);
    // Far beyond the range, the day number below would not be a day at all.
    if (std::abs(month) > 100'000'000 || std::abs(day) > 2'000'000'000) {
        FUZZ_CHECK(same(result, date) || std::fabs(result.secondsSince1970()) <= surelyOutside);
        return;
    }
    const std::int64_t dayNumber = dayNumberOf(f.date.year, month, day);
    const std::int64_t intoDay = std::int64_t{values.hour.value_or(f.hour)} * 3600 +
                                 std::int64_t{values.minute.value_or(f.minute)} * 60 + values.second.value_or(f.second);
    const double wall = wallOfDay(dayNumber, static_cast<double>(intoDay));
    // The values the composition meets on the way, all within the range: the
    // result must be there.
    const double reach = std::fabs(wallSeconds(date, zone)) + std::fabs(static_cast<double>(month)) * 31 * dayInSeconds +
                         std::fabs(static_cast<double>(day)) * dayInSeconds +
                         std::fabs(static_cast<double>(intoDay)) + dayInSeconds * 400;
    if (same(result, date)) {
        // Given back: a composition beyond the range, or one that is the date itself.
        const double s = date.secondsSince1970();
        const bool itself = s == std::floor(s) && std::fabs(wall - wallSeconds(date, zone)) <= tolerance(wall, s);
        FUZZ_CHECK(itself || !(reach < surelyInside));
        return;
    }
    FUZZ_CHECK(result.secondsSince1970() == std::floor(result.secondsSince1970()));
    FUZZ_CHECK(std::fabs(wall) <= surelyOutside);
    if (std::fabs(wall) < surelyInside) checkComposed(result, wall, zone);
}

std::optional<int> fieldValue(FuzzedDataProvider& in, int low, int high) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return std::nullopt;
    case 1: return in.ConsumeIntegral<int>();
    default: return in.ConsumeIntegralInRange<int>(low, high);
    }
}

void checkAdjustByFields(FuzzedDataProvider& in, Date date) {
    FieldValues values;
    values.hour = fieldValue(in, -2, 25);
    values.minute = fieldValue(in, -2, 61);
    values.second = fieldValue(in, -2, 61);
    values.day = fieldValue(in, -1, 32);
    values.month = fieldValue(in, -1, 14);
    const TimeZone zone = fuzz_instants::zone(in);
    const Date result = adjust(date, values.hour, values.minute, values.second, values.day, values.month, zone);
    checkFieldsAdjust(date, result, values, zone);
}

// The first moment of the day numbered `day`: on it, and a second earlier not.
void checkStartOfDay(Date result, std::int64_t day, const TimeZone& zone) {
    FUZZ_CHECK(std::isfinite(result.secondsSince1970()));
    const std::int64_t found = dayNumber(result, zone);
    // A day the clocks skip whole starts the day after.
    if (found != day) {
        FUZZ_CHECK(found == day + 1 && !clocksRead(zone, wallOfDay(day, 0)) &&
                   !clocksRead(zone, wallOfDay(day, dayInSeconds / 2)));
    }
    FUZZ_CHECK(dayNumber(result.addingTimeInterval(-1.0), zone) < found);
}

// The first day of the week where the locale's region has it, 0 Sunday to 6
// Saturday, as the Unicode locale data gives it.
int firstWeekday(const platform::Locale& locale) {
    const std::string& identifier = locale.identifier();
    const std::string region = identifier.substr(std::min(identifier.find('_'), identifier.size()), 3);
    if (region == "_US" || region == "_TH") return 0;
    if (region == "_GB" || region == "_DE" || region == "_RU") return 1;
    if (region == "_EG" || region == "_IR") return 6;
    std::fprintf(stderr, "no first weekday known for %s\n", identifier.c_str());
    std::abort();
}

void checkDateFor(FuzzedDataProvider& in, Date date) {
    const TimeZone device = TimeZone::current();
    const int kind = in.ConsumeIntegralInRange<int>(0, 9);
    const int step = in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(-2, 100) : in.ConsumeIntegral<int>();
    const TimeZone weekZone = fuzz_instants::zone(in);
    const platform::Calendar weekCalendar = platform::Calendar::gregorian(weekZone, fuzz_instants::locale(in));
    const DateForType types[] = {
        DateForType::nearestMinute(step), DateForType::nearestHour(step), DateForType::startOfDay(),
        DateForType::endOfDay(),          DateForType::startOfWeek(),     DateForType::endOfWeek(),
        DateForType::startOfMonth(),      DateForType::endOfMonth(),      DateForType::tomorrow(),
        DateForType::yesterday(),
    };
    const DateForType& type = types[kind];
    const Date result = dateFor(date, type, weekCalendar);
    const Placed where = placed(date);
    if (where == Placed::no) FUZZ_CHECK(same(result, date));
    if (where != Placed::yes || fragile(date)) return;
    const Fields f = fieldsOf(date, device);
    using Kind = DateForType::Kind;
    switch (type.kind()) {
    case Kind::nearestMinute:
        if (step <= 0) {
            FUZZ_CHECK(same(result, date));
        } else {
            checkFieldsAdjust(date, result, {.minute = (f.minute + step / 2) / step * step}, device);
        }
        return;
    case Kind::nearestHour:
        if (step <= 0) {
            FUZZ_CHECK(same(result, date));
        } else {
            checkFieldsAdjust(date, result, {.hour = (f.hour + step / 2) / step * step, .minute = 0}, device);
        }
        return;
    case Kind::startOfDay: checkStartOfDay(result, f.day, device); return;
    case Kind::endOfDay: checkFieldsAdjust(date, result, {.hour = 23, .minute = 59, .second = 59}, device); return;
    case Kind::startOfWeek: {
        // The last day on or before the date's that is the locale's first weekday.
        const std::int64_t day = dayNumber(date, weekZone);
        const int weekday = static_cast<int>(astronomy::floorModulo(day + 1, 7));   // 0 Sunday
        checkStartOfDay(result, day - astronomy::floorModulo(weekday - firstWeekday(weekCalendar.locale()), 7),
                        weekZone);
        return;
    }
    case Kind::endOfWeek: {
        const int weekday = static_cast<int>(astronomy::floorModulo(f.day + 1, 7)) + 1;   // 1 Sunday
        checkDayStep(date, result, 7 - weekday, device);
        return;
    }
    case Kind::startOfMonth:
        checkStartOfDay(result, astronomy::dayNumberOfCivilDate(f.date.year, f.date.month, 1), device);
        return;
    case Kind::endOfMonth: {
        const int last = astronomy::daysInMonth(f.date.month, astronomy::isLeapYear(f.date.year));
        checkStartOfDay(result, astronomy::dayNumberOfCivilDate(f.date.year, f.date.month, last), device);
        return;
    }
    case Kind::tomorrow: checkDayStep(date, result, 1, device); return;
    case Kind::yesterday: checkDayStep(date, result, -1, device); return;
    }
}

// Wide enough for any whole part of an interval below 2^100 s (__extension__
// keeps -Wpedantic quiet about the compilers' own type).
__extension__ using Int128 = __int128;

// A count held to the 64-bit range, as since promises.
std::int64_t held(Int128 count) {
    constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t least = std::numeric_limits<std::int64_t>::min();
    return count > most ? most : count < least ? least : static_cast<std::int64_t>(count);
}

// Whole units of `unit` seconds in the exact interval from `start` to `end`,
// truncated toward zero and held to the 64-bit range. Below 2^100 each
// instant splits exactly into a whole part toward zero and a fraction of its
// sign (a floor would round: -2^-31 less its floor is not a double). The
// interval is then a whole number and a difference of fractions in (-2, 2),
// which is the rounded difference and what the rounding lost (two-sum).
std::int64_t exactElapsed(double start, double end, int unit) {
    const double rounded = end - start;
    if (std::isnan(rounded)) return 0;
    constexpr double split = 0x1p100;
    if (std::fabs(start) < split && std::fabs(end) < split) {
        const double wholeStart = std::trunc(start);
        const double wholeEnd = std::trunc(end);
        const double fractionEnd = end - wholeEnd;
        const double negatedFractionStart = wholeStart - start;
        const double difference = fractionEnd + negatedFractionStart;
        const double endShare = difference - negatedFractionStart;
        const double startShare = difference - endShare;
        const double lost = (fractionEnd - endShare) + (negatedFractionStart - startShare);
        // A difference with a fraction lies at least its last place from a
        // whole number, and what was lost is within half of that.
        const double differenceFloor = std::floor(difference);
        const bool whole = differenceFloor == difference && lost == 0.0;
        const Int128 floorOfDifference = static_cast<Int128>(differenceFloor) -
                                         (differenceFloor == difference && lost < 0.0 ? 1 : 0);
        const Int128 floored = static_cast<Int128>(wholeEnd) - static_cast<Int128>(wholeStart) + floorOfDifference;
        if (floored >= 0) return held(floored / unit);
        return held(-((-floored - (whole ? 0 : 1)) / unit));
    }
    // An instant beyond 2^100 (or infinite): the interval is at least 2^98
    // unless the two lie within a factor of two, where it is exact and whole.
    if (!(std::fabs(rounded) < 0x1p99)) return rounded > 0 ? std::numeric_limits<std::int64_t>::max()
                                                            : std::numeric_limits<std::int64_t>::min();
    return held(static_cast<Int128>(rounded) / unit);
}

// Seconds, minutes and hours are the exact elapsed time, truncated. Counts of
// calendar units are differences of the day, week, month and year numbers in
// the user's calendar; both ways round they cancel.
void checkSince(FuzzedDataProvider& in, Date date) {
    const Date receiver = fuzz_instants::instantNear(in, date);
    const auto count = [&](DateComponentType unit) { return since(receiver, date, unit); };
    const std::int64_t years = count(DateComponentType::year);
    const std::int64_t months = count(DateComponentType::month);
    const std::int64_t days = count(DateComponentType::day);
    const std::int64_t weeks = count(DateComponentType::week);
    const std::int64_t weekdays = count(DateComponentType::weekday);
    const double start = date.secondsSince1970();
    const double end = receiver.secondsSince1970();
    FUZZ_CHECK(count(DateComponentType::second) == exactElapsed(start, end, 1));
    FUZZ_CHECK(count(DateComponentType::minute) == exactElapsed(start, end, 60));
    FUZZ_CHECK(count(DateComponentType::hour) == exactElapsed(start, end, 3600));

    if (placed(date) == Placed::no || placed(receiver) == Placed::no) {
        FUZZ_CHECK(years == 0 && months == 0 && days == 0 && weeks == 0 && weekdays == 0);
        return;
    }
    if (placed(date) != Placed::yes || placed(receiver) != Placed::yes || fragile(date) || fragile(receiver)) return;
    FUZZ_CHECK(since(date, receiver, DateComponentType::year) == -years);
    FUZZ_CHECK(since(date, receiver, DateComponentType::day) == -days);
    const TimeZone zone = TimeZone::current();
    const Fields from = fieldsOf(date, zone);
    const Fields to = fieldsOf(receiver, zone);
    FUZZ_CHECK(days == to.day - from.day);
    FUZZ_CHECK(months == (to.date.year * 12 + to.date.month) - (from.date.year * 12 + from.date.month));
    FUZZ_CHECK(years == to.date.year - from.date.year);
    // So years and months agree, whatever the era.
    FUZZ_CHECK(std::abs(months - 12 * years) <= 11);
    FUZZ_CHECK(std::abs(7 * weeks - days) <= 6 && std::abs(7 * weekdays - days) <= 6);
}

// The instant's day, week (Sunday first), month and year in the device's zone.
struct Place {
    std::int64_t day, week, month, year;
    int weekday;   // 0 Sunday to 6 Saturday
};

Place placeOf(Date date, const TimeZone& zone) {
    const Fields f = fieldsOf(date, zone);
    return Place{f.day, astronomy::floorDivide(f.day + 1, 7), f.date.year * 12 + f.date.month, f.date.year,
                 static_cast<int>(astronomy::floorModulo(f.day + 1, 7))};
}

void checkComparisons(FuzzedDataProvider& in, Date date) {
    const Date other = fuzz_instants::instantNear(in, date);
    const Date now = in.ConsumeBool() ? fuzz_instants::instantNear(in, date) : fuzz_instants::instant(in);
    const TimeZone zone = fuzz_instants::zone(in);
    const TimeZone device = TimeZone::current();
    using T = DateComparisonType;
    auto test = [&](const T& type) { return compare(date, type, zone, now); };

    // Instants compared as such.
    FUZZ_CHECK(test(T::isEarlier(other)) == (date <= other));
    FUZZ_CHECK(test(T::isLater(other)) == (date >= other));
    FUZZ_CHECK(test(T::isInTheFuture()) == (date >= now));
    FUZZ_CHECK(test(T::isInThePast()) == (date <= now));

    const bool sameDay = test(T::isSameDay(other));
    const bool sameWeek = test(T::isSameWeek(other));
    const bool sameMonth = test(T::isSameMonth(other));
    const bool sameYear = test(T::isSameYear(other));
    const bool weekday = test(T::isWeekday());
    const bool weekend = test(T::isWeekend());
    const bool relative[] = {test(T::isToday()),     test(T::isTomorrow()),  test(T::isYesterday()),
                             test(T::isThisWeek()),  test(T::isNextWeek()),  test(T::isLastWeek()),
                             test(T::isThisMonth()), test(T::isNextMonth()), test(T::isLastMonth()),
                             test(T::isThisYear()),  test(T::isNextYear()),  test(T::isLastYear())};
    const bool dateOn = isSameDate(date, other, zone);
    const bool before = isBeforeDate(date, other, zone);
    const bool after = isAfterDate(date, other, zone);
    const ComparisonResult monthOrder = isSameMonth(date, zone, now);

    const Placed placedDate = placed(date);
    const Placed placedOther = placed(other);
    const Placed placedNow = placed(now);
    if (placedDate == Placed::no) {
        FUZZ_CHECK(!sameDay && !sameWeek && !sameMonth && !sameYear && !weekday && !weekend);
        FUZZ_CHECK(std::none_of(std::begin(relative), std::end(relative), [](bool b) { return b; }));
    }
    if (placedDate == Placed::no || placedOther == Placed::no) FUZZ_CHECK(!dateOn && !before && !after);
    if (placedOther == Placed::no) FUZZ_CHECK(!sameDay && !sameWeek && !sameMonth && !sameYear);
    if (placedNow == Placed::no) FUZZ_CHECK(std::none_of(std::begin(relative), std::end(relative), [](bool b) { return b; }));
    if (placedDate != Placed::yes || fragile(date)) return;

    const Place a = placeOf(date, device);
    FUZZ_CHECK(weekend == (a.weekday == 0 || a.weekday == 6));
    FUZZ_CHECK(weekday == !weekend);
    if (placedOther == Placed::yes && !fragile(other)) {
        const Place b = placeOf(other, device);
        FUZZ_CHECK(sameDay == (a.day == b.day));
        FUZZ_CHECK(sameWeek == (a.week == b.week));
        FUZZ_CHECK(sameMonth == (a.month == b.month));
        FUZZ_CHECK(sameYear == (a.year == b.year));
        const std::int64_t dayA = dayNumber(date, zone);
        const std::int64_t dayB = dayNumber(other, zone);
        FUZZ_CHECK(dateOn == (dayA == dayB) && before == (dayA < dayB) && after == (dayA > dayB));
    }
    if (placedNow != Placed::yes || fragile(now)) return;
    // "Next" and "last" are the day, week, month or year of now stepped in the
    // device's zone; the step itself is checked by checkAdjustByUnit.
    auto placeAfter = [&](DateComponentType unit, int offset) -> std::optional<Place> {
        const Date stepped = adjust(now, unit, offset);
        if (placed(stepped) != Placed::yes || fragile(stepped)) return std::nullopt;
        return placeOf(stepped, device);
    };
    const Place n = placeOf(now, device);
    FUZZ_CHECK(relative[0] == (a.day == n.day));
    FUZZ_CHECK(relative[3] == (a.week == n.week));
    FUZZ_CHECK(relative[6] == (a.month == n.month));
    FUZZ_CHECK(relative[9] == (a.year == n.year));
    if (auto p = placeAfter(DateComponentType::day, 1)) FUZZ_CHECK(relative[1] == (a.day == p->day));
    if (auto p = placeAfter(DateComponentType::day, -1)) FUZZ_CHECK(relative[2] == (a.day == p->day));
    if (auto p = placeAfter(DateComponentType::week, 1)) FUZZ_CHECK(relative[4] == (a.week == p->week));
    if (auto p = placeAfter(DateComponentType::week, -1)) FUZZ_CHECK(relative[5] == (a.week == p->week));
    if (auto p = placeAfter(DateComponentType::month, 1)) FUZZ_CHECK(relative[7] == (a.month == p->month));
    if (auto p = placeAfter(DateComponentType::month, -1)) FUZZ_CHECK(relative[8] == (a.month == p->month));
    if (auto p = placeAfter(DateComponentType::year, 1)) FUZZ_CHECK(relative[10] == (a.year == p->year));
    if (auto p = placeAfter(DateComponentType::year, -1)) FUZZ_CHECK(relative[11] == (a.year == p->year));
    const std::int64_t monthA = placeOf(date, zone).month;
    const std::int64_t monthNow = placeOf(now, zone).month;
    FUZZ_CHECK(monthOrder == (monthA < monthNow   ? ComparisonResult::orderedAscending
                              : monthA > monthNow ? ComparisonResult::orderedDescending
                                                  : ComparisonResult::orderedSame));
}

// The phrase with "%.f" replaced by `count` and "%%" by "%", read from the
// left; every other byte, "%" included, as written.
std::string filledIn(const std::string& phrase, const std::string& count) {
    std::string out;
    std::size_t at = 0;
    while (at < phrase.size()) {
        const std::size_t percent = phrase.find('%', at);
        out.append(phrase, at, percent == std::string::npos ? std::string::npos : percent - at);
        if (percent == std::string::npos) break;
        if (phrase.compare(percent, 3, "%.f") == 0) {
            out += count;
            at = percent + 3;
        } else if (phrase.compare(percent, 2, "%%") == 0) {
            out += '%';
            at = percent + 2;
        } else {
            out += '%';
            at = percent + 1;
        }
    }
    return out;
}

// The header's tiers as limits on the distance s in seconds, its chain of
// roundings worked out by hand: a tier takes s below its limit, and a count n
// of its unit covers s from unit * n - below up to unit * (n + 1) - below
// (minutes below 60 are s below 3570; 2 hours are s from 5370 to 8970).
struct Tier {
    double limit;
    RelativeTimeStringType pastKey;   // for a count of one, or the tier's only key
    double unit, below;               // unit 0: no whole count
};
constexpr Tier tiers[] = {
    {10, RelativeTimeStringType::nowPast, 0, 0},
    {60, RelativeTimeStringType::secondsPast, 0, 0},
    {3570, RelativeTimeStringType::oneMinutePast, 60, 30},
    {84570, RelativeTimeStringType::oneHourPast, 3600, 1830},
    {559770, RelativeTimeStringType::oneDayPast, 86400, 45030},
};

// Which phrase was used is read from the text, not worked out from it: each
// key's phrase ends in a mark of its own. The key and its count must be those
// of the tier the distance falls in; past keys for a past date.
void checkRelativeTime(FuzzedDataProvider& in, Date date) {
    // The instants drawn for the comparisons mostly lie over a week apart; a
    // quarter of the time, a distance on the scale of one of the tiers.
    static constexpr double scales[] = {10, 60, 3600, 86400, 700'000};
    Date now = date;
    if (in.ConsumeBool()) {
        now = fuzz_instants::instantNear(in, date);
    } else if (in.ConsumeBool()) {
        now = fuzz_instants::instant(in);
    } else {
        const double scale = scales[in.ConsumeIntegralInRange<std::size_t>(0, std::size(scales) - 1)];
        now = date.addingTimeInterval(in.ConsumeFloatingPointInRange(-scale, scale));
    }
    using Key = RelativeTimeStringType;
    RelativeTimeStrings strings;
    const std::string custom = in.ConsumeRandomLengthString(48);
    const auto fuzzed = in.ConsumeIntegral<std::uint32_t>();
    for (int key = 0; key <= static_cast<int>(Key::yearsFuture); ++key) {
        const bool ownPhrase = fuzzed & (std::uint32_t{1} << key);
        strings[static_cast<Key>(key)] = (ownPhrase ? custom : std::string(defaultRelativeTimeString(static_cast<Key>(key)))) +
                                         "|" + std::to_string(key);
    }
    const std::string text = toStringWithRelativeTime(date, strings, now);

    const std::size_t bar = text.rfind('|');
    int key = -1;
    if (bar != std::string::npos) {
        const auto [end, error] = std::from_chars(text.data() + bar + 1, text.data() + text.size(), key);
        if (error != std::errc() || end != text.data() + text.size()) key = -1;
    }
    const double d = now.secondsSince1970() - date.secondsSince1970();
    const double s = std::fabs(d);
    // The edges the header's divisions by 60 and 24 make lie on multiples of
    // 30 s; just beside one, their rounding may put s on either side.
    const double pastEdge = std::fmod(s, 30.0);
    if (s >= 60 && pastEdge != 0 && (pastEdge < 1e-6 || pastEdge > 30 - 1e-6)) return;
    const Tier* tier = std::find_if(std::begin(tiers), std::end(tiers), [&](const Tier& t) { return s < t.limit; });
    if (tier == std::end(tiers)) {
        // No phrase: the date, "dd.MM.yyyy" in the device's zone, the year of its era.
        FUZZ_CHECK(key == -1);
        const Placed where = placed(date);
        if (where == Placed::no) FUZZ_CHECK(text.empty());
        if (where != Placed::yes || fragile(date)) return;
        const Fields f = fieldsOf(date, TimeZone::current());
        const long long year = f.date.year > 0 ? f.date.year : 1 - f.date.year;
        char expected[48];
        std::snprintf(expected, sizeof expected, "%02d.%02d.%04lld", f.date.day, f.date.month, year);
        FUZZ_CHECK(text == expected);
        return;
    }
    int expectedKey = static_cast<int>(tier->pastKey) + (d > 0 ? 0 : 1);
    char count[32] = "";
    if (tier->pastKey == Key::secondsPast) {
        std::snprintf(count, sizeof count, "%.f", s);
    } else if (tier->unit > 0) {
        const double n = std::floor((s + tier->below) / tier->unit);
        if (n != 1) expectedKey += 2;
        std::snprintf(count, sizeof count, "%.f", n);
    }
    FUZZ_CHECK(key == expectedKey);
    const std::string& phrase = strings.at(static_cast<Key>(key));
    FUZZ_CHECK(text == (tier->pastKey == Key::nowPast ? phrase : filledIn(phrase, count)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    TimeZone::setCurrentOverride(fuzz_instants::zone(in));
    platform::Locale::setCurrentOverride(fuzz_instants::locale(in));
    for (int operation = 0; operation < 8 && in.remaining_bytes() > 0; ++operation) {
        const int kind = in.ConsumeIntegralInRange<int>(0, 5);
        const Date date = fuzz_instants::instant(in);
        switch (kind) {
        case 0: checkAdjustByUnit(in, date); break;
        case 1: checkAdjustByFields(in, date); break;
        case 2: checkDateFor(in, date); break;
        case 3: checkSince(in, date); break;
        case 4: checkComparisons(in, date); break;
        default: checkRelativeTime(in, date); break;
        }
    }
    return 0;
}
