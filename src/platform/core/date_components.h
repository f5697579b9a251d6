#pragma once
// A set of calendar fields, each optional, with an optional time zone of its own.
// An absent field counts as its lowest value when a date is built (day 1, hour 0...).

#include "platform/core/calendar_component.h"
#include "platform/core/time_zone.h"

#include <cstdint>
#include <optional>

namespace platform {

struct DateComponents {
    std::optional<TimeZone> timeZone{};   // when set, the fields are read in this zone

    std::optional<int> era{};
    std::optional<int> year{};
    std::optional<int> month{};
    std::optional<int> day{};
    std::optional<int> hour{};
    std::optional<int> minute{};
    std::optional<int> second{};
    std::optional<int> nanosecond{};
    std::optional<int> weekday{};
    std::optional<int> weekdayOrdinal{};
    std::optional<int> quarter{};
    std::optional<int> weekOfMonth{};
    std::optional<int> weekOfYear{};
    std::optional<int> yearForWeekOfYear{};
    std::optional<int> dayOfYear{};

    std::optional<int> value(CalendarComponent component) const noexcept;
    void setValue(CalendarComponent component, std::optional<int> value) noexcept;

    friend bool operator==(const DateComponents&, const DateComponents&) = default;
};

} // namespace platform
