#include "engine/festival_in_progress.h"

#include "engine/calendar_dates.h"

#include <algorithm>
#include <array>
#include <limits>
#include <span>

namespace engine {

using platform::Date;

namespace {

// A festival's time of the year. Years count from Y, the year of the day tested.
struct FestivalTime {
    Festival festival;
    int startDay, startMonth, startYearOffset;
    int endDay, endMonth, endYearOffset;
};

// 19 to 31 December falls in no row and is Yule by default.
constexpr std::array<FestivalTime, 8> northernTimes{{
    {Festival::Yule, 19, 12, -1, 30, 1, 0},
    {Festival::Imbolc, 31, 1, 0, 18, 3, 0},
    {Festival::Ostara, 19, 3, 0, 29, 4, 0},
    {Festival::Beltane, 30, 4, 0, 18, 6, 0},
    {Festival::Litha, 19, 6, 0, 31, 7, 0},
    {Festival::Lammas, 1, 8, 0, 19, 9, 0},
    {Festival::Mabon, 20, 9, 0, 30, 10, 0},
    {Festival::Samhain, 31, 10, 0, 18, 12, 0},
}};

// Litha spans the turn of the year, so it has a row for each side of it.
// Samhain's time starts on 1 May, a day after its traditional southern start.
constexpr std::array<FestivalTime, 9> southernTimes{{
    {Festival::Yule, 19, 6, 0, 30, 7, 0},
    {Festival::Imbolc, 31, 7, 0, 18, 9, 0},
    {Festival::Ostara, 19, 9, 0, 29, 10, 0},
    {Festival::Beltane, 30, 10, 0, 18, 12, 0},
    {Festival::Litha, 19, 12, -1, 31, 1, 0},
    {Festival::Litha, 19, 12, 0, 31, 1, 1},
    {Festival::Lammas, 1, 2, 0, 19, 3, 0},
    {Festival::Mabon, 20, 3, 0, 30, 4, 0},
    {Festival::Samhain, 1, 5, 0, 18, 6, 0},
}};

// Saturates rather than overflows for a date at the far end of the calendar.
int yearPlus(int year, int offset) {
    const long long sum = static_cast<long long>(year) + offset;
    return static_cast<int>(std::clamp<long long>(sum, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Festival festivalOn(Date date, std::span<const FestivalTime> times) {
    const int year = getYear(date);
    for (const FestivalTime& time : times) {
        if (dateIn(date, time.startDay, time.startMonth, yearPlus(year, time.startYearOffset),
                   time.endDay, time.endMonth, yearPlus(year, time.endYearOffset)))
            return time.festival;
    }
    return Festival::Yule;
}

} // namespace

Festival currentFestival(double latitude) { return currentFestival(latitude, Date::now()); }

Festival currentFestival(double latitude, Date now) {
    if (inNorthernHem(latitude))
        return festivalOn(now, northernTimes);
    return festivalOn(now, southernTimes);
}

Festival getFestivalForDate(Date date) { return festivalOn(date, northernTimes); }

} // namespace engine
