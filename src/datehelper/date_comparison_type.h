#pragma once
// A test of a date: against another date, against the present, or of the date
// alone. The first six kinds carry the other date.

#include "platform/core/date.h"

#include <cstdint>

namespace datehelper {

class DateComparisonType {
public:
    enum class Kind : std::uint8_t {
        isSameDay, isSameWeek, isSameMonth, isSameYear, isEarlier, isLater,
        isToday, isTomorrow, isYesterday, isThisWeek, isNextWeek, isLastWeek,
        isThisMonth, isNextMonth, isLastMonth, isThisYear, isNextYear, isLastYear,
        isInTheFuture, isInThePast, isWeekday, isWeekend,
    };

    static DateComparisonType isSameDay(platform::Date as) { return {Kind::isSameDay, as}; }
    static DateComparisonType isSameWeek(platform::Date as) { return {Kind::isSameWeek, as}; }
    static DateComparisonType isSameMonth(platform::Date as) { return {Kind::isSameMonth, as}; }
    static DateComparisonType isSameYear(platform::Date as) { return {Kind::isSameYear, as}; }
    static DateComparisonType isEarlier(platform::Date than) { return {Kind::isEarlier, than}; }
    static DateComparisonType isLater(platform::Date than) { return {Kind::isLater, than}; }
    static DateComparisonType isToday() { return {Kind::isToday}; }
    static DateComparisonType isTomorrow() { return {Kind::isTomorrow}; }
    static DateComparisonType isYesterday() { return {Kind::isYesterday}; }
    static DateComparisonType isThisWeek() { return {Kind::isThisWeek}; }
    static DateComparisonType isNextWeek() { return {Kind::isNextWeek}; }
    static DateComparisonType isLastWeek() { return {Kind::isLastWeek}; }
    static DateComparisonType isThisMonth() { return {Kind::isThisMonth}; }
    static DateComparisonType isNextMonth() { return {Kind::isNextMonth}; }
    static DateComparisonType isLastMonth() { return {Kind::isLastMonth}; }
    static DateComparisonType isThisYear() { return {Kind::isThisYear}; }
    static DateComparisonType isNextYear() { return {Kind::isNextYear}; }
    static DateComparisonType isLastYear() { return {Kind::isLastYear}; }
    static DateComparisonType isInTheFuture() { return {Kind::isInTheFuture}; }
    static DateComparisonType isInThePast() { return {Kind::isInThePast}; }
    static DateComparisonType isWeekday() { return {Kind::isWeekday}; }
    static DateComparisonType isWeekend() { return {Kind::isWeekend}; }

    Kind kind() const noexcept { return kind_; }
    platform::Date other() const noexcept { return other_; }   // the first six kinds only

private:
    DateComparisonType(Kind kind, platform::Date other = {}) : kind_(kind), other_(other) {}
    Kind kind_;
    platform::Date other_;
};

} // namespace datehelper
