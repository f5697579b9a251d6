#pragma once
// The keys of the relative-time phrases: each step of the scale has a past
// key followed by its future key. Only the first sixteen, up to days, are used.

#include <string>
#include <unordered_map>

namespace datehelper {

enum class RelativeTimeStringType : int {
    nowPast = 0,
    nowFuture,
    secondsPast,
    secondsFuture,
    oneMinutePast,
    oneMinuteFuture,
    minutesPast,
    minutesFuture,
    oneHourPast,
    oneHourFuture,
    hoursPast,
    hoursFuture,
    oneDayPast,
    oneDayFuture,
    daysPast,
    daysFuture,
    oneWeekPast,
    oneWeekFuture,
    weeksPast,
    weeksFuture,
    oneMonthPast,
    oneMonthFuture,
    monthsPast,
    monthsFuture,
    oneYearPast,
    oneYearFuture,
    yearsPast,
    yearsFuture = 27,
};

// A caller's own phrases, by key.
using RelativeTimeStrings = std::unordered_map<RelativeTimeStringType, std::string>;

} // namespace datehelper
