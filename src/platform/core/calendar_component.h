#pragma once
// The units of a calendar, and small sets of them.

#include <cstdint>
#include <initializer_list>

namespace platform {

enum class CalendarComponent : std::uint8_t {
    era,
    year,
    month,             // 1 to 12
    day,               // day of the month, from 1
    hour,              // 0 to 23
    minute,
    second,
    nanosecond,
    weekday,           // 1 = Sunday to 7 = Saturday, whatever the locale's first day
    weekdayOrdinal,    // the n-th such weekday of the month
    quarter,
    weekOfMonth,
    weekOfYear,
    yearForWeekOfYear,
    dayOfYear,
};

class ComponentSet {
public:
    constexpr ComponentSet() noexcept = default;
    constexpr ComponentSet(std::initializer_list<CalendarComponent> components) noexcept {
        for (auto c : components) insert(c);
    }
    constexpr void insert(CalendarComponent c) noexcept { bits_ |= bit(c); }
    constexpr bool contains(CalendarComponent c) const noexcept { return (bits_ & bit(c)) != 0; }
    constexpr bool empty() const noexcept { return bits_ == 0; }

    friend constexpr bool operator==(ComponentSet, ComponentSet) noexcept = default;

private:
    static constexpr std::uint32_t bit(CalendarComponent c) noexcept {
        return std::uint32_t{1} << static_cast<unsigned>(c);
    }
    std::uint32_t bits_ = 0;
};

} // namespace platform
