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

std::optional<platform::Date> gregorianDateFrom(std::int64_t year, std::int64_t month, std::int64_t day,
                                                std::int64_t hour, std::int64_t minute, std::int64_t second) {
    platform::DateComponents fields;
    fields.year = field(year);
    fields.month = field(month);
    fields.day = field(day);
    fields.hour = field(hour);
    fields.minute = field(minute);
    fields.second = field(second);
    if (!fields.year || !fields.month || !fields.day || !fields.hour || !fields.minute || !fields.second) {
        return std::nullopt;
    }
    return platform::Calendar::current().date(fields);
}

} // namespace app
