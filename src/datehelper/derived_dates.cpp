#include "datehelper/derived_dates.h"

#include "datehelper/date_arithmetic.h"
#include "platform/core/unit_counts.h"

namespace datehelper {

using platform::Date;

namespace {

using Kind = DateForType::Kind;

// The nearest multiple of `step` to `value`, halves up; `step` > 0. Neither
// the sum nor the product can leave int: value is a clock field (below 60).
int nearestMultiple(int value, int step) {
    return (value + step / 2) / step * step;
}

Date dayStep(Date date, int days) {
    return adjust(date, DateComponentType::day, days);
}

// The Sunday that begins the date's week, at the date's clock time.
Date sundayOfWeek(Date date) {
    return dayStep(date, -(component(date, DateComponentType::weekday) - 1));
}

// The first moment of the day that holds `date` in the device's zone: where
// the clocks repeat midnight, the first of the two.
Date startOfDeviceDay(Date date) {
    return calendar(platform::TimeZone::current()).startOfDay(date);
}

} // namespace

Date dateFor(Date date, const DateForType& type, const platform::Calendar& calendar) {
    switch (type.kind()) {
    case Kind::nearestMinute: {
        if (type.step() <= 0) return date;
        const int minute = nearestMultiple(component(date, DateComponentType::minute), type.step());
        return adjust(date, std::nullopt, minute, std::nullopt, std::nullopt, std::nullopt);
    }
    case Kind::nearestHour: {
        if (type.step() <= 0) return date;
        const int hour = nearestMultiple(component(date, DateComponentType::hour), type.step());
        return adjust(date, hour, 0, std::nullopt, std::nullopt, std::nullopt);
    }
    case Kind::startOfDay: return startOfDeviceDay(date);
    case Kind::endOfDay: return adjust(date, 23, 59, 59, std::nullopt, std::nullopt);
    case Kind::startOfWeek: {
        const auto week = calendar.dateInterval(platform::CalendarComponent::weekOfYear, date);
        return week ? week->start : date;
    }
    case Kind::endOfWeek: return dayStep(date, 7 - component(date, DateComponentType::weekday));
    case Kind::startOfMonth: return startOfDeviceDay(adjust(date, 0, 0, 0, 1, std::nullopt));
    case Kind::endOfMonth: {
        const int month = component(date, DateComponentType::month);
        return startOfDeviceDay(adjust(date, 0, 0, 0, 0, month + 1));
    }
    case Kind::tomorrow: return dayStep(date, 1);
    case Kind::yesterday: return dayStep(date, -1);
    }
    return date;
}

std::int64_t since(Date receiver, Date date, DateComponentType component) {
    switch (component) {
    case DateComponentType::second: return platform::elapsedUnits(date, receiver, 1);
    case DateComponentType::minute: return platform::elapsedUnits(date, receiver, 60);
    case DateComponentType::hour: return platform::elapsedUnits(date, receiver, 3600);
    default: break;
    }
    return platform::boundariesCrossed(platform::Calendar::current(), calendarComponent(component), date, receiver)
        .value_or(0);
}

int numberOfDaysInMonth(Date date, const platform::TimeZone& timeZone) {
    const auto days = calendar(timeZone).range(platform::CalendarComponent::day, platform::CalendarComponent::month, date);
    return days ? days->count() : 0;
}

int firstDayOfWeek(Date date) {
    return component(sundayOfWeek(date), DateComponentType::day);
}

int lastDayOfWeek(Date date) {
    return component(dayStep(sundayOfWeek(date), 7), DateComponentType::day);
}

} // namespace datehelper
