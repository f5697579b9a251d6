#include "app/date_from.h"

#include "platform/core/calendar.h"

#include <limits>

namespace app {
namespace {

std::optional<int> field(std::int64_t value) {
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return std::nullopt;
    return static_cast<int>(value);
}

} // namespace

std::optional<platform::Date> dateFrom(std::int64_t year, std::int64_t month, std::int64_t day, std::int64_t hour,
                                       std::int64_t minute, std::int64_t second) {
    platform::DateComponents components;
    components.year = field(year);
    components.month = field(month);
    components.day = field(day);
    components.hour = field(hour);
    components.minute = field(minute);
    components.second = field(second);
    if (!components.year || !components.month || !components.day || !components.hour || !components.minute ||
        !components.second) {
        return std::nullopt;
    }
    const auto calendar = platform::Calendar::gregorian(platform::TimeZone::current(), platform::Locale::current());
    return calendar.date(components);
}

} // namespace app
