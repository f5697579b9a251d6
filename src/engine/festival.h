#pragma once
// The eight seasonal festivals of the Wheel of the Year, the hemisphere rule,
// and each festival's traditional (fixed calendar) days.
//
// Every date here is local midnight of its day in the user's current calendar
// and time zone, read afresh at every call. In the southern hemisphere each
// traditional day moves six months within its own calendar year, so a
// festival's occurrence for a year always lies in that year.

#include "platform/core/date.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace engine {

// Declaration order is the order of every festival table and of the wheel.
enum class Festival : std::uint8_t {
    Yule = 0,
    Imbolc = 1,
    Ostara = 2,
    Beltane = 3,
    Litha = 4,
    Lammas = 5,
    Mabon = 6,
    Samhain = 7,
};

inline constexpr std::array<Festival, 8> allFestivals{
    Festival::Yule,  Festival::Imbolc, Festival::Ostara, Festival::Beltane,
    Festival::Litha, Festival::Lammas, Festival::Mabon,  Festival::Samhain};

// The festival's name as shown and stored: the case name ("Yule").
std::string_view rawValue(Festival festival);
// Exactly the eight names, case-sensitive and whole; anything else gives none.
std::optional<Festival> festivalFromRawValue(std::string_view rawValue);

// True exactly for 0 <= latitude <= 90; the equator is northern, and a latitude
// above 90 or not a number counts as southern.
bool inNorthernHem(double latitude);

// Counting the All Saints' days makes Imbolc end on 2 February. Always true.
constexpr bool allSaints(Festival) noexcept { return true; }

// First and last day of the festival's traditional celebration in `year`, at
// local midnight. A year the calendar cannot represent gives the present moment.
platform::Date tradStartDate(Festival festival, int year, double latitude);
platform::Date tradEndDate(Festival festival, int year, double latitude);

// Whether the date's local day lies between the two days given, both included.
// Bounds are built leniently (day 31 of month 4 is 1 May); whole days are
// compared, so every instant of the end day is inside. Bounds the calendar
// cannot build give false.
bool dateIn(platform::Date date, int startDay, int startMonth, int startYear,
            int endDay, int endMonth, int endYear);

} // namespace engine
