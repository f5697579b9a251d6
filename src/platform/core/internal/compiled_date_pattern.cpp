#include "platform/core/internal/compiled_date_pattern.h"

#include "platform/core/internal/calendar_fields.h"
#include "platform/core/internal/date_pattern_items.h"
#include "platform/core/internal/icu_support.h"
#include "platform/core/julian_day_numbers.h"

#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/tzfmt.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <iterator>

// Each rule below restates what ICU 72's SimpleDateFormat does for the field
// (smpdtfmt.cpp: subFormat, zeroPaddingNumber, subParse, matchLiterals,
// matchString; tzfmt.cpp: the offset parsers). The comparison tests in
// tests/platform/core hold this file to ICU's answers.

namespace platform::icu_support {

namespace {

std::atomic<bool> enabled{true};

using astronomy::unixEpochDayNumber;
using calendar_fields::millisPerDay;
constexpr int firstYear = 1600;                             // safely after the 1582 switch
constexpr int lastYear = 9999;                              // four digits
const std::int64_t firstDay = astronomy::dayNumberOfCivilDate(firstYear, 1, 1) - unixEpochDayNumber;
const std::int64_t lastDay = astronomy::dayNumberOfCivilDate(lastYear, 12, 31) - unixEpochDayNumber;

// A DecimalFormat that writes a non-negative integer as plain ASCII digits with
// no grouping, affixes, rounding or padding: then ICU's date fields are the
// digits of the value, zero-filled to the field's width.
bool writesPlainDigits(const icu::NumberFormat* numbers) {
    const auto* decimal = dynamic_cast<const icu::DecimalFormat*>(numbers);
    if (!decimal) return false;
    icu::UnicodeString affix;
    if (!decimal->getPositivePrefix(affix).isEmpty() || !decimal->getPositiveSuffix(affix).isEmpty()) return false;
    if (decimal->isGroupingUsed() || decimal->areSignificantDigitsUsed() || decimal->isScientificNotation() ||
        decimal->getMultiplier() != 1 || decimal->getMultiplierScale() != 0 || decimal->getRoundingIncrement() != 0.0 ||
        decimal->getFormatWidth() > 0 || decimal->getMinimumFractionDigits() != 0 || decimal->isDecimalSeparatorAlwaysShown()) {
        return false;
    }
    const icu::DecimalFormatSymbols* symbols = decimal->getDecimalFormatSymbols();
    if (!symbols) return false;
    static constexpr icu::DecimalFormatSymbols::ENumberFormatSymbol digits[] = {
        icu::DecimalFormatSymbols::kZeroDigitSymbol,  icu::DecimalFormatSymbols::kOneDigitSymbol,
        icu::DecimalFormatSymbols::kTwoDigitSymbol,   icu::DecimalFormatSymbols::kThreeDigitSymbol,
        icu::DecimalFormatSymbols::kFourDigitSymbol,  icu::DecimalFormatSymbols::kFiveDigitSymbol,
        icu::DecimalFormatSymbols::kSixDigitSymbol,   icu::DecimalFormatSymbols::kSevenDigitSymbol,
        icu::DecimalFormatSymbols::kEightDigitSymbol, icu::DecimalFormatSymbols::kNineDigitSymbol};
    for (int i = 0; i < 10; ++i) {
        if (symbols->getSymbol(digits[i]) != icu::UnicodeString(static_cast<char16_t>(u'0' + i))) return false;
    }
    return true;
}

// `count` is read after the call that fills it: taken by reference, so the
// order in which the arguments are evaluated does not matter.
std::vector<std::string> namesOf(const icu::UnicodeString* names, const int32_t& count) {
    std::vector<std::string> out;
    for (int32_t i = 0; names && i < count; ++i) out.push_back(toUtf8(names[i]));
    return out;
}

bool allAscii(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        for (char c : name) {
            if (static_cast<unsigned char>(c) >= 0x80) return false;
        }
    }
    return true;
}

void appendZeroFilled(std::string& out, std::int64_t value, int width) {
    char digits[20];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int i = n; i < width; ++i) out += '0';
    while (n > 0) out += digits[--n];
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// ICU's match of one name at `at`, caseless, where a name's final "." may be
// missing from the text: the length of text it takes, or 0. Both are ASCII here,
// where ICU's full case folding is plain lower-casing.
std::size_t nameMatch(std::string_view text, std::size_t at, const std::string& name) {
    std::size_t same = 0;
    while (same < name.size() && at + same < text.size() && lower(text[at + same]) == lower(name[same])) ++same;
    if (same == name.size()) return same;
    if (!name.empty() && name.back() == '.' && same == name.size() - 1) return same;
    return 0;
}

// The longest match among `names` from `first` on; ties go to the earlier entry.
void longestMatch(std::string_view text, std::size_t at, const std::vector<std::string>& names, std::size_t first,
                  std::size_t& bestLength, int& bestIndex) {
    for (std::size_t i = first; i < names.size(); ++i) {
        const std::size_t length = nameMatch(text, at, names[i]);
        if (length > bestLength) {
            bestLength = length;
            bestIndex = static_cast<int>(i);
        }
    }
}

// A run of ASCII digits at `at`, between `fewest` and `most` long, followed by
// no further digit.
std::optional<int> digitsAt(std::string_view text, std::size_t& at, std::size_t fewest, std::size_t most) {
    std::size_t end = at;
    while (end < text.size() && isDigit(text[end])) ++end;
    const std::size_t length = end - at;
    if (length < fewest || length > most) return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < end; ++i) value = value * 10 + (text[i] - '0');
    at = end;
    return value;
}

} // namespace

