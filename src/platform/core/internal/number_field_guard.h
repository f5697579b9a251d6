#pragma once
// Which date texts ICU's date parser may be given. SimpleDateFormat reads each
// number field of a pattern (a year, a day, an hour, a fraction of a second...)
// with the locale's general number reader, which takes more than digits: an
// exponent ("16:05:07.8E10" was read as a date), the infinity sign and the
// locale's not-a-number word (both as 0), and any count of digits. Given an
// exponent or 35 digits and more in a fraction of a second, ICU 72 stops the
// process with a division by zero (SIGFPE). A text that could take it there is
// refused as no date before ICU sees it.
//
// A guard belongs to one formatter and is derived from its pattern and its
// locale's number symbols and names. It admits a text when
//  - no run of digits in it (of any script) is longer than the bound: nine
//    digits for each number field, as no value within the calendar's range
//    needs more, or the field's width where the pattern writes it wider; fields
//    that abut in the pattern ("yyyyMMdd") add up; never more than 30, so a
//    pattern with a wider run cannot read back its own texts;
//  - no run of digits is followed by the locale's exponent symbol (in any case:
//    "E", "e"; "×10^" in Swedish) and then a digit, or one other character (a
//    sign: ICU knows many) and a digit; invisible format characters (U+200E,
//    U+2066...) in between do not count, as ICU's number reader skips them;
//  - it holds neither the infinity sign "∞", the locale's infinity symbol nor
//    its not-a-number word (in any case), unless the pattern's literal text or
//    the locale's date names hold that word too (Bena's month "Nan").
// A minus before a number is left to ICU: it reads negative years ("-0044" in
// a "uuuu" pattern), and a lenient formatter reads a minus before the other
// number fields too (seconds "-07" run back into the minute before).
//
// Private to src/platform/core.

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <vector>

namespace platform::icu_support {

class NumberFieldGuard {
public:
    // For `format`, made for `locale`. A format that is not a SimpleDateFormat
    // (relative day names) has no pattern to read: its bound is nine digits.
    static NumberFieldGuard of(const icu::DateFormat& format, const icu::Locale& locale);

    bool admits(const icu::UnicodeString& text) const;

private:
    bool exponentAt(const icu::UnicodeString& text, int32_t at) const;
    // `folded`: the text's character at `at`, case-folded.
    bool numberWordAt(const icu::UnicodeString& text, int32_t at, UChar32 folded) const;

    int longestRun_ = 9;
    icu::UnicodeString exponent_;
    UChar32 exponentStart_ = U_SENTINEL;   // its first character, case-folded
    std::vector<icu::UnicodeString> numberWords_;
    std::vector<UChar32> wordStarts_;   // the first character of each, case-folded
};

} // namespace platform::icu_support
