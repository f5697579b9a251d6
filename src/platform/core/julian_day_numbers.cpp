#include "platform/core/julian_day_numbers.h"

// Day counting after H. Hinnant, "chrono-Compatible Low-Level Date Algorithms":
// years start on 1 March, so that the leap day ends them; a Gregorian era is 400
// years of 146097 days, a Julian cycle 4 years of 1461 days.

namespace astronomy {
namespace {

// Day of a March-based year, 0 for 1 March.
constexpr std::int64_t dayOfMarchYear(int month, std::int64_t day) noexcept {
    return (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
}

struct MonthDay {
    int month;
    int day;
};
constexpr MonthDay monthDayOfMarchYear(std::int64_t dayOfYear) noexcept {
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {month, day};
}

constexpr std::int64_t gregorianMarchFirstOfYearZero = 1721120;   // 0000-03-01 Gregorian
constexpr std::int64_t julianMarchFirstOfYearZero = 1721118;      // 0000-03-01 Julian

constexpr std::int64_t countGregorianDays(std::int64_t year, int month, std::int64_t day) noexcept {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = floorDivide(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfEra =
        yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfMarchYear(month, day);
    return gregorianMarchFirstOfYearZero + era * 146097 + dayOfEra;
}

constexpr std::int64_t julianDayNumber(std::int64_t year, int month, std::int64_t day) noexcept {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t cycle = floorDivide(year, 4);
    const std::int64_t yearOfCycle = year - cycle * 4;
    return julianMarchFirstOfYearZero + cycle * 1461 + yearOfCycle * 365 + dayOfMarchYear(month, day);
}

constexpr CivilDate gregorianDateOf(std::int64_t dayNumber) noexcept {
    const std::int64_t days = dayNumber - gregorianMarchFirstOfYearZero;
    const std::int64_t era = floorDivide(days, 146097);
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const MonthDay md = monthDayOfMarchYear(dayOfYear);
    return {era * 400 + yearOfEra + (md.month <= 2 ? 1 : 0), md.month, md.day};
}

constexpr CivilDate julianDate(std::int64_t dayNumber) noexcept {
    const std::int64_t days = dayNumber - julianMarchFirstOfYearZero;
    const std::int64_t cycle = floorDivide(days, 1461);
    const std::int64_t dayOfCycle = days - cycle * 1461;
    const std::int64_t yearOfCycle = (dayOfCycle - dayOfCycle / 1460) / 365;
    const std::int64_t dayOfYear = dayOfCycle - 365 * yearOfCycle;
    const MonthDay md = monthDayOfMarchYear(dayOfYear);
    return {cycle * 4 + yearOfCycle + (md.month <= 2 ? 1 : 0), md.month, md.day};
}

static_assert(countGregorianDays(1582, 10, 15) == firstGregorianDayNumber);
static_assert(julianDayNumber(1582, 10, 4) == firstGregorianDayNumber - 1);
static_assert(countGregorianDays(1970, 1, 1) == unixEpochDayNumber);
static_assert(julianDayNumber(-4712, 1, 1) == 0);

} // namespace

CivilDate civilDateOfDayNumber(std::int64_t dayNumber) noexcept {
    return dayNumber >= firstGregorianDayNumber ? gregorianDateOf(dayNumber) : julianDate(dayNumber);
}

std::int64_t dayNumberOfCivilDate(std::int64_t year, int month, std::int64_t day) noexcept {
    auto count = [&](bool gregorian) {
        return gregorian ? countGregorianDays(year, month, day) : julianDayNumber(year, month, day);
    };
    const bool gregorian = year >= 1582;
    const std::int64_t dayNumber = count(gregorian);
    return gregorian == (dayNumber >= firstGregorianDayNumber) ? dayNumber : count(!gregorian);
}

std::int64_t gregorianDayNumber(std::int64_t year, int month, std::int64_t day) noexcept {
    return countGregorianDays(year, month, day);
}

CivilDate gregorianDateOfDayNumber(std::int64_t dayNumber) noexcept {
    return gregorianDateOf(dayNumber);
}

bool isLeapYear(std::int64_t year) noexcept {
    if (year < 1582) return floorModulo(year, 4) == 0;
    return isGregorianLeapYear(year);
}

double julianDayOfNewYear(std::int64_t year) noexcept {
    return static_cast<double>(dayNumberOfCivilDate(year, 1, 1)) - 0.5;
}

} // namespace astronomy
