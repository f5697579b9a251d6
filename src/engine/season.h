#pragma once
// The four seasons. Their boundaries are fixed days (20 March, 21 June,
// 22 September, 21 December) at local midnight, and their lengths those of the
// northern hemisphere, for every observer: the season operations take their
// hemisphere from the fixed latitude `forLatitude()`, not from the user.

#include "platform/core/color.h"
#include "platform/core/date.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace engine {

enum class Season : std::uint8_t {
    spring = 0,
    summer = 1,
    autumn = 2,
    winter = 3,
};

inline constexpr std::array<Season, 4> allSeasons{Season::spring, Season::summer, Season::autumn, Season::winter};

// "spring", "summer", "autumn", "winter".
std::string_view rawValue(Season season);
// Exactly the four raw values, case-sensitive; "Spring" gives none.
std::optional<Season> seasonFromRawValue(std::string_view rawValue);

// The latitude whose hemisphere the season operations use: always London's.
double forLatitude();

// Local start of the season's first day in `year` (0 is 1 BC): its midnight, or
// the first moment of the day where a clock change skips midnight. None when
// the calendar cannot place the day.
std::optional<platform::Date> seasonStartDate(Season forSeason, int year);

// The same, with the present moment standing in for a missing day.
platform::Date getSeasonStart(Season season, int forYear);

// The season that contains the date's local day: 1 January to 19 March and 21
// to 31 December are winter, and so is a date the calendar cannot place.
Season getSeasonFor(platform::Date date);
Season getCurrentSeason();

// Local start of the season's last day for the year of the date (its era
// kept): the day before the next season's first day, at its own midnight or
// first moment even where the clocks skip the midnight that follows it. Winter
// ends on 19 March of the next year for a December date, else on 19 March of
// the date's own year (the end of the winter that began the December before).
// A date or day the calendar cannot place gives one day before the present
// moment.
platform::Date getSeasonEnd(Season season, platform::Date forDate);

// The season's length in days, in the year of the date, as the astronomy code
// gives it.
double getSeasonLength(Season season, platform::Date forDate);

std::string_view getSeasonStr(Season season);    // "Spring"
std::string_view getSeasonIcon(Season season);   // a system symbol image name
platform::Color getSeasonColor(Season season);

std::string_view getSeasonImage(Season season);  // picture resource name
std::string_view nextSeasonStr(Season season);   // raw value of the next season
Season nextSeason(Season season);
Season prevSeason(Season season);

} // namespace engine
