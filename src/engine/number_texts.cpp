#include "engine/number_texts.h"

#include <cmath>

namespace engine {

namespace {

double roundWith(double value, double multiplier) {
    const double scaled = value * multiplier;
    if (!std::isfinite(scaled) || !std::isfinite(multiplier))
        return value;
    // 10^places underflows to 0 for very negative places: every finite double
    // then rounds to a multiple of a power of ten beyond its range, that is 0.
    if (multiplier == 0.0)
        return std::copysign(0.0, value);
    return std::round(scaled) / multiplier;
}

double clampedPercent(double percent) {
    if (percent < 0.0)
        return 0.0;
    if (percent > 100.0)
        return 100.0;
    return percent;
}

std::string textOr(std::optional<std::string> text) { return text ? std::move(*text) : std::string{}; }

} // namespace

double roundTo(double value, int places) { return roundWith(value, std::pow(10.0, static_cast<double>(places))); }
double roundTo2f(double value) { return roundWith(value, 100.0); }
double roundTo3f(double value) { return roundWith(value, 1000.0); }

double getPercentDouble(double part, double whole) {
    const double percent = clampedPercent(part / whole * 100.0);
    if (std::isnan(percent))
        return 0.0;
    return roundTo2f(percent);
}

std::int64_t getPercent(double part, double whole) {
    const double percent = clampedPercent(std::round(part / whole * 100.0));
    if (std::isnan(percent))
        return 0;
    return static_cast<std::int64_t>(percent);
}

std::string strDays(std::int64_t n) { return std::to_string(n) + (n == 1 ? " day" : " days"); }

const platform::NumberFormatter& Formatter::withSeparator() {
    static const platform::NumberFormatter formatter = [] {
        platform::NumberFormatter made;
        made.setNumberStyle(platform::NumberStyle::decimal);
        made.setGroupingSeparator(",");
        made.setMaximumFractionDigits(2);
        return made;
    }();
    return formatter;
}

const platform::NumberFormatter& Formatter::noSeparator() {
    static const platform::NumberFormatter formatter;
    return formatter;
}

std::string formattedWithSeparator(double value) { return textOr(Formatter::withSeparator().string(value)); }
std::string formattedWithSeparator(std::int64_t value) { return textOr(Formatter::withSeparator().string(value)); }
std::string formattedNoSeparator(double value) { return textOr(Formatter::noSeparator().string(value)); }
std::string formattedNoSeparator(std::int64_t value) { return textOr(Formatter::noSeparator().string(value)); }

} // namespace engine
