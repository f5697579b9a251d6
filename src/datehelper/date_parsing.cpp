#include "datehelper/date_parsing.h"

#include "datehelper/internal/dot_net_date.h"
#include "datehelper/internal/formatter_cache.h"

#include <string>

namespace datehelper {

using Kind = DateFormatType::Kind;

std::optional<platform::Date> dateFromString(std::string_view text, const DateFormatType& format,
                                             const TimeZoneType& timeZone, const platform::Locale& locale) {
    if (text.empty()) return std::nullopt;
    if (format.kind() == Kind::dotNet) return detail::dotNetDate(text);
    const detail::SharedFormatter formatter = detail::patternFormatter(format.stringFormat(), timeZone.timeZone(), locale);
    if ((format.kind() == Kind::rss || format.kind() == Kind::altRSS) && text.back() == 'Z') {
        std::string rewritten(text.substr(0, text.size() - 1));
        rewritten += "GMT";
        return formatter->date(rewritten);
    }
    return formatter->date(text);
}

std::optional<platform::Date> toDate(std::string_view text, const DateFormatType& format) {
    platform::DateFormatter formatter;
    formatter.setDateFormat(format.stringFormat());
    return formatter.date(text);
}

} // namespace datehelper
