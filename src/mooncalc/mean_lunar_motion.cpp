#include "mooncalc/internal/mean_lunar_motion.h"

#include "mooncalc/internal/local_calendar_date.h"
#include "platform/core/julian_day_numbers.h"

namespace mooncalc::detail {

std::optional<std::int64_t> localDayNumber(platform::Date date) {
    const auto civil = localCalendarDate(date);
    if (!civil) return std::nullopt;
    return astronomy::dayNumberOfCivilDate(civil->year, civil->month, civil->day);
}

} // namespace mooncalc::detail
