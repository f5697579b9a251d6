#include "engine/year_text.h"

#include "engine/internal/local_day.h"
#include "platform/core/date_formatter.h"

#include <optional>
#include <string_view>

namespace engine {

using platform::CalendarComponent;
using platform::Date;
using platform::DateFormatter;

namespace {

// Where the calendar cannot place an era, the date is taken as one of the present era.
bool inPresentEra(Date date) {
    const platform::Calendar calendar = detail::userCalendar();
    const auto eraOf = [&](Date instant) { return calendar.components({CalendarComponent::era}, instant).era; };
    const auto era = eraOf(date);
    const auto present = eraOf(Date::now());
    return !era || !present || *era == *present;
}

DateFormatter withPattern(std::string pattern) {
    DateFormatter formatter;
    formatter.setDateFormat(std::move(pattern));
    return formatter;
}

// The fields of the locale's full date style (weekday, day, month name, year)
// and the era, as the locale arranges them.
std::string fullDatePatternWithEra() { return platform::localizedDateFormat("GyMMMMEEEEd"); }

bool isFieldLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The part of a date pattern from its first era or year field to its last,
// with the literal text between them; none where another field lies between.
std::optional<std::string> eraAndYearPart(std::string_view pattern) {
    std::optional<std::size_t> begin;
    std::size_t end = 0;
    bool otherFieldAfterBegin = false;
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        if (c == '\'') {   // quoted text; a doubled quote is two such runs
            const std::size_t close = pattern.find('\'', i + 1);
            i = close == std::string_view::npos ? pattern.size() : close + 1;
            continue;
        }
        if (!isFieldLetter(c)) {
            ++i;
            continue;
        }
        std::size_t runEnd = i;
        while (runEnd < pattern.size() && pattern[runEnd] == c) ++runEnd;
        if (c == 'G' || c == 'y') {
            if (begin && otherFieldAfterBegin) return std::nullopt;
            if (!begin) begin = i;
            end = runEnd;
        } else if (begin) {
            otherFieldAfterBegin = true;
        }
        i = runEnd;
    }
    if (!begin) return std::nullopt;
    return std::string(pattern.substr(*begin, end - *begin));
}

} // namespace

std::string yearText(int astronomicalYear) {
    // Any day of the year will do.
    const auto day = detail::startOfLocalDay(detail::userCalendar(), astronomicalYear, 7, 1);
    if (!day) return {};
    if (inPresentEra(*day)) return withPattern("y").string(*day);
    auto pattern = eraAndYearPart(fullDatePatternWithEra());
    return withPattern(pattern ? std::move(*pattern) : platform::localizedDateFormat("Gy")).string(*day);
}

std::string fullDateText(Date date) {
    if (inPresentEra(date)) {
        DateFormatter full;
        full.setDateStyle(platform::DateFormatStyle::full);
        full.setTimeStyle(platform::DateFormatStyle::none);
        return full.string(date);
    }
    return withPattern(fullDatePatternWithEra()).string(date);
}

} // namespace engine
