#pragma once
// The toolkit's formatters, built once per run for each pattern or style pair,
// zone and locale, and shared by every later call with the same inputs. Keys
// are the inputs themselves, so two different inputs never share a formatter.
// Entries are never replaced or dropped: the toolkit asks for a handful.
// Lookups may come from any thread. Private to the toolkit.

#include "platform/core/date_formatter.h"
#include "platform/core/locale.h"
#include "platform/core/number_formatter.h"
#include "platform/core/time_zone.h"

#include <string_view>

namespace datehelper::detail {

// A lenient formatter of `pattern` in `zone` and `locale`.
const platform::DateFormatter& patternFormatter(std::string_view pattern, const platform::TimeZone& zone,
                                                const platform::Locale& locale);

// A lenient formatter of the platform's date and time styles, with or without
// relative day names.
const platform::DateFormatter& styleFormatter(platform::DateFormatStyle dateStyle, platform::DateFormatStyle timeStyle,
                                              bool relative, const platform::TimeZone& zone,
                                              const platform::Locale& locale);

// Ordinal numbers in the user's current locale as it is at the call: one
// formatter per locale met.
const platform::NumberFormatter& ordinalFormatter();

// Formatters built so far (both kinds), for tests.
std::size_t cachedFormatterCount();

} // namespace datehelper::detail
