#pragma once
// Date text in a locale and a time zone, from a UTS #35 pattern ("EEE dd MMM
// yyyy") or from the locale's own date and time styles. A new formatter takes
// the current locale and time zone; setters change them for this formatter only.
// Dates are always Gregorian (Julian before 15 October 1582), whatever calendar
// the locale would choose. Constructing one is cheap: the ICU formatters behind
// it are built once per thread and reused.

#include "platform/core/date.h"
#include "platform/core/locale.h"
#include "platform/core/time_zone.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace platform {

enum class DateFormatStyle : std::uint8_t { none, shortStyle, medium, longStyle, full };

class DateFormatter {
public:
    DateFormatter();
    ~DateFormatter();
    DateFormatter(const DateFormatter&);
    DateFormatter& operator=(const DateFormatter&);
    DateFormatter(DateFormatter&&) noexcept;
    DateFormatter& operator=(DateFormatter&&) noexcept;

    // A pattern replaces the styles, and a style replaces the pattern.
    void setDateFormat(std::string pattern);
    void setDateStyle(DateFormatStyle style);
    void setTimeStyle(DateFormatStyle style);
    void setLocale(Locale locale);
    void setTimeZone(TimeZone zone);

    const Locale& locale() const noexcept;
    const TimeZone& timeZone() const noexcept;

    // UTF-8 text of the instant; empty when there is nothing to write (no pattern
    // and no style, an empty pattern) or the instant is outside the calendar's range.
    std::string string(Date date) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace platform
