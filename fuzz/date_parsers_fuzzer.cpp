// Hostile texts through the toolkit's three readers: a pattern (ISO with
// milliseconds), rss with its "Z" rule, and the dotNet reader, in the
// toolkit's locale or in one the input names, with a numbering system of its
// own ("zh@numbers=hanidec"). Whatever the bytes, each reader answers a date
// or none, without a crash, a hang or undefined behaviour. A date that is read
// writes a text that reads back as the same instant, where the format can
// write it: a pattern without an era only holds years of our era, and a
// fraction of a second written in digits that are no decimal digits of
// Unicode (Chinese 〇一二…) is refused, as ICU misreads it. A text in the
// locale's own digits reads as the same text in Latin digits, where both
// read. Every date read from these formats is whole in the format's unit (a
// millisecond, a second for rss), so the same instant is the same to the
// double.
//
// The first byte picks the reader (its two low bits). With its high bit set,
// a locale identifier follows, ended by a newline. With the bit below it set,
// a pattern of the input's own follows, ended by a newline, which the pattern
// reader takes instead of ISO's: of such a pattern only an answer is asked,
// as a pattern need not write what it reads. The rest is the text.

#include "datehelper/date_formatting.h"
#include "datehelper/date_parsing.h"
#include "fuzz_check.h"
#include "platform/core/locale.h"
#include "platform/core/time_zone.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace {

// 2 January 1 AD, 00:00 UTC (Julian): from here on the year is of our era in
// every zone.
constexpr double surelyOurEra = -62135769600.0 + 86400.0;

constexpr std::size_t longestLocaleIdentifier = 48;

bool isIdentifierCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
           c == '@' || c == '=' || c == ';';
}

constexpr std::size_t longestPattern = 96;

// The line an input holds before its text, of at most `longest` bytes each
// of which `allowed` takes; none where it holds none such.
template <typename Allowed>
std::optional<std::string> leadingLine(std::string_view& text, std::size_t longest, Allowed allowed) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos || end == 0 || end > longest) return std::nullopt;
    for (char c : text.substr(0, end)) {
        if (!allowed(c)) return std::nullopt;
    }
    std::string line(text.substr(0, end));
    text.remove_prefix(end + 1);
    return line;
}

// The digits 0 to 9 as `locale` writes a date's numbers (UTF-8, one character
// each), or none where they are Latin or not one character each.
struct Digits {
    std::array<std::string, 10> digits;
    bool allDecimal = true;   // every one is a decimal digit of Unicode
};

std::optional<Digits> ownDigits(const platform::Locale& locale) {
    static std::map<std::string, std::optional<Digits>> known;
    if (auto it = known.find(locale.identifier()); it != known.end()) return it->second;
    if (known.size() > 256) known.clear();
    Digits found;
    bool usable = true;
    for (int i = 0; i < 10 && usable; ++i) {
        const std::string written =
            datehelper::toString(platform::Date::fromSecondsSince1970(i * 3600.0),
                                 datehelper::DateFormatType::custom("H"), datehelper::TimeZoneType::utc(), locale);
        const icu::UnicodeString digit = icu::UnicodeString::fromUTF8(written);
        usable = digit.countChar32() == 1 && written != std::string(1, static_cast<char>('0' + i));
        found.digits[static_cast<std::size_t>(i)] = written;
        found.allDecimal = found.allDecimal && u_isdigit(digit.char32At(0));
    }
    return known[locale.identifier()] = usable ? std::optional<Digits>(found) : std::nullopt;
}

// `text` with each of `digits` put in Latin.
std::string inLatinDigits(std::string text, const Digits& digits) {
    for (std::size_t i = 0; i < digits.digits.size(); ++i) {
        for (std::size_t at = text.find(digits.digits[i]); at != std::string::npos; at = text.find(digits.digits[i], at + 1)) {
            text.replace(at, digits.digits[i].size(), 1, static_cast<char>('0' + i));
        }
    }
    return text;
}

// The instant `date` written in `format` by the writer `write` reads back by
// `read` as itself; a text with digits that are not decimal digits of Unicode
// may be refused where the format has a fraction of a second.
template <typename Write, typename Read>
void checkRoundTrip(platform::Date date, const datehelper::DateFormatType& format, Write write, Read read,
                    const std::optional<Digits>& digits) {
    const bool hasEra = format.kind() == datehelper::DateFormatType::Kind::dotNet ||
                        format.stringFormat().find('G') != std::string::npos;
    if (!hasEra && date.secondsSince1970() < surelyOurEra) return;
    const std::string written = write(date);
    const auto again = read(written);
    const bool misreadByIcu = digits && !digits->allDecimal && format.stringFormat().find('S') != std::string::npos;
    FUZZ_CHECK(again.has_value() || misreadByIcu);
    if (again) FUZZ_CHECK(*again == date);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 4096) return 0;
    using namespace datehelper;
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    platform::Locale locale = defaultLocale();
    if (data[0] & 0x80) {
        const auto identifier = leadingLine(text, longestLocaleIdentifier, isIdentifierCharacter);
        if (!identifier) return 0;
        locale = platform::Locale::withIdentifier(*identifier);
    }
    if (data[0] & 0x40) {
        const auto pattern = leadingLine(text, longestPattern, [](char c) { return c != '\0'; });
        if (!pattern) return 0;
        const DateFormatType own = DateFormatType::custom(*pattern);
        static_cast<void>(dateFromString(text, own, TimeZoneType::utc(), locale));
        static_cast<void>(toDate(text, own));
        return 0;
    }
    DateFormatType format = DateFormatType::isoDateTimeMilliSec();
    switch (data[0] % 4) {
    case 0: break;
    case 1: format = DateFormatType::rss(); break;
    case 2: format = DateFormatType::dotNet(); break;
    default: format = DateFormatType::custom("EEE, dd MMM yyyy HH:mm:ss.SSS ZZZZ G"); break;
    }
    const std::optional<Digits> digits = ownDigits(locale);
    auto lenient = [&](std::string_view t) { return dateFromString(t, format, TimeZoneType::utc(), locale); };
    if (const auto date = lenient(text)) {
        checkRoundTrip(
            *date, format, [&](platform::Date d) { return toString(d, format, TimeZoneType::utc(), locale); }, lenient,
            digits);
        if (digits) {
            const std::string latin = inLatinDigits(std::string(text), *digits);
            if (const auto inLatin = lenient(latin)) FUZZ_CHECK(*inLatin == *date);
        }
    }
    // The strict reader, in the user's zone and locale; it knows no dotNet.
    const auto strict = toDate(text, format);
    if (strict && format.kind() != DateFormatType::Kind::dotNet) {
        checkRoundTrip(
            *strict, format,
            [&](platform::Date d) { return toString(d, format, TimeZoneType::local(), platform::Locale::current()); },
            [&](std::string_view t) { return toDate(t, format); }, ownDigits(platform::Locale::current()));
    }
    return 0;
}
