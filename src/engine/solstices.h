#pragma once
// The instants of the year's equinoxes and solstices, with whole seconds. The
// names are those of the northern seasons whatever the observer's hemisphere:
// the spring equinox is always the March one, the winter solstice the December one.
//
// Each call asks the astronomy code afresh; nothing is cached. A year the user's
// calendar cannot represent gives the present moment.

#include "platform/core/date.h"

#include <cstdint>
#include <string_view>

namespace engine {

enum class SolsticeType : std::uint8_t { summer, winter };

platform::Date getSpringEquinoxDate(int year);    // March
platform::Date getSummerSolsticeDate(int year);   // June
platform::Date getAutumnEquinoxDate(int year);    // September
platform::Date getWinterSolsticeDate(int year);   // December

// Explanatory texts for an information display; static storage.
std::string_view strSolsticeInfo();
std::string_view strEquinoxInfo();

} // namespace engine
