#pragma once
// Which date texts ICU's date parser may read, and how. SimpleDateFormat reads
// each number field of a pattern (a year, a day, an hour, a fraction of a
// second...) with the locale's general number reader, which takes more than
// digits: an exponent ("16:05:07.8E10" was read as a date), the infinity sign
// and the locale's not-a-number word (both as 0), and any count of digits. It
// takes as digits the decimal digits of Unicode (Nd) and the digits of the
// formatter's numbering system, which need not be Nd: Chinese 〇一二三四五六七八九
// under "zh@numbers=hanidec" are not. Given an exponent, or 35 Nd digits and
// more in one fraction of a second, ICU 72 stops the process with a division by
// zero (SIGFPE). A text that could take it there is refused as no date before
// ICU sees it.
//
// A guard belongs to one formatter and is derived from its pattern and from
// the symbols (digits among them) of the number readers its number fields use.
// It admits a text when
//  - no run of digits in it (Nd or the readers' own digits, counted by code
//    point) is longer than the bound: nine digits for each number field, as no
//    value within the calendar's range needs more, or the field's width where
//    the pattern writes it wider; fields that abut in the pattern ("yyyyMMdd")
//    add up; never more than 30, so a pattern with a wider run cannot read
//    back its own texts;
//  - no run of digits is followed by a reader's exponent symbol (in any case:
//    "E", "e"; "×10^" in Swedish) and then a digit, or one other character (a
//    sign: ICU knows many) and a digit; invisible format characters (U+200E,
//    U+2066...) in between do not count, as ICU's number reader skips them;
//  - where the pattern has a fraction of a second or a two-digit year ("yy",
//    "YY") read with digits that are not Nd, it holds none of those digits:
//    ICU 72 reads such a field right in Nd digits alone, and read ".二五〇" as
//    250 seconds and the year "二四" as 24 AD;
//  - it holds the infinity sign "∞", a reader's infinity symbol or its
//    not-a-number word (in any case) at no more than eight places, and at none
//    of them does ICU read a number field: with the word there replaced by
//    zeros, which ICU reads as it reads the word, the text must not read as
//    the same instant, nor be one this guard refuses (the zeros may join the
//    digits either side into too long a run, or an exponent symbol after
//    them into an exponent; there a blank or a letter after the symbol is no
//    sign, as ICU reads it, so Mundang "Tǝ’nane 10:47" reads). The word may
//    stand in names: "Fernando de Noronha Standard Time" holds English
//    "NaN", Bena's August is "Nan". A formatter with a number field read by an algorithmic
//    numbering system's rules ("@numbers=roman"), which need not read zeros,
//    refuses the words anywhere.
// A minus before a number is left to ICU: it reads negative years ("-0044" in
// a "uuuu" pattern), and a lenient formatter reads a minus before the other
// number fields too (seconds "-07" run back into the minute before).
//
// Private to src/platform/core.

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform::icu_support {

class NumberFieldGuard {
public:
    // For `format`, made for `locale`. A format that is not a SimpleDateFormat
    // (relative day names) reads the numbers of its pattern with the locale's
    // number reader.
    static NumberFieldGuard of(const icu::DateFormat& format, const icu::Locale& locale);

    // The instant `format` (the formatter this guard was made for) reads from
    // the whole of `text`, or none: when the guard refuses the text, when ICU
    // reads no date from it, or reads one that leaves characters over.
    std::optional<UDate> read(const icu::DateFormat& format, const icu::UnicodeString& text) const;

private:
    // A real date text holds a number word in a handful of names at most.
    static constexpr int numberWordLimit = 8;
    struct Place {
        int32_t start = 0;
        int32_t length = 0;
    };
    struct Check {
        bool admitted = false;
        int numberWordCount = 0;
        std::array<Place, numberWordLimit> numberWords;
    };

    // `signsAlone`: only a character that may be a sign (no letter, no blank)
    // stands between an exponent symbol and its digits, as ICU reads them;
    // else any one character does, to be safe.
    Check check(const icu::UnicodeString& text, bool signsAlone = false) const;
    bool digitAt(const icu::UnicodeString& text, int32_t at) const;
    bool isOtherDigit(UChar32 c) const;
    bool exponentAt(const icu::UnicodeString& text, int32_t at, bool signsAlone) const;
    // The length of the number word at `at`, 0 for none; `folded`: the text's
    // character at `at`, case-folded.
    int32_t numberWordAt(const icu::UnicodeString& text, int32_t at, UChar32 folded) const;

    int longestRun_ = 9;
    // Digits the readers take that are not Nd, and whether a field that ICU
    // reads right only in Nd digits is read with them.
    std::vector<UChar32> otherDigits_;
    bool misreadInOtherDigits_ = false;
    std::vector<icu::UnicodeString> exponents_;
    std::vector<UChar32> exponentStarts_;   // the first character of each, case-folded
    // Whether every number field is read by a decimal reader, which reads a
    // number word as 0; where one is not, a number word anywhere is refused.
    bool numberWordsReadAsZero_ = true;
    std::vector<icu::UnicodeString> numberWords_;
    std::vector<UChar32> wordStarts_;   // the first character of each, case-folded
};

} // namespace platform::icu_support
