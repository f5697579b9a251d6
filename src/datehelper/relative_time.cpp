#include "datehelper/relative_time.h"

#include "datehelper/date_formatting.h"
#include "platform/core/localized_strings.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace datehelper {

using Key = RelativeTimeStringType;

std::string_view defaultRelativeTimeString(Key key) {
    switch (key) {
    case Key::nowPast: return "Только что";
    case Key::nowFuture: return "через несколько секунд";
    case Key::secondsPast: return "%.f секунд назад";
    case Key::secondsFuture: return "в течении %.f секунд";
    case Key::oneMinutePast: return "минуту назад";
    case Key::oneMinuteFuture: return "в течении %.f минуты";
    case Key::minutesPast: return "%.f минут назад";
    case Key::minutesFuture: return "в течении %.f минут";
    case Key::oneHourPast: return "час назад";
    case Key::oneHourFuture: return "в течении часа";
    case Key::hoursPast: return "%.f часов назад";
    case Key::hoursFuture: return "в течении %.f часов";
    case Key::oneDayPast: return "вчера";
    case Key::oneDayFuture: return "завтра";
    case Key::daysPast: return "%.f дней назад";
    case Key::daysFuture: return "в течении %.f дней";
    default: return {};
    }
}

namespace {

std::string phraseFor(Key key, const std::optional<RelativeTimeStrings>& strings) {
    if (strings) {
        if (auto found = strings->find(key); found != strings->end()) return found->second;
    }
    return platform::localizedString(defaultRelativeTimeString(key));
}

// The count as printf's "%.f" writes it: to the nearest whole number, an exact
// half to the even one, no decimal point.
void appendCount(std::string& out, double count) {
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, count, std::chars_format::fixed, 0);
    out.append(digits, written.ptr);
}

// Only the count's own directive is filled in: a caller's phrase is text, not
// a format, and any other directive in it is written as it stands.
std::string withCount(std::string_view phrase, double count) {
    std::string out;
    out.reserve(phrase.size() + 8);
    for (std::size_t i = 0; i < phrase.size(); ++i) {
        if (phrase[i] == '%' && phrase.substr(i, 3) == "%.f") {
            appendCount(out, count);
            i += 2;
        } else if (phrase[i] == '%' && phrase.substr(i, 2) == "%%") {
            out += '%';
            i += 1;
        } else {
            out += phrase[i];
        }
    }
    return out;
}

} // namespace

std::string toStringWithRelativeTime(platform::Date date, const std::optional<RelativeTimeStrings>& strings) {
    return toStringWithRelativeTime(date, strings, platform::Date::now());
}

std::string toStringWithRelativeTime(platform::Date date, const std::optional<RelativeTimeStrings>& strings,
                                     platform::Date now) {
    const double d = now.secondsSince1970() - date.secondsSince1970();
    const bool past = d > 0;
    const double s = std::fabs(d);
    const double minutes = std::round(s / 60);
    const double hours = std::round(minutes / 60);
    const double days = std::round(hours / 24);
    auto tier = [&](Key pastKey, Key futureKey, double count) {
        return withCount(phraseFor(past ? pastKey : futureKey, strings), count);
    };
    if (s < 10) return phraseFor(past ? Key::nowPast : Key::nowFuture, strings);
    if (s < 60) return tier(Key::secondsPast, Key::secondsFuture, s);
    if (minutes < 60) {
        if (minutes == 1) return tier(Key::oneMinutePast, Key::oneMinuteFuture, minutes);
        return tier(Key::minutesPast, Key::minutesFuture, minutes);
    }
    if (hours < 24) {
        if (hours == 1) return tier(Key::oneHourPast, Key::oneHourFuture, hours);
        return tier(Key::hoursPast, Key::hoursFuture, hours);
    }
    if (days < 7) {
        if (days == 1) return tier(Key::oneDayPast, Key::oneDayFuture, days);
        return tier(Key::daysPast, Key::daysFuture, days);
    }
    return toString(date, DateFormatType::custom("dd.MM.yyyy"));
}

} // namespace datehelper
