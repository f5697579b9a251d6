#pragma once
// Instants for the engine's tests: from UTC fields, from local fields in the
// zone the test runs in, and the local fields of an instant.

#include "platform/core/calendar.h"
#include "platform/core/date.h"
#include "platform/core/time_zone.h"
#include "support/dates.h"
#include "support/zone_override.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace engine_test {

struct Fields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    friend bool operator==(const Fields&, const Fields&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Fields& f) {
        return out << f.year << '-' << f.month << '-' << f.day << ' ' << f.hour << ':' << f.minute << ':' << f.second;
    }
};

// Instants from UTC fields and from local fields, shared with the other folders' tests.
using testsupport::local;
using testsupport::utc;

inline Fields fieldsIn(const platform::Calendar& calendar, platform::Date date) {
    using platform::CalendarComponent;
    const auto c = calendar.components({CalendarComponent::year, CalendarComponent::month, CalendarComponent::day,
                                        CalendarComponent::hour, CalendarComponent::minute, CalendarComponent::second},
                                       date);
    return {c.year.value_or(-1),  c.month.value_or(-1),  c.day.value_or(-1),
            c.hour.value_or(-1),  c.minute.value_or(-1), c.second.value_or(-1)};
}

inline Fields localFields(platform::Date date) { return fieldsIn(platform::Calendar::current(), date); }

inline Fields utcFields(platform::Date date) {
    return fieldsIn(platform::Calendar::gregorian(platform::TimeZone::utc(), platform::Locale::current()), date);
}

using testsupport::ZoneOverride;

// What an operation gives for a year or date the calendar cannot place: the
// present moment, read between the instants just before and just after the call.
template <typename Compute>
void expectPresentMoment(Compute&& compute) {
    const platform::Date before = platform::Date::now();
    const platform::Date result = compute();
    const platform::Date after = platform::Date::now();
    EXPECT_LE(before, result);
    EXPECT_LE(result, after);
}

} // namespace engine_test
