#include "platform/core/internal/number_field_guard.h"

#include "platform/core/internal/date_pattern_items.h"

#include <unicode/dcfmtsym.h>
#include <unicode/numsys.h>
#include <unicode/decimfmt.h>
#include <unicode/smpdtfmt.h>
#include <unicode/udat.h>
#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace platform::icu_support {

namespace {

// The digits a number field is written with, beyond its width: no value within
// the calendar's range (about 950,000 years either side of 1970) has more.
constexpr int digitsOfAValue = 9;
// The longest run of digits any guard admits: ICU 72 divides by zero reading 35.
constexpr int longestDigitRunLimit = 30;

// Fields SimpleDateFormat writes and reads as numbers; the rest are names,
// zones or offsets, which are read by other means.
bool isNumberField(char16_t letter, int count) {
    switch (letter) {
    case u'y': case u'Y': case u'u': case u'r': case u'g': case u'A':
    case u'd': case u'D': case u'F': case u'w': case u'W':
    case u'h': case u'H': case u'k': case u'K': case u'm': case u's': case u'S':
        return true;
    case u'M': case u'L': case u'Q': case u'q': case u'e': case u'c':
        return count <= 2;
    default: return false;
    }
}

// Fields whose digits ICU 72 counts by Nd alone once read: it scales a fraction
// of a second by that count, and moves a year of two digits into the century
// around the present only when both are Nd. Written in other digits, ".二五〇"
// reads as 250 seconds and the "yy" year "二四" as 24 AD.
bool readsOnlyNdRight(char16_t letter, int count) {
    return letter == u'S' || ((letter == u'y' || letter == u'Y') && count == 2);
}

bool isFormatCharacter(UChar32 c) { return u_charType(c) == U_FORMAT_CHAR; }

int32_t skipFormatCharacters(const icu::UnicodeString& text, int32_t at) {
    while (at < text.length() && isFormatCharacter(text.char32At(at))) at = text.moveIndex32(at, 1);
    return at;
}

// A number symbol without the invisible format characters some locales put into
// their symbols; the text, too, is read past such characters.
icu::UnicodeString withoutFormatCharacters(const icu::UnicodeString& symbol) {
    icu::UnicodeString out;
    for (int32_t i = 0; i < symbol.length(); i = symbol.moveIndex32(i, 1)) {
        if (!isFormatCharacter(symbol.char32At(i))) out.append(symbol.char32At(i));
    }
    return out;
}

bool matchesCaselessly(const icu::UnicodeString& text, int32_t at, const icu::UnicodeString& word) {
    return !word.isEmpty() && text.caseCompare(at, word.length(), word, U_FOLD_CASE_DEFAULT) == 0;
}

constexpr icu::DecimalFormatSymbols::ENumberFormatSymbol digitSymbols[] = {
    icu::DecimalFormatSymbols::kZeroDigitSymbol,  icu::DecimalFormatSymbols::kOneDigitSymbol,
    icu::DecimalFormatSymbols::kTwoDigitSymbol,   icu::DecimalFormatSymbols::kThreeDigitSymbol,
    icu::DecimalFormatSymbols::kFourDigitSymbol,  icu::DecimalFormatSymbols::kFiveDigitSymbol,
    icu::DecimalFormatSymbols::kSixDigitSymbol,   icu::DecimalFormatSymbols::kSevenDigitSymbol,
    icu::DecimalFormatSymbols::kEightDigitSymbol, icu::DecimalFormatSymbols::kNineDigitSymbol};

// The digits of a number reader that are not Nd (ICU's reader takes every Nd
// digit whatever its numbering system, and these besides). A numbering
// system's digit is one code point.
std::vector<UChar32> otherDigitsOf(const icu::DecimalFormatSymbols& symbols) {
    std::vector<UChar32> digits;
    for (auto symbol : digitSymbols) {
        const icu::UnicodeString& digit = symbols.getSymbol(symbol);
        if (digit.isEmpty() || digit.countChar32() != 1) continue;
        if (!u_isdigit(digit.char32At(0))) digits.push_back(digit.char32At(0));
    }
    return digits;
}

// ICU 72 reads the not-a-number word and the infinity sign in a date's number
// field as 0, in every field, strict or lenient. Zeros in the word's place read
// alike where a number field reads the word, and break a name that holds it:
// as many zeros as the word has characters, as a strict reader wants a field's
// width, and for a word of two characters one zero too, as a year of two
// digits (but not of two letters) is moved into the present century.
constexpr int32_t wordLengthReadAsAYear = 2;

const icu::DecimalFormatSymbols* symbolsOf(const icu::NumberFormat* numbers) {
    const auto* decimal = dynamic_cast<const icu::DecimalFormat*>(numbers);
    return decimal ? decimal->getDecimalFormatSymbols() : nullptr;
}

// The pattern `format` writes and reads: a relative one's too, through ICU's C
// interface, which reaches its class (a UDateFormat is an icu::DateFormat).
std::optional<icu::UnicodeString> patternOf(const icu::DateFormat& format) {
    icu::UnicodeString pattern;
    if (const auto* simple = dynamic_cast<const icu::SimpleDateFormat*>(&format)) return simple->toPattern(pattern);
    UErrorCode status = U_ZERO_ERROR;
    const auto* asC = reinterpret_cast<const UDateFormat*>(&format);
    const int32_t length = udat_toPattern(asC, false, nullptr, 0, &status);
    if (status != U_BUFFER_OVERFLOW_ERROR || length <= 0) return std::nullopt;
    status = U_ZERO_ERROR;
    udat_toPattern(asC, false, pattern.getBuffer(length + 1), length + 1, &status);
    pattern.releaseBuffer(U_SUCCESS(status) ? length : 0);
    if (U_FAILURE(status)) return std::nullopt;
    return pattern;
}

bool isAlgorithmic(const icu::Locale& locale) {
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::NumberingSystem> system(icu::NumberingSystem::createInstance(locale, status));
    return U_FAILURE(status) || !system || system->isAlgorithmic();
}

// ICU's reading of the whole `text` by `format`.
std::optional<UDate> wholeReading(const icu::DateFormat& format, const icu::UnicodeString& text) {
    icu::ParsePosition position(0);
    const UDate millis = format.parse(text, position);
    if (position.getErrorIndex() >= 0 || position.getIndex() != text.length()) return std::nullopt;
    return millis;
}

} // namespace