void setCompiledDatePatternsEnabled(bool on) noexcept { enabled.store(on, std::memory_order_relaxed); }
bool compiledDatePatternsEnabled() noexcept { return enabled.load(std::memory_order_relaxed); }

std::unique_ptr<CompiledDatePattern> CompiledDatePattern::compile(const icu::SimpleDateFormat& format) {
    UErrorCode status = U_ZERO_ERROR;
    // A capitalisation context would title-case the first field.
    if (format.getContext(UDISPCTX_TYPE_CAPITALIZATION, status) != UDISPCTX_CAPITALIZATION_NONE || U_FAILURE(status)) {
        return nullptr;
    }
    const icu::Calendar* calendar = format.getCalendar();
    if (!calendar || std::strcmp(calendar->getType(), "gregorian") != 0) return nullptr;
    if (!writesPlainDigits(format.getNumberFormat())) return nullptr;
    const icu::DateFormatSymbols* symbols = format.getDateFormatSymbols();
    if (!symbols) return nullptr;
    int32_t count = 0;
    if (symbols->getLeapMonthPatterns(count) != nullptr) return nullptr;

    std::unique_ptr<CompiledDatePattern> compiled(new CompiledDatePattern(format));
    using Symbols = icu::DateFormatSymbols;
    compiled->wideMonths_ = namesOf(symbols->getMonths(count, Symbols::FORMAT, Symbols::WIDE), count);
    const int32_t wideMonthCount = count;
    compiled->shortMonths_ = namesOf(symbols->getMonths(count, Symbols::FORMAT, Symbols::ABBREVIATED), count);
    compiled->monthsTogether_ = wideMonthCount == count;
    compiled->wideWeekdays_ = namesOf(symbols->getWeekdays(count, Symbols::FORMAT, Symbols::WIDE), count);
    compiled->shortWeekdays_ = namesOf(symbols->getWeekdays(count, Symbols::FORMAT, Symbols::ABBREVIATED), count);

    icu::UnicodeString pattern;
    format.toPattern(pattern);
    std::string literal;
    const bool added = forEachDatePatternItem(
        pattern, [&](char16_t letter, int width) { return compiled->add(letter, width, literal); },
        [&](const icu::UnicodeString& text) {
            literal += toUtf8(text);
            return true;
        });
    if (!added) return nullptr;
    if (!literal.empty()) compiled->items_.push_back(Item{Field::literal, 0, std::move(literal)});
    compiled->readable_ = compiled->decideReadable();
    return compiled;
}

