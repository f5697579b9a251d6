#pragma once
// The items of a UTS #35 date pattern as ICU's SimpleDateFormat reads them: a
// run of one letter (A-Z, a-z) outside quotes is a field of that letter and
// width; everything else is literal text, with quotes removed and '' standing
// for one quote. Private to src/platform/core.

#include <unicode/unistr.h>

namespace platform::icu_support {

inline bool isDatePatternLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// Calls field(letter, count) for each field and literal(text) for the literal
// text before it and for any after the last, in pattern order; each literal
// stretch comes in one call, never empty. Stops at the first call that returns
// false, and then returns false.
template <typename OnField, typename OnLiteral>
bool forEachDatePatternItem(const icu::UnicodeString& pattern, OnField field, OnLiteral literal) {
    icu::UnicodeString text;
    bool inQuote = false;
    char16_t letter = 0;
    int repeat = 0;
    auto flush = [&] {
        if (!text.isEmpty() && !literal(static_cast<const icu::UnicodeString&>(text))) return false;
        text.remove();
        if (repeat > 0 && !field(letter, repeat)) return false;
        repeat = 0;
        return true;
    };
    for (int32_t i = 0; i < pattern.length(); ++i) {
        const char16_t c = pattern.charAt(i);
        if (repeat > 0 && c != letter && !flush()) return false;
        if (c == u'\'') {
            if (i + 1 < pattern.length() && pattern.charAt(i + 1) == u'\'') {
                text += u'\'';
                ++i;
            } else {
                inQuote = !inQuote;
            }
        } else if (!inQuote && isDatePatternLetter(c)) {
            letter = c;
            ++repeat;
        } else {
            text += c;
        }
    }
    return flush();
}

} // namespace platform::icu_support
