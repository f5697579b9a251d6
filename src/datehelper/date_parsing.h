#pragma once
// Dates read from text.

#include "datehelper/date_format_type.h"
#include "datehelper/time_zone_type.h"
#include "platform/core/date.h"
#include "platform/core/locale.h"

#include <optional>
#include <string_view>

namespace datehelper {

// The instant `text` (UTF-8) writes in `format`, or std::nullopt. An empty
// text is no date.
//   dotNet: the first "/Date(ms)/" anywhere in the text (see
//     internal/dot_net_date.h); the zone and locale play no part.
//   rss, altRSS: a trailing "Z" reads as "GMT".
//   every other format: read leniently (fields may run on into the next unit:
//     30 February is 1 or 2 March) with the format's pattern in `timeZone` and
//     `locale`, through the toolkit's shared formatters. The whole text must be
//     the date: characters left over make it none, and so does a number field
//     that is not digits alone, or too long (platform::DateFormatter::date).
std::optional<platform::Date> dateFromString(std::string_view text, const DateFormatType& format,
                                             const TimeZoneType& timeZone, const platform::Locale& locale);

// The instant `text` writes in the pattern of `format`, read strictly in the
// user's current zone and locale by a formatter made for this call; none for
// a text that strays from the pattern, number fields as above. No dotNet
// reading and no "Z" rule.
std::optional<platform::Date> toDate(std::string_view text, const DateFormatType& format);

} // namespace datehelper