bool CompiledDatePattern::add(char16_t letter, int count, std::string& pendingLiteral) {
    Field field = Field::literal;
    bool numeric = true;
    switch (letter) {
    case u'y':
        if (count == 2 || count > 4) return false;   // two-digit years are truncated; wider ones padded another way
        field = Field::year;
        break;
    case u'M':
        if (count > 4) return false;
        field = count <= 2 ? Field::month : Field::monthName;
        numeric = count <= 2;
        if (!numeric && (wideMonths_.size() < 12 || shortMonths_.size() < 12)) return false;
        break;
    case u'd': field = Field::day; break;
    case u'H': field = Field::hour; break;
    case u'm': field = Field::minute; break;
    case u's': field = Field::second; break;
    case u'S':
        if (count > 3) return false;
        field = Field::fraction;
        break;
    case u'E':
        if (count > 4 || wideWeekdays_.size() < 8 || shortWeekdays_.size() < 8) return false;
        field = Field::weekday;
        numeric = false;
        break;
    case u'Z':
        if (count > 5) return false;
        field = Field::zone;
        numeric = false;
        break;
    default: return false;
    }
    if ((field == Field::day || field == Field::hour || field == Field::minute || field == Field::second) && count > 2) {
        return false;
    }
    // A field with a number format of its own (a numbering override) is not plain.
    if (numeric && format_.getNumberFormatForField(letter) != format_.getNumberFormat()) return false;
    if (!pendingLiteral.empty()) {
        items_.push_back(Item{Field::literal, 0, std::move(pendingLiteral)});
        pendingLiteral.clear();
    }
    items_.push_back(Item{field, count, {}});
    return true;
}

// Reading takes a pattern with a year, a month, a day and an offset, each once,
// and whose last item is a field (ICU trims the whitespace of a final literal).
// Two numbers side by side would be read by ICU's fixed-width rules.
bool CompiledDatePattern::decideReadable() const {
    auto isNumeric = [](Field field) {
        return field != Field::literal && field != Field::monthName && field != Field::weekday && field != Field::zone;
    };
    int seen[11] = {};
    const Item* before = nullptr;
    for (const Item& item : items_) {
        if (item.field != Field::literal) {
            if (++seen[static_cast<int>(item.field)] > 1) return false;
            if (before && isNumeric(before->field) && isNumeric(item.field)) return false;
            if (item.field == Field::zone && item.count > 3) return false;
        }
        before = &item;
    }
    if (items_.empty() || items_.back().field == Field::literal) return false;
    const bool hasMonth = seen[static_cast<int>(Field::month)] + seen[static_cast<int>(Field::monthName)] == 1;
    if (!hasMonth || !seen[static_cast<int>(Field::year)] || !seen[static_cast<int>(Field::day)] ||
        !seen[static_cast<int>(Field::zone)]) {
        return false;
    }
    if (seen[static_cast<int>(Field::monthName)] && (!allAscii(wideMonths_) || !allAscii(shortMonths_))) return false;
    if (seen[static_cast<int>(Field::weekday)] && (!allAscii(wideWeekdays_) || !allAscii(shortWeekdays_))) return false;
    return true;
}

const std::string* CompiledDatePattern::offsetText(int count, std::int32_t offsetMillis) const {
    if (offsetMillis == lastOffset_ && count == lastOffsetCount_) return &lastOffsetText_;
    const icu::TimeZoneFormat* zoneFormat = format_.getTimeZoneFormat();
    if (!zoneFormat) return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString text;
    // The styles SimpleDateFormat asks for: Z to ZZZ ISO 8601 basic, ZZZZ the
    // localized GMT format, ZZZZZ ISO 8601 extended with "Z" for zero.
    if (count < 4) {
        zoneFormat->formatOffsetISO8601Basic(offsetMillis, false, false, false, text, status);
    } else if (count == 5) {
        zoneFormat->formatOffsetISO8601Extended(offsetMillis, true, false, false, text, status);
    } else {
        zoneFormat->formatOffsetLocalizedGMT(offsetMillis, text, status);
    }
    if (U_FAILURE(status) || text.isBogus()) return nullptr;
    lastOffsetText_ = toUtf8(text);
    lastOffset_ = offsetMillis;
    lastOffsetCount_ = count;
    return &lastOffsetText_;
}