NumberFieldGuard NumberFieldGuard::of(const icu::DateFormat& format, const icu::Locale& locale) {
    NumberFieldGuard guard;
    const auto* simple = dynamic_cast<const icu::SimpleDateFormat*>(&format);
    // A format without number readers of its own (relative day names) reads
    // with the locale's.
    std::optional<icu::DecimalFormatSymbols> localeNumbers;
    const icu::DecimalFormatSymbols* formatReader = symbolsOf(format.getNumberFormat());
    if (!formatReader) {
        UErrorCode status = U_ZERO_ERROR;
        localeNumbers.emplace(locale, status);
        if (U_SUCCESS(status)) formatReader = &*localeNumbers;
    }
    // An algorithmic numbering system (roman, hanidays...) reads numbers with
    // rules of its own, not as decimal numbers.
    guard.numberWordsReadAsZero_ = simple ? dynamic_cast<const icu::DecimalFormat*>(format.getNumberFormat()) != nullptr
                                          : !isAlgorithmic(locale);
    // The symbols of each number reader the formatter's number fields use,
    // and of those that read a fraction of a second or a two-digit year.
    std::vector<const icu::DecimalFormatSymbols*> readers;
    std::vector<const icu::DecimalFormatSymbols*> readersCountingNd;
    auto addReader = [&readers](const icu::DecimalFormatSymbols* symbols) {
        if (symbols && std::find(readers.begin(), readers.end(), symbols) == readers.end()) readers.push_back(symbols);
    };
    addReader(formatReader);

    if (const std::optional<icu::UnicodeString> pattern = patternOf(format)) {
        int run = 0, widest = 0;
        forEachDatePatternItem(
            *pattern,
            [&](char16_t letter, int count) {
                const bool number = isNumberField(letter, count);
                run = number ? run + std::max(count, digitsOfAValue) : 0;
                widest = std::max(widest, run);
                if (number) {
                    // A field may have a reader of its own (a numbering override).
                    const icu::DecimalFormatSymbols* symbols =
                        simple ? symbolsOf(simple->getNumberFormatForField(letter)) : formatReader;
                    if (!symbols) guard.numberWordsReadAsZero_ = false;
                    addReader(symbols);
                    if (symbols && readsOnlyNdRight(letter, count)) readersCountingNd.push_back(symbols);
                }
                return true;
            },
            [&](const icu::UnicodeString& text) {
                for (int32_t i = 0; i < text.length(); i = text.moveIndex32(i, 1)) {
                    run = u_isdigit(text.char32At(i)) ? run + 1 : 0;
                    widest = std::max(widest, run);
                }
                return true;
            });
        guard.longestRun_ = std::clamp(widest, digitsOfAValue, longestDigitRunLimit);
    }

    std::vector<icu::UnicodeString> words = {icu::UnicodeString(u"\u221E")};
    for (const icu::DecimalFormatSymbols* numbers : readers) {
        using Number = icu::DecimalFormatSymbols;
        for (UChar32 digit : otherDigitsOf(*numbers)) {
            if (!guard.isOtherDigit(digit)) guard.otherDigits_.push_back(digit);
        }
        icu::UnicodeString exponent = withoutFormatCharacters(numbers->getSymbol(Number::kExponentialSymbol));
        if (!exponent.isEmpty() &&
            std::find(guard.exponents_.begin(), guard.exponents_.end(), exponent) == guard.exponents_.end()) {
            guard.exponentStarts_.push_back(u_foldCase(exponent.char32At(0), U_FOLD_CASE_DEFAULT));
            guard.exponents_.push_back(std::move(exponent));
        }
        words.push_back(withoutFormatCharacters(numbers->getSymbol(Number::kInfinitySymbol)));
        words.push_back(withoutFormatCharacters(numbers->getSymbol(Number::kNaNSymbol)));
    }
    guard.misreadInOtherDigits_ = std::any_of(readersCountingNd.begin(), readersCountingNd.end(),
                                              [](const auto* symbols) { return !otherDigitsOf(*symbols).empty(); });

    for (icu::UnicodeString& word : words) {
        if (word.isEmpty()) continue;
        if (std::find(guard.numberWords_.begin(), guard.numberWords_.end(), word) != guard.numberWords_.end()) continue;
        guard.wordStarts_.push_back(u_foldCase(word.char32At(0), U_FOLD_CASE_DEFAULT));
        guard.numberWords_.push_back(std::move(word));
    }
    return guard;
}

