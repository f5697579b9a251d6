#pragma once
// Date text in a locale and a time zone, from a UTS #35 pattern ("EEE dd MMM
// yyyy") or from the locale's own date and time styles. A new formatter takes
// the current locale and time zone; setters change them for this formatter only.
// Dates are always Gregorian (Julian before 15 October 1582), whatever calendar
// the locale would choose. Constructing one is cheap: the ICU formatters behind
// it are built once per thread and reused. The locale's own pattern for a set
// of fields comes from localizedDateFormat.

#include "platform/core/date.h"
#include "platform/core/locale.h"
#include "platform/core/time_zone.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class DateFormatStyle : std::uint8_t { none, shortStyle, medium, longStyle, full };

// Widths of weekday and month names: "Sunday", "Sun", "S" in English.
enum class SymbolWidth : std::uint8_t { wide, abbreviated, narrow };

class DateFormatter {
public:
    DateFormatter();
    ~DateFormatter();
    DateFormatter(const DateFormatter&);
    DateFormatter& operator=(const DateFormatter&);
    // A moved-from formatter writes and reads nothing and reports en_US_POSIX
    // and UTC, until a setter gives it a new formatter's settings with that one
    // change (or another formatter is assigned to it).
    DateFormatter(DateFormatter&&) noexcept;
    DateFormatter& operator=(DateFormatter&&) noexcept;

    // A pattern replaces the styles, and a style replaces the pattern.
    void setDateFormat(std::string pattern);
    void setDateStyle(DateFormatStyle style);
    void setTimeStyle(DateFormatStyle style);
    void setLocale(Locale locale);
    void setTimeZone(TimeZone zone);

    // With a date style, the locale's words for the days around today ("today",
    // "tomorrow", "yesterday"...) take the place of the date where they apply.
    // Today is the present day in the formatter's zone at the moment of writing.
    void setDoesRelativeDateFormatting(bool relative);
    // A lenient parser also reads texts that stray from the pattern (numbers
    // where names belong, values beyond their range running on into the next
    // unit); a strict one reads only what the pattern writes. Strict by default.
    void setLenient(bool lenient);

    const Locale& locale() const noexcept;
    const TimeZone& timeZone() const noexcept;

    // UTF-8 text of the instant; empty when there is nothing to write (no pattern
    // and no style, an empty pattern) or the instant is outside the calendar's range.
    std::string string(Date date) const;

    // The instant the whole of `text` (UTF-8) writes: std::nullopt when the text
    // does not read as one, when characters are left over after the date, or when
    // it lies outside the calendar's range. Fields the text leaves out take their
    // lowest values (1 January 1970 for a pattern without a year, midnight for one
    // without a time); without a zone in the text it is read in the formatter's.
    // Number fields are read as digits alone (a year may keep a minus): the
    // decimal digits of any script, and those of the locale's numbering system
    // where they are not such (Chinese 〇一二… under "@numbers=hanidec"). A text
    // with an exponent ("07.8E10"), an infinity sign or a not-a-number word
    // where a number field is read is none; the word within a name ("Fernando
    // de Noronha Standard Time") is read, where the locale's numbers are
    // decimal rather than Roman or other lettered ones. So is a text with a
    // run of more than nine digits, counted by character, or of as many as the
    // pattern writes where that is more ("yyyyMMdd" abuts its fields), but
    // never of more than 30. Where the pattern has a fraction of a second or a
    // two-digit year, a text with digits that are not decimal digits of Unicode
    // is none: ICU misreads those fields in them (internal/number_field_guard.h).
    std::optional<Date> date(std::string_view text) const;

    // The locale's weekday names in the form that stands inside a date (Russian
    // months there are genitive: "января"), Sunday first, and its month names,
    // January first. Empty when the locale has none.
    std::vector<std::string> weekdaySymbols(SymbolWidth width) const;
    std::vector<std::string> monthSymbols(SymbolWidth width) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The pattern in which `locale` writes the fields a template names, by their
// letters and widths; their order and any other text in the template do not
// count: "yMMMMd" is "d MMMM y" in en_GB and "MMMM d, y" in en_US. Empty for a
// template that names no field.
std::string localizedDateFormat(std::string_view dateTemplate, const Locale& locale = Locale::current());

} // namespace platform
