#pragma once
// Seconds in the toolkit's units of elapsed time. A year is the mean tropical
// year rounded to the second (365 days 5 h 48 min 46 s), not 365 whole days.

namespace datehelper {

inline constexpr double minuteInSeconds = 60;
inline constexpr double hourInSeconds = 3600;
inline constexpr double dayInSeconds = 86400;
inline constexpr double weekInSeconds = 604800;
inline constexpr double yearInSeconds = 31556926;

} // namespace datehelper
