#include "platform/core/internal/number_field_guard.h"

#include "platform/core/internal/date_pattern_items.h"

#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/smpdtfmt.h>
#include <unicode/uchar.h>

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

bool isFormatCharacter(UChar32 c) { return u_charType(c) == U_FORMAT_CHAR; }

int32_t skipFormatCharacters(const icu::UnicodeString& text, int32_t at) {
    while (at < text.length() && isFormatCharacter(text.char32At(at))) at = text.moveIndex32(at, 1);
    return at;
}

bool isDigitAt(const icu::UnicodeString& text, int32_t at) {
    return at < text.length() && u_isdigit(text.char32At(at));
}

// Symbols as ICU's reader matches them: the invisible marks some locales put
// around them (the Persian minus is U+200E U+2212) are skipped in the text.
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

// The pattern's literal text and the locale's date names, case-folded: a
// number word found here can stand in a date text.
icu::UnicodeString foldedDateWords(const icu::DateFormatSymbols& symbols, const icu::UnicodeString& literals) {
    icu::UnicodeString words = literals;
    auto add = [&words](const icu::UnicodeString* names, int32_t count) {
        for (int32_t i = 0; names && i < count; ++i) words.append(u'\n').append(names[i]);
    };
    using Symbols = icu::DateFormatSymbols;
    int32_t count = 0;
    for (auto context : {Symbols::FORMAT, Symbols::STANDALONE}) {
        for (auto width : {Symbols::WIDE, Symbols::ABBREVIATED}) {
            const icu::UnicodeString* names = symbols.getMonths(count, context, width);
            add(names, count);
            names = symbols.getWeekdays(count, context, width);
            add(names, count);
            names = symbols.getQuarters(count, context, width);
            add(names, count);
        }
    }
    const icu::UnicodeString* names = symbols.getEras(count);
    add(names, count);
    names = symbols.getEraNames(count);
    add(names, count);
    names = symbols.getAmPmStrings(count);
    add(names, count);
    return words.foldCase();
}

} // namespace

NumberFieldGuard NumberFieldGuard::of(const icu::DateFormat& format, const icu::Locale& locale) {
    NumberFieldGuard guard;
    icu::UnicodeString literals;
    const auto* simple = dynamic_cast<const icu::SimpleDateFormat*>(&format);
    if (simple) {
        icu::UnicodeString pattern;
        simple->toPattern(pattern);
        int run = 0, widest = 0;
        forEachDatePatternItem(
            pattern,
            [&](char16_t letter, int count) {
                run = isNumberField(letter, count) ? run + std::max(count, digitsOfAValue) : 0;
                widest = std::max(widest, run);
                return true;
            },
            [&](const icu::UnicodeString& text) {
                literals += text;
                for (int32_t i = 0; i < text.length(); i = text.moveIndex32(i, 1)) {
                    run = u_isdigit(text.char32At(i)) ? run + 1 : 0;
                    widest = std::max(widest, run);
                }
                return true;
            });
        guard.longestRun_ = std::clamp(widest, digitsOfAValue, longestDigitRunLimit);
    }

    UErrorCode status = U_ZERO_ERROR;
    std::optional<icu::DecimalFormatSymbols> localeNumbers;
    const icu::DecimalFormatSymbols* numbers = nullptr;
    if (const auto* decimal = dynamic_cast<const icu::DecimalFormat*>(format.getNumberFormat())) {
        numbers = decimal->getDecimalFormatSymbols();
    }
    if (!numbers) {
        localeNumbers.emplace(locale, status);
        if (U_SUCCESS(status)) numbers = &*localeNumbers;
    }
    std::vector<icu::UnicodeString> words = {icu::UnicodeString(u"\u221E")};
    if (numbers) {
        using Number = icu::DecimalFormatSymbols;
        guard.exponent_ = withoutFormatCharacters(numbers->getSymbol(Number::kExponentialSymbol));
        words.push_back(withoutFormatCharacters(numbers->getSymbol(Number::kInfinitySymbol)));
        words.push_back(withoutFormatCharacters(numbers->getSymbol(Number::kNaNSymbol)));
    }

    std::unique_ptr<icu::DateFormatSymbols> localeNames;
    const icu::DateFormatSymbols* names = simple ? simple->getDateFormatSymbols() : nullptr;
    if (!names) {
        status = U_ZERO_ERROR;
        localeNames = std::make_unique<icu::DateFormatSymbols>(locale, status);
        if (U_SUCCESS(status)) names = localeNames.get();
    }
    const icu::UnicodeString dateWords =
        names ? foldedDateWords(*names, literals) : icu::UnicodeString(literals).foldCase();
    for (icu::UnicodeString& word : words) {
        if (word.isEmpty() || dateWords.indexOf(icu::UnicodeString(word).foldCase()) >= 0) continue;
        if (std::find(guard.numberWords_.begin(), guard.numberWords_.end(), word) != guard.numberWords_.end()) continue;
        guard.numberWords_.push_back(std::move(word));
    }
    return guard;
}

bool NumberFieldGuard::exponentAt(const icu::UnicodeString& text, int32_t at) const {
    at = skipFormatCharacters(text, at);
    if (!matchesCaselessly(text, at, exponent_)) return false;
    at = skipFormatCharacters(text, at + exponent_.length());
    if (at < text.length() && !isDigitAt(text, at)) {
        at = skipFormatCharacters(text, text.moveIndex32(at, 1));   // past a sign
    }
    return isDigitAt(text, at);
}

bool NumberFieldGuard::numberWordAt(const icu::UnicodeString& text, int32_t at) const {
    const UChar32 first = u_foldCase(text.char32At(at), U_FOLD_CASE_DEFAULT);
    for (const icu::UnicodeString& word : numberWords_) {
        if (u_foldCase(word.char32At(0), U_FOLD_CASE_DEFAULT) == first && matchesCaselessly(text, at, word)) {
            return true;
        }
    }
    return false;
}

bool NumberFieldGuard::admits(const icu::UnicodeString& text) const {
    int run = 0;
    for (int32_t i = 0; i < text.length(); i = text.moveIndex32(i, 1)) {
        if (u_isdigit(text.char32At(i))) {
            if (++run > longestRun_) return false;
            continue;
        }
        if (run > 0 && exponentAt(text, i)) return false;
        run = 0;
        if (numberWordAt(text, i)) return false;
    }
    return true;
}

} // namespace platform::icu_support
