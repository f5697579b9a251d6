#include "datehelper/internal/dot_net_date.h"

#include "platform/core/regular_expression.h"
#include "platform/core/time_zone.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace datehelper::detail {

namespace {

// 100,000,000 days of milliseconds: the range of .NET and JavaScript dates.
constexpr std::int64_t limitMillis = 8'640'000'000'000'000;
constexpr double limitMillisDouble = 8.64e15;

const platform::RegularExpression& dotNetExpression() {
    // [0-9], not \d: other scripts' digits are no part of this format.
    static const auto* expression = new platform::RegularExpression(
        *platform::RegularExpression::withPattern(R"(\\?/Date\((-?[0-9]+)(([+-][0-9]{2})([0-9]{2}))?\)\\?/)"));
    return *expression;
}

std::optional<std::int64_t> millisecondsOf(std::string_view digits) {
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative) digits.remove_prefix(1);
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    if (digits.size() > 16) return std::nullopt;   // more than the limit's sixteen digits
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size() || value > limitMillis) return std::nullopt;
    return negative ? -value : value;
}

void appendTwoDigits(std::string& out, int value) {
    out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
}

// The nearest whole millisecond to the exact instant, halves away from zero.
// Rounded to a double first, the product can land on a half it was not
// (some 140,000 years out, 0.39 ms becomes 0.5); a 53-bit significand times
// 1000 fits the 64 bits of a long double exactly.
double nearestMillisecond(double seconds) {
    static_assert(std::numeric_limits<long double>::digits >= 63, "seconds times 1000 must be exact");
    return static_cast<double>(std::round(static_cast<long double>(seconds) * 1000.0L));
}

} // namespace

std::optional<platform::Date> dotNetDate(std::string_view text) {
    const auto match = dotNetExpression().firstMatch(text);
    if (!match || match->groups.size() < 2 || !match->groups[1]) return std::nullopt;
    const auto millis = millisecondsOf(*match->groups[1]);
    if (!millis) return std::nullopt;
    return platform::Date::fromSecondsSince1970(static_cast<double>(*millis) / 1000.0);
}

std::string dotNetText(platform::Date date) {
    const double millis = nearestMillisecond(date.secondsSince1970());
    if (!(std::fabs(millis) <= limitMillisDouble)) return {};   // also NaN
    const int offset = platform::TimeZone::current().secondsFromGMT(platform::Date::now());
    std::string out = "/Date(";
    out += std::to_string(static_cast<std::int64_t>(millis));
    out += offset < 0 ? '-' : '+';
    appendTwoDigits(out, std::abs(offset) / 3600);
    appendTwoDigits(out, std::abs(offset) / 60 % 60);
    out += ")/";
    return out;
}

} // namespace datehelper::detail
