#pragma once
// Number text in a locale: plain whole numbers ("none") or decimal with grouping,
// a fixed grouping separator if wanted, fraction digits and a rounding mode.

#include "platform/core/locale.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class NumberStyle : std::uint8_t { none, decimal, ordinal };

enum class RoundingMode : std::uint8_t { ceiling, floor, down, up, halfEven, halfDown, halfUp };

class NumberFormatter {
public:
    NumberFormatter();   // style none, current locale, rounding half to even
    ~NumberFormatter();
    NumberFormatter(const NumberFormatter&);
    NumberFormatter& operator=(const NumberFormatter&);
    NumberFormatter(NumberFormatter&&) noexcept;
    NumberFormatter& operator=(NumberFormatter&&) noexcept;

    void setNumberStyle(NumberStyle style);
    void setLocale(Locale locale);
    void setGroupingSeparator(std::string separator);   // implies grouping on
    void setUsesGroupingSeparator(bool uses);
    void setMinimumFractionDigits(int digits);
    void setMaximumFractionDigits(int digits);
    void setRoundingMode(RoundingMode mode);

    // UTF-8 text, or std::nullopt where the locale's rules give none.
    std::optional<std::string> string(double value) const;
    std::optional<std::string> string(std::int64_t value) const;

    // The number that the whole of `text` writes in this formatter's locale and
    // separators ("40.5", "1,234.5" in English), or std::nullopt when it is not one.
    std::optional<double> number(std::string_view text) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace platform
