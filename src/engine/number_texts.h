#pragma once
// Number texts and small number helpers for display: rounding to decimals,
// percentages for drawing, day counts, and the two shared number formatters.

#include "platform/core/number_formatter.h"

#include <cstdint>
#include <string>
#include <type_traits>

namespace engine {

// The value taken to `places` decimals, halves away from zero. When the scaled
// value is not a finite number (an infinite value, or 10^places beyond the
// range of a double) the value comes back unchanged.
double roundTo(double value, int places);
double roundTo2f(double value);
double roundTo3f(double value);

// part / whole as a percentage held within 0 to 100 (a division by zero gives
// 100, a result that is not a number gives 0); to two decimals, or as a whole
// number rounded half away from zero.
double getPercentDouble(double part, double whole);
std::int64_t getPercent(double part, double whole);

// "1 day", "0 days", "2 days", "-1 days".
std::string strDays(std::int64_t n);

// Shared by the whole program, made once on first use (safe from any thread)
// and never changed afterwards.
struct Formatter {
    // Decimal, grouped with "," in every locale, at most two decimals, the
    // locale's decimal separator, rounding half to even.
    static const platform::NumberFormatter& withSeparator();
    // Whole numbers without grouping, rounding half to even: years stay "2026".
    static const platform::NumberFormatter& noSeparator();
};

// The formatters' texts of a number; empty when the formatter gives none.
std::string formattedWithSeparator(double value);
std::string formattedWithSeparator(std::int64_t value);
std::string formattedNoSeparator(double value);
std::string formattedNoSeparator(std::int64_t value);

// Every other arithmetic type goes through the nearest of the two forms above.
template <typename T>
    requires(std::is_arithmetic_v<T> && !std::is_same_v<T, double> && !std::is_same_v<T, std::int64_t>)
std::string formattedWithSeparator(T value) {
    if constexpr (std::is_integral_v<T> && (std::is_signed_v<T> || sizeof(T) < sizeof(std::int64_t)))
        return formattedWithSeparator(static_cast<std::int64_t>(value));
    else
        return formattedWithSeparator(static_cast<double>(value));
}

template <typename T>
    requires(std::is_arithmetic_v<T> && !std::is_same_v<T, double> && !std::is_same_v<T, std::int64_t>)
std::string formattedNoSeparator(T value) {
    if constexpr (std::is_integral_v<T> && (std::is_signed_v<T> || sizeof(T) < sizeof(std::int64_t)))
        return formattedNoSeparator(static_cast<std::int64_t>(value));
    else
        return formattedNoSeparator(static_cast<double>(value));
}

} // namespace engine