std::optional<std::string> CompiledDatePattern::format(UDate millis) const {
    if (!std::isfinite(millis)) return std::nullopt;
    // Calendar::computeFields: the zone's offset at the instant, then whole days
    // and milliseconds of the local wall time.
    UErrorCode status = U_ZERO_ERROR;
    int32_t raw = 0, dst = 0;
    format_.getTimeZone().getOffset(millis, false, raw, dst, status);
    if (U_FAILURE(status)) return std::nullopt;
    const std::int32_t offset = raw + dst;
    const double local = millis + offset;
    const double dayQuotient = std::floor(local / millisPerDay);
    if (!(dayQuotient >= static_cast<double>(firstDay) && dayQuotient <= static_cast<double>(lastDay))) {
        return std::nullopt;
    }
    const auto days = static_cast<std::int64_t>(dayQuotient);
    const auto millisInDay = static_cast<std::int32_t>(std::floor(local) - dayQuotient * millisPerDay);
    const astronomy::CivilDate civil = astronomy::civilDateOfDayNumber(days + unixEpochDayNumber);
    const int weekday = static_cast<int>(astronomy::floorModulo(days + unixEpochDayNumber + 1, 7)) + 1;   // 1 Sunday

    std::string out;
    out.reserve(40);
    for (const Item& item : items_) {
        switch (item.field) {
        case Field::literal: out += item.text; break;
        case Field::year: appendZeroFilled(out, civil.year, item.count); break;
        case Field::month: appendZeroFilled(out, civil.month, item.count); break;
        case Field::monthName:
            out += (item.count == 4 ? wideMonths_ : shortMonths_)[static_cast<std::size_t>(civil.month - 1)];
            break;
        case Field::day: appendZeroFilled(out, civil.day, item.count); break;
        case Field::hour: appendZeroFilled(out, millisInDay / 3'600'000, item.count); break;
        case Field::minute: appendZeroFilled(out, millisInDay / 60'000 % 60, item.count); break;
        case Field::second: appendZeroFilled(out, millisInDay / 1000 % 60, item.count); break;
        case Field::fraction: {
            int value = millisInDay % 1000;
            if (item.count == 1) value /= 100;
            if (item.count == 2) value /= 10;
            appendZeroFilled(out, value, item.count);
            break;
        }
        case Field::weekday:
            out += (item.count == 4 ? wideWeekdays_ : shortWeekdays_)[static_cast<std::size_t>(weekday)];
            break;
        case Field::zone: {
            const std::string* text = offsetText(item.count, offset);
            if (!text) return std::nullopt;
            out += *text;
            break;
        }
        }
    }
    return out;
}

// The length of the month or weekday name ICU's lenient parser takes at `at`
// (0 for none), and its index.
std::size_t CompiledDatePattern::matchName(std::string_view text, std::size_t at, Field field, int& index) const {
    std::size_t length = 0;
    index = -1;
    if (field == Field::weekday) {
        // Wide names first, then abbreviated; entry 0 is empty (Sunday is 1).
        longestMatch(text, at, wideWeekdays_, 1, length, index);
        if (length == 0) longestMatch(text, at, shortWeekdays_, 1, length, index);
        return length;
    }
    if (monthsTogether_) {
        // One pass over both lists: the longest wins, a wide name on a tie.
        longestMatch(text, at, wideMonths_, 0, length, index);
        longestMatch(text, at, shortMonths_, 0, length, index);
        return length;
    }
    longestMatch(text, at, wideMonths_, 0, length, index);
    if (length == 0) longestMatch(text, at, shortMonths_, 0, length, index);
    return length;
}

std::optional<UDate> CompiledDatePattern::parseLenient(std::string_view text) const {
    constexpr std::size_t longestText = 128;
    if (!readable_ || text.empty() || text.size() > longestText) return std::nullopt;
    for (char c : text) {
        if (c == '\0' || static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
    }
    // Each number's digits and range, by field; the weekday is read as a name.
    struct NumberRule {
        std::size_t fewest, most;
        int low, high;
    };
    static constexpr NumberRule numberRules[] = {
        {0, 0, 0, 0},                    // literal
        {4, 4, firstYear, lastYear},   // year: four digits, so no two-digit-year window
        {1, 2, 1, 12},                   // month
        {0, 0, 0, 0},                    // month name
        {1, 2, 1, 31},                   // day
        {1, 2, 0, 23},                   // hour
        {1, 2, 0, 59},                   // minute
        {1, 2, 0, 59},                   // second
        {3, 3, 0, 999},                  // fraction: milliseconds
    };
    static_assert(std::size(numberRules) == static_cast<std::size_t>(Field::fraction) + 1, "one rule per field up to the fraction");
    int values[std::size(numberRules)] = {};
    std::int32_t offset = 0;
    std::size_t at = 0;
    for (const Item& item : items_) {
        const auto slot = static_cast<std::size_t>(item.field);
        switch (item.field) {
        case Field::literal:
            // The exact literal: ICU's lenient literal matching then ends where
            // this does, since the fields skip the whitespace it leaves.
            if (text.substr(at, item.text.size()) != item.text) return std::nullopt;
            at += item.text.size();
            continue;
        case Field::year:
        case Field::month:
        case Field::day:
        case Field::hour:
        case Field::minute:
        case Field::second:
        case Field::fraction: {
            const NumberRule& rule = numberRules[slot];
            const std::optional<int> value = digitsAt(text, at, rule.fewest, rule.most);
            if (!value || *value < rule.low || *value > rule.high) return std::nullopt;
            values[slot] = *value;
            continue;
        }
        case Field::monthName:
        case Field::weekday: {
            int index = -1;
            const std::size_t length = matchName(text, at, item.field, index);
            if (length == 0) return std::nullopt;
            at += length;
            // The weekday plays no part: the day of the month decides the date.
            if (item.field == Field::monthName) {
                if (index < 0 || index > 11) return std::nullopt;
                values[static_cast<std::size_t>(Field::month)] = index + 1;
            }
            continue;
        }
        case Field::zone: {
            // "+hhmm" / "-hhmm" (ISO 8601 basic) anywhere, or "GMT" / "UTC"
            // closing the text (the localized GMT zero format ICU falls back to).
            const std::string_view rest = text.substr(at);
            if (rest == "GMT" || rest == "UTC") {
                offset = 0;
                at = text.size();
                continue;
            }
            if (rest.empty() || (rest[0] != '+' && rest[0] != '-')) return std::nullopt;
            std::size_t digitsStart = at + 1;
            const std::optional<int> value = digitsAt(text, digitsStart, 4, 4);
            if (!value || *value / 100 > 23 || *value % 100 > 59) return std::nullopt;
            offset = (*value / 100 * 3'600'000 + *value % 100 * 60'000) * (rest[0] == '-' ? -1 : 1);
            at = digitsStart;
            continue;
        }
        }
    }
    if (at != text.size()) return std::nullopt;
    // Calendar::computeTime for fields in range and a fixed offset.
    auto value = [&values](Field field) { return values[static_cast<std::size_t>(field)]; };
    const astronomy::CivilDate civil{value(Field::year), value(Field::month), value(Field::day)};
    const std::int64_t dayNumber = astronomy::dayNumberOfCivilDate(civil.year, civil.month, civil.day);
    if (astronomy::civilDateOfDayNumber(dayNumber) != civil) return std::nullopt;   // 30 February and the like
    const double dayMillis = static_cast<double>(dayNumber - unixEpochDayNumber) * millisPerDay;
    const std::int32_t millisInDay =
        ((value(Field::hour) * 60 + value(Field::minute)) * 60 + value(Field::second)) * 1000 + value(Field::fraction);
    return dayMillis + millisInDay - offset;
}

} // namespace platform::icu_support
