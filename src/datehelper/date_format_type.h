#pragma once
// A date format: a caller's own pattern, or one of eleven named formats. The
// patterns are UTS #35 date patterns, except dotNet's, which is the frame
// "/Date(...)/" of .NET and JavaScript JSON dates and is read and written by
// code of its own.

#include <cstdint>
#include <string>

namespace datehelper {

class DateFormatType {
public:
    enum class Kind : std::uint8_t {
        custom,
        isoYear,               // "yyyy"
        isoYearMonth,          // "yyyy-MM"
        isoDate,               // "yyyy-MM-dd"
        isoDateTime,           // "yyyy-MM-dd'T'HH:mmZ"
        isoDateTimeSec,        // "yyyy-MM-dd'T'HH:mm:ssZ"
        isoDateTimeMilliSec,   // "yyyy-MM-dd'T'HH:mm:ss.SSSZ"
        dotNet,                // "/Date(%d%f)/"
        rss,                   // "EEE, d MMM yyyy HH:mm:ss ZZZ"
        altRSS,                // "d MMM yyyy HH:mm:ss ZZZ"
        httpHeader,            // "EEE, dd MM yyyy HH:mm:ss ZZZ": the month is a number
        standard,              // "EEE MMM dd HH:mm:ss Z yyyy": the year comes last
    };

    static DateFormatType custom(std::string pattern) { return DateFormatType(Kind::custom, std::move(pattern)); }
    static DateFormatType isoYear() { return DateFormatType(Kind::isoYear); }
    static DateFormatType isoYearMonth() { return DateFormatType(Kind::isoYearMonth); }
    static DateFormatType isoDate() { return DateFormatType(Kind::isoDate); }
    static DateFormatType isoDateTime() { return DateFormatType(Kind::isoDateTime); }
    static DateFormatType isoDateTimeSec() { return DateFormatType(Kind::isoDateTimeSec); }
    static DateFormatType isoDateTimeMilliSec() { return DateFormatType(Kind::isoDateTimeMilliSec); }
    static DateFormatType dotNet() { return DateFormatType(Kind::dotNet); }
    static DateFormatType rss() { return DateFormatType(Kind::rss); }
    static DateFormatType altRSS() { return DateFormatType(Kind::altRSS); }
    static DateFormatType httpHeader() { return DateFormatType(Kind::httpHeader); }
    static DateFormatType standard() { return DateFormatType(Kind::standard); }

    Kind kind() const noexcept { return kind_; }

    // The pattern: the caller's own for custom, the one listed above otherwise.
    const std::string& stringFormat() const noexcept;

    // Equal when both are custom with equal patterns, or both the same named
    // format; a custom pattern never equals a named format, even with its pattern.
    friend bool operator==(const DateFormatType& a, const DateFormatType& b) {
        return a.kind_ == b.kind_ && (a.kind_ != Kind::custom || a.pattern_ == b.pattern_);
    }

private:
    explicit DateFormatType(Kind kind, std::string pattern = {}) : kind_(kind), pattern_(std::move(pattern)) {}
    Kind kind_;
    std::string pattern_;   // custom only
};

} // namespace datehelper
