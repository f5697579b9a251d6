#pragma once
// A shorter way through ICU's date formatter for the patterns the program uses
// most: numbers (y, M, d, H, m, s, S), abbreviated and wide month and weekday
// names (MMM, MMMM, E to EEEE) and zone offsets (Z to ZZZZZ). ICU spends most
// of a call on its general number formatting and parsing and on creating a zone
// object for every offset it reads; for these fields the result can be written
// and read directly.
//
// Contract: every answer is exactly the one the ICU formatter it was compiled
// from gives for the same input, or there is no answer (std::nullopt) and the
// caller asks ICU. It declines whenever it cannot be sure: digits other than
// ASCII, names that are not plain ASCII, years outside 1600-9999, zone offsets
// with seconds, values beyond their unit's range, texts that are not ASCII or
// stray from the shape the pattern writes. Reading is for lenient formatters
// only, and only for texts that carry their own zone offset.
//
// One object belongs to one ICU formatter on one thread (it remembers the last
// zone offset it wrote). Private to src/platform/core.

#include <unicode/smpdtfmt.h>
#include <unicode/utypes.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::icu_support {

class CompiledDatePattern {
public:
    // nullptr when the formatter's pattern has a field outside the set above, or
    // its locale writes numbers in a way this does not follow. `format` must
    // outlive the result, unchanged.
    static std::unique_ptr<CompiledDatePattern> compile(const icu::SimpleDateFormat& format);

    // The text of the instant (milliseconds since 1970, as ICU counts them).
    std::optional<std::string> format(UDate millis) const;

    // The instant a lenient parse of the whole `text` gives.
    std::optional<UDate> parseLenient(std::string_view text) const;

private:
    enum class Field : std::uint8_t { literal, year, month, monthName, day, hour, minute, second, fraction, weekday, zone };
    struct Item {
        Field field = Field::literal;
        int count = 0;
        std::string text;   // literal text, UTF-8
    };

    explicit CompiledDatePattern(const icu::SimpleDateFormat& format) : format_(format) {}
    bool add(char16_t letter, int count, std::string& pendingLiteral);
    bool decideReadable() const;
    std::size_t matchName(std::string_view text, std::size_t at, Field field, int& index) const;
    const std::string* offsetText(int count, std::int32_t offsetMillis) const;

    const icu::SimpleDateFormat& format_;
    std::vector<Item> items_;
    // UTF-8 names as ICU writes them: months from January, weekdays from Sunday.
    std::vector<std::string> wideMonths_, shortMonths_, wideWeekdays_, shortWeekdays_;
    bool monthsTogether_ = false;   // ICU reads wide and short months in one pass
    bool readable_ = false;

    mutable std::int32_t lastOffset_ = 0;
    mutable int lastOffsetCount_ = 0;
    mutable std::string lastOffsetText_;
};

// Tests compare this path with ICU's own: switched off (for the whole process),
// every formatter goes through ICU. On by default.
void setCompiledDatePatternsEnabled(bool enabled) noexcept;
bool compiledDatePatternsEnabled() noexcept;

} // namespace platform::icu_support
