#pragma once
// Instants and stand-in calculators for the moon calculator's tests.

#include "mooncalc/calculator_interfaces.h"
#include "platform/core/date.h"
#include "platform/core/julian_day_numbers.h"
#include "support/dates.h"
#include "support/zone_override.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace mooncalc_test {

using testsupport::local;
using testsupport::utc;
using testsupport::ZoneOverride;

// An instant from UTC fields on the program's calendar: Julian before 15
// October 1582, Gregorian from then on, astronomical years (0 is 1 BC).
inline platform::Date utcOnCalendar(std::int64_t year, int month, int day, int hour = 0, int minute = 0,
                                    int second = 0) {
    const std::int64_t days = astronomy::dayNumberOfCivilDate(year, month, day) - 2440588;   // from 1970-01-01
    return platform::Date::fromSecondsSince1970(static_cast<double>(days) * 86400.0 + hour * 3600.0 + minute * 60.0 +
                                                second);
}

// "2024-03-25 07:12" of an instant, in UTC, to the nearest minute.
inline std::string utcMinute(platform::Date date) {
    const double seconds = date.secondsSince1970();
    if (!std::isfinite(seconds)) return "not finite";
    const auto minutes = static_cast<std::int64_t>(std::floor(seconds / 60.0 + 0.5));
    const std::int64_t dayNumber = astronomy::floorDivide(minutes, 1440) + 2440588;
    const std::int64_t minuteOfDay = astronomy::floorModulo(minutes, 1440);
    const astronomy::CivilDate civil = astronomy::civilDateOfDayNumber(dayNumber);
    char text[40];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02d %02lld:%02lld", static_cast<long long>(civil.year),
                  civil.month, civil.day, static_cast<long long>(minuteOfDay / 60),
                  static_cast<long long>(minuteOfDay % 60));
    return text;
}

// Stand-ins for the facade's calculators.
class FixedAgeCalculator final : public mooncalc::MoonAgeCalculatorInterface {
public:
    FixedAgeCalculator(double age, std::vector<std::int64_t> ages) : age_(age), ages_(std::move(ages)) {}
    double getMoonAge(platform::Date) const override { return age_; }
    std::vector<std::int64_t> getMoonAges(platform::Date) const override { return ages_; }

private:
    double age_;
    std::vector<std::int64_t> ages_;
};

// Rises and sets from functions of the instant asked for; counts the requests.
class ScriptedRiseSetCalculator final : public mooncalc::MoonRiseSetCalculatorInterface {
public:
    using Script = std::function<mooncalc::RiseSetResult(platform::Date)>;
    ScriptedRiseSetCalculator(Script rise, Script set) : rise_(std::move(rise)), set_(std::move(set)) {}
    mooncalc::RiseSetResult getMoonRise(platform::Date date) const override { return rise_(date); }
    mooncalc::RiseSetResult getMoonSet(platform::Date date) const override { return set_(date); }

private:
    Script rise_;
    Script set_;
};

inline mooncalc::RiseSetResult noEvent() {
    return mooncalc::RiseSetError{mooncalc::RiseSetErrorReason::unableToFormDateFromComponents};
}

// The rise and set calculator's answer over events in time order: the first at
// or after the instant asked for, or the last before it when that is nearer
// and on the same UTC day; no event when there is none.
inline ScriptedRiseSetCalculator::Script eventsNear(std::vector<platform::Date> events) {
    return [events = std::move(events)](platform::Date at) -> mooncalc::RiseSetResult {
        const auto next = std::lower_bound(events.begin(), events.end(), at);
        std::optional<platform::Date> found;
        if (next != events.end()) found = *next;
        if (next != events.begin()) {
            const platform::Date before = *std::prev(next);
            auto utcDay = [](platform::Date d) { return std::floor(d.secondsSince1970() / 86400.0); };
            if (utcDay(before) == utcDay(at) && (!found || at.timeIntervalSince(before) < found->timeIntervalSince(at)))
                found = before;
        }
        return found ? mooncalc::RiseSetResult(*found) : noEvent();
    };
}

} // namespace mooncalc_test
