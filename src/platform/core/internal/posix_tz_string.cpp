#include "platform/core/internal/posix_tz_string.h"

namespace platform::posix_tz {

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    bool atEnd() const noexcept { return at_ == text_.size(); }
    bool peek(char c) const noexcept { return at_ < text_.size() && text_[at_] == c; }
    bool accept(char c) noexcept {
        if (!peek(c)) return false;
        ++at_;
        return true;
    }

    // "GMT" (three or more letters) or "<+0330>" (three or more letters, digits or signs).
    std::optional<std::string> abbreviation() {
        const std::size_t begin = at_;
        if (accept('<')) {
            while (at_ < text_.size() && (isAlnum(text_[at_]) || text_[at_] == '+' || text_[at_] == '-')) ++at_;
            const std::size_t length = at_ - begin - 1;
            if (!accept('>') || length < 3) return std::nullopt;
            return std::string(text_.substr(begin + 1, length));
        }
        while (at_ < text_.size() && isAlpha(text_[at_])) ++at_;
        if (at_ - begin < 3) return std::nullopt;
        return std::string(text_.substr(begin, at_ - begin));
    }

    // [+-]hh[:mm[:ss]], in seconds, with hh at most maxHours.
    std::optional<std::int32_t> duration(int maxHours) {
        int sign = 1;
        if (accept('-')) {
            sign = -1;
        } else {
            accept('+');
        }
        auto hours = number(maxHours, 3);
        if (!hours) return std::nullopt;
        std::int32_t seconds = *hours * 3600;
        if (accept(':')) {
            auto minutes = number(59, 2);
            if (!minutes) return std::nullopt;
            seconds += *minutes * 60;
            if (accept(':')) {
                auto secs = number(59, 2);
                if (!secs) return std::nullopt;
                seconds += *secs;
            }
        }
        return sign * seconds;
    }

    std::optional<ChangeDate> changeDate() {
        ChangeDate date;
        if (accept('M')) {
            date.form = ChangeDate::Form::monthWeekDay;
            auto month = number(12, 2);
            if (!month || *month < 1 || !accept('.')) return std::nullopt;
            auto week = number(5, 1);
            if (!week || *week < 1 || !accept('.')) return std::nullopt;
            auto weekday = number(6, 1);
            if (!weekday) return std::nullopt;
            date.month = *month;
            date.week = *week;
            date.weekday = *weekday;
        } else if (accept('J')) {
            date.form = ChangeDate::Form::julianDay;
            auto day = number(365, 3);
            if (!day || *day < 1) return std::nullopt;
            date.day = *day;
        } else {
            date.form = ChangeDate::Form::zeroBasedDay;
            auto day = number(365, 3);
            if (!day) return std::nullopt;
            date.day = *day;
        }
        if (accept('/')) {
            auto time = duration(167);
            if (!time) return std::nullopt;
            date.secondsOfDay = *time;
        }
        return date;
    }

private:
    static bool isAlpha(char c) noexcept { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
    static bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }
    static bool isAlnum(char c) noexcept { return isAlpha(c) || isDigit(c); }

    // One to maxDigits decimal digits, at most maxValue.
    std::optional<int> number(int maxValue, std::size_t maxDigits) {
        const std::size_t begin = at_;
        int value = 0;
        while (at_ < text_.size() && isDigit(text_[at_]) && at_ - begin < maxDigits) {
            value = value * 10 + (text_[at_] - '0');
            ++at_;
        }
        if (at_ == begin || value > maxValue) return std::nullopt;
        return value;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

} // namespace

std::optional<TzString> parse(std::string_view text) {
    Parser parser(text);
    TzString zone;
    auto standardName = parser.abbreviation();
    if (!standardName) return std::nullopt;
    // Offsets reach 24:59:59 at most, written west-positive.
    auto standardOffset = parser.duration(24);
    if (!standardOffset) return std::nullopt;
    zone.standard = {*standardName, -*standardOffset};
    if (parser.atEnd()) return zone;

    auto daylightName = parser.abbreviation();
    if (!daylightName) return std::nullopt;
    TzString::Daylight daylight;
    daylight.time = {*daylightName, zone.standard.secondsFromGMT + 3600};
    if (!parser.peek(',')) {
        auto daylightOffset = parser.duration(24);
        if (!daylightOffset) return std::nullopt;
        daylight.time.secondsFromGMT = -*daylightOffset;
    }
    if (!parser.accept(',')) return std::nullopt;
    auto start = parser.changeDate();
    if (!start || !parser.accept(',')) return std::nullopt;
    auto end = parser.changeDate();
    if (!end || !parser.atEnd()) return std::nullopt;
    daylight.start = *start;
    daylight.end = *end;
    zone.daylight = std::move(daylight);
    return zone;
}

} // namespace platform::posix_tz
