#pragma once
// The toolkit's formatters, built once per run for each pattern or style pair,
// zone and locale, and for each locale of ordinal numbers, and shared by every
// later call with the same inputs. Keys are the inputs themselves, so two
// different inputs never share a formatter. The toolkit asks for a handful;
// each kind holds at most `cachedFormatterLimit`, and past that starts again,
// as keys may come from outside. Callers share ownership of the formatter
// they are given, so it stays valid however long they keep it. Lookups may
// come from any thread. Private to the toolkit.

#include "platform/core/date_formatter.h"
#include "platform/core/locale.h"
#include "platform/core/number_formatter.h"
#include "platform/core/time_zone.h"

#include <cstddef>
#include <memory>
#include <string_view>

namespace datehelper::detail {

using SharedFormatter = std::shared_ptr<const platform::DateFormatter>;
using SharedOrdinalFormatter = std::shared_ptr<const platform::NumberFormatter>;

// Formatters each kind (pattern, style, ordinal) keeps at most.
inline constexpr std::size_t cachedFormatterLimit = 64;

// A lenient formatter of `pattern` in `zone` and `locale`.
SharedFormatter patternFormatter(std::string_view pattern, const platform::TimeZone& zone,
                                 const platform::Locale& locale);

// A lenient formatter of the platform's date and time styles, with or without
// relative day names.
SharedFormatter styleFormatter(platform::DateFormatStyle dateStyle, platform::DateFormatStyle timeStyle, bool relative,
                               const platform::TimeZone& zone, const platform::Locale& locale);

// Ordinal numbers in the user's current locale as it is at the call: one
// formatter per locale met.
SharedOrdinalFormatter ordinalFormatter();

// Formatters held now (all three kinds), and dropping them all: for tests.
std::size_t cachedFormatterCount();
void forgetCachedFormatters();

} // namespace datehelper::detail
