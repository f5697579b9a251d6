#pragma once
// A date derived from another by dateFor(date, type, calendar).

#include <cstdint>

namespace datehelper {

class DateForType {
public:
    enum class Kind : std::uint8_t {
        nearestMinute, nearestHour, startOfDay, endOfDay, startOfWeek,
        endOfWeek, startOfMonth, endOfMonth, tomorrow, yesterday,
    };

    // The clock brought to the nearest multiple of `minute` minutes (`hour`
    // hours); a step of 0 or less leaves the date as it is.
    static DateForType nearestMinute(int minute) { return {Kind::nearestMinute, minute}; }
    static DateForType nearestHour(int hour) { return {Kind::nearestHour, hour}; }
    static DateForType startOfDay() { return {Kind::startOfDay}; }
    static DateForType endOfDay() { return {Kind::endOfDay}; }
    static DateForType startOfWeek() { return {Kind::startOfWeek}; }
    static DateForType endOfWeek() { return {Kind::endOfWeek}; }
    static DateForType startOfMonth() { return {Kind::startOfMonth}; }
    static DateForType endOfMonth() { return {Kind::endOfMonth}; }
    static DateForType tomorrow() { return {Kind::tomorrow}; }
    static DateForType yesterday() { return {Kind::yesterday}; }

    Kind kind() const noexcept { return kind_; }
    int step() const noexcept { return step_; }   // nearestMinute and nearestHour only

private:
    DateForType(Kind kind, int step = 0) : kind_(kind), step_(step) {}
    Kind kind_;
    int step_;
};

} // namespace datehelper
