#pragma once
// The animal of the Chinese zodiac for a calendar year. The animal changes on
// 1 January here, not at the Chinese new year.

#include <array>
#include <string_view>

namespace engine {

inline constexpr std::array<std::string_view, 12> chineseZodiacSigns{
    "Rat", "Ox", "Tiger", "Rabbit", "Dragon", "Snake", "Horse", "Goat", "Monkey", "Rooster", "Dog", "Pig"};

// 1900 is a year of the Rat; years before it count back through the cycle.
std::string_view calculateChineseZodiac(int year);

} // namespace engine
