#include "sheets/year_text.h"

#include "platform/core/calendar.h"
#include "platform/core/date_formatter.h"
#include "sheets/local_fields.h"

namespace sheets {

using platform::Calendar;
using platform::CalendarComponent;
using platform::Date;

std::optional<std::string> otherEraName(Date date) {
    const Calendar calendar = Calendar::current();
    const auto eraOf = [&](Date instant) { return calendar.components({CalendarComponent::era}, instant).era; };
    const auto era = eraOf(date);
    const auto present = eraOf(Date::now());
    if (!era || !present || *era == *present) return std::nullopt;
    platform::DateFormatter eraName;
    eraName.setDateFormat("G");
    return eraName.string(date);
}

std::string yearText(int astronomicalYear) {
    // Any day of the year will do.
    const auto day = onDay(Date(), {astronomicalYear, 7, 1});
    if (!day) return {};
    platform::DateFormatter year;
    year.setDateFormat("y");
    std::string text = year.string(*day);
    if (const auto era = otherEraName(*day); era && !text.empty()) text += " " + *era;
    return text;
}

} // namespace sheets