bool NumberFieldGuard::isOtherDigit(UChar32 c) const {
    return std::find(otherDigits_.begin(), otherDigits_.end(), c) != otherDigits_.end();
}

bool NumberFieldGuard::digitAt(const icu::UnicodeString& text, int32_t at) const {
    if (at >= text.length()) return false;
    const UChar32 c = text.char32At(at);
    return u_isdigit(c) || isOtherDigit(c);
}

bool NumberFieldGuard::exponentAt(const icu::UnicodeString& text, int32_t at, bool signsAlone) const {
    at = skipFormatCharacters(text, at);
    for (const icu::UnicodeString& exponent : exponents_) {
        if (!matchesCaselessly(text, at, exponent)) continue;
        int32_t next = skipFormatCharacters(text, at + exponent.length());
        if (next < text.length() && !digitAt(text, next)) {
            const UChar32 sign = text.char32At(next);
            if (signsAlone && (u_isUWhiteSpace(sign) || u_isalpha(sign))) continue;
            next = skipFormatCharacters(text, text.moveIndex32(next, 1));   // past a sign
        }
        if (digitAt(text, next)) return true;
    }
    return false;
}

int32_t NumberFieldGuard::numberWordAt(const icu::UnicodeString& text, int32_t at, UChar32 folded) const {
    for (std::size_t i = 0; i < numberWords_.size(); ++i) {
        if (wordStarts_[i] == folded && matchesCaselessly(text, at, numberWords_[i])) return numberWords_[i].length();
    }
    return 0;
}

NumberFieldGuard::Check NumberFieldGuard::check(const icu::UnicodeString& text, bool signsAlone) const {
    Check found;
    const char16_t* units = text.getBuffer();
    const int32_t length = text.length();
    int run = 0;
    for (int32_t i = 0; i < length;) {
        const int32_t at = i;
        UChar32 c = 0;
        U16_NEXT(units, i, length, c);
        const bool ascii = c < 0x80;
        if (ascii ? (c >= u'0' && c <= u'9') : (u_isdigit(c) || (!otherDigits_.empty() && isOtherDigit(c)))) {
            if (++run > longestRun_) return found;
            if (misreadInOtherDigits_ && !ascii && !u_isdigit(c)) return found;
            continue;
        }
        const UChar32 folded =
            !ascii ? u_foldCase(c, U_FOLD_CASE_DEFAULT) : (c >= u'A' && c <= u'Z') ? c - u'A' + u'a' : c;
        // No ASCII character is a format character: one that does not start
        // an exponent ends the number.
        if (run > 0 && (!ascii || std::find(exponentStarts_.begin(), exponentStarts_.end(), folded) != exponentStarts_.end()) &&
            exponentAt(text, at, signsAlone)) {
            return found;
        }
        run = 0;
        if (const int32_t word = numberWordAt(text, at, folded)) {
            if (!numberWordsReadAsZero_ || found.numberWordCount == numberWordLimit) return found;
            found.numberWords[found.numberWordCount++] = {at, word};
        }
    }
    found.admitted = true;
    return found;
}

std::optional<UDate> NumberFieldGuard::read(const icu::DateFormat& format, const icu::UnicodeString& text) const {
    const Check found = check(text);
    if (!found.admitted) return std::nullopt;
    const std::optional<UDate> millis = wholeReading(format, text);
    if (!millis) return std::nullopt;
    // Whether the text with `zeros` zeros in the word's place reads as the
    // same instant. A text with zeros that this guard refuses is not given
    // to ICU, and the word counts as read: the zeros joined the digits either
    // side into too long a run, or made an exponent with what follows them.
    auto readsAlike = [&](const Place& place, int32_t zeros) {
        const icu::UnicodeString withZeros = icu::UnicodeString(text).replace(
            place.start, place.length, icu::UnicodeString(zeros, static_cast<UChar32>(u'0'), zeros));
        return !check(withZeros, true).admitted || wholeReading(format, withZeros) == *millis;
    };
    for (int i = 0; i < found.numberWordCount; ++i) {
        const Place& place = found.numberWords[i];
        if (readsAlike(place, place.length)) return std::nullopt;
        if (place.length == wordLengthReadAsAYear && readsAlike(place, 1)) return std::nullopt;
    }
    return millis;
}

} // namespace platform::icu_support
