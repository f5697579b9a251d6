#include "platform/core/internal/number_field_guard.h"

#include "platform/core/internal/date_pattern_items.h"

#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/smpdtfmt.h>
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

bool isFormatCharacter(UChar32 c) { return u_charType(c) == U_FORMAT_CHAR; }

int32_t skipFormatCharacters(const icu::UnicodeString& text, int32_t at) {
    while (at < text.length() && isFormatCharacter(text.char32At(at))) at = text.moveIndex32(at, 1);
    return at;
}

bool isDigitAt(const icu::UnicodeString& text, int32_t at) {
    return at < text.length() && u_isdigit(text.char32At(at));
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
        if (!guard.exponent_.isEmpty()) {
            guard.exponentStart_ = u_foldCase(guard.exponent_.char32At(0), U_FOLD_CASE_DEFAULT);
        }
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
        guard.wordStarts_.push_back(u_foldCase(word.char32At(0), U_FOLD_CASE_DEFAULT));
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

bool NumberFieldGuard::numberWordAt(const icu::UnicodeString& text, int32_t at, UChar32 folded) const {
    for (std::size_t i = 0; i < numberWords_.size(); ++i) {
        if (wordStarts_[i] == folded && matchesCaselessly(text, at, numberWords_[i])) return true;
    }
    return false;
}

bool NumberFieldGuard::admits(const icu::UnicodeString& text) const {
    const char16_t* units = text.getBuffer();
    const int32_t length = text.length();
    int run = 0;
    for (int32_t i = 0; i < length;) {
        const int32_t at = i;
        UChar32 c = 0;
        U16_NEXT(units, i, length, c);
        const bool ascii = c < 0x80;
        if (ascii ? (c >= u'0' && c <= u'9') : u_isdigit(c)) {
            if (++run > longestRun_) return false;
            continue;
        }
        const UChar32 folded =
            !ascii ? u_foldCase(c, U_FOLD_CASE_DEFAULT) : (c >= u'A' && c <= u'Z') ? c - u'A' + u'a' : c;
        // No ASCII character is a format character: one that does not start
        // the exponent ends the number.
        if (run > 0 && (!ascii || folded == exponentStart_) && exponentAt(text, at)) return false;
        run = 0;
        if (numberWordAt(text, at, folded)) return false;
    }
    return true;
}

} // namespace platform::icu_support
