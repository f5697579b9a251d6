#include "datehelper/date_formatting.h"

#include "datehelper/date_arithmetic.h"
#include "datehelper/internal/dot_net_date.h"
#include "datehelper/internal/formatter_cache.h"

#include <cstddef>
#include <vector>

namespace datehelper {

using platform::DateFormatStyle;
using platform::SymbolWidth;

namespace {

// Entry `number` - 1 of the Russian list (1 is Sunday or January), or empty.
std::string nameAt(const std::vector<std::string>& names, int number) {
    if (number < 1 || static_cast<std::size_t>(number) > names.size()) return {};
    return names[static_cast<std::size_t>(number - 1)];
}

detail::SharedFormatter symbolFormatter() {
    return detail::patternFormatter(DateFormatType::standard().stringFormat(), platform::TimeZone::current(),
                                    defaultLocale());
}

std::string weekdayName(platform::Date date, SymbolWidth width) {
    return nameAt(symbolFormatter()->weekdaySymbols(width), component(date, DateComponentType::weekday));
}

std::string monthName(platform::Date date, SymbolWidth width) {
    return nameAt(symbolFormatter()->monthSymbols(width), component(date, DateComponentType::month));
}

std::string inStyle(platform::Date date, DateFormatStyle style) {
    return toString(date, style, style, false);
}

} // namespace

const platform::Locale& defaultLocale() {
    static const auto* locale = new platform::Locale(platform::Locale::withIdentifier("ru_RU"));
    return *locale;
}

std::string toString(platform::Date date, const DateFormatType& format, const TimeZoneType& timeZone,
                     const platform::Locale& locale) {
    if (format.kind() == DateFormatType::Kind::dotNet) return detail::dotNetText(date);
    return detail::patternFormatter(format.stringFormat(), timeZone.timeZone(), locale)->string(date);
}

std::string toString(platform::Date date, DateFormatStyle dateStyle, DateFormatStyle timeStyle, bool isRelative,
                     const platform::TimeZone& timeZone, const platform::Locale& locale) {
    return detail::styleFormatter(dateStyle, timeStyle, isRelative, timeZone, locale)->string(date);
}

std::string toString(platform::Date date, DateStyleType style) {
    switch (style) {
    case DateStyleType::shortStyle: return inStyle(date, DateFormatStyle::shortStyle);
    case DateStyleType::medium: return inStyle(date, DateFormatStyle::medium);
    case DateStyleType::longStyle: return inStyle(date, DateFormatStyle::longStyle);
    case DateStyleType::full: return inStyle(date, DateFormatStyle::full);
    case DateStyleType::ordinalDay: {
        const int day = component(date, DateComponentType::day);
        if (day == 0) return {};
        return detail::ordinalFormatter()->string(std::int64_t{day}).value_or(std::string{});
    }
    case DateStyleType::weekday: return weekdayName(date, SymbolWidth::wide);
    case DateStyleType::shortWeekday: return weekdayName(date, SymbolWidth::abbreviated);
    case DateStyleType::veryShortWeekday: return weekdayName(date, SymbolWidth::narrow);
    case DateStyleType::month: return monthName(date, SymbolWidth::wide);
    case DateStyleType::shortMonth: return monthName(date, SymbolWidth::abbreviated);
    case DateStyleType::veryShortMonth: return monthName(date, SymbolWidth::narrow);
    }
    return {};
}

} // namespace datehelper
