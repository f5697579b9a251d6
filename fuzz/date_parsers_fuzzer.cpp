// Hostile texts through the toolkit's three readers: a pattern (ISO with
// milliseconds), rss with its "Z" rule, and the dotNet reader. Whatever the
// bytes, each reader answers a date or none, without a crash, a hang or
// undefined behaviour. A date that is read writes a text that reads back as
// the same instant, where the format can write it: a pattern without an era
// only holds years of our era. Every date read from these formats is whole
// in the format's unit (a millisecond, a second for rss), so the same instant
// is the same to the double.
//
// The first byte picks the reader; the rest is the text.

#include "datehelper/date_formatting.h"
#include "datehelper/date_parsing.h"
#include "fuzz_check.h"
#include "platform/core/locale.h"
#include "platform/core/time_zone.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// 2 January 1 AD, 00:00 UTC (Julian): from here on the year is of our era in
// every zone.
constexpr double surelyOurEra = -62135769600.0 + 86400.0;

// The instant `date` written in `format` by the writer `write` reads back by
// `read` as itself.
template <typename Write, typename Read>
void checkRoundTrip(platform::Date date, const datehelper::DateFormatType& format, Write write, Read read) {
    const bool hasEra = format.kind() == datehelper::DateFormatType::Kind::dotNet ||
                        format.stringFormat().find('G') != std::string::npos;
    if (!hasEra && date.secondsSince1970() < surelyOurEra) return;
    const std::string written = write(date);
    const auto again = read(written);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(*again == date);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 4096) return 0;
    using namespace datehelper;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const platform::Locale& locale = defaultLocale();
    DateFormatType format = DateFormatType::isoDateTimeMilliSec();
    switch (data[0] % 4) {
    case 0: break;
    case 1: format = DateFormatType::rss(); break;
    case 2: format = DateFormatType::dotNet(); break;
    default: format = DateFormatType::custom("EEE, dd MMM yyyy HH:mm:ss.SSS ZZZZ G"); break;
    }
    if (const auto date = dateFromString(text, format, TimeZoneType::utc(), locale)) {
        checkRoundTrip(
            *date, format, [&](platform::Date d) { return toString(d, format, TimeZoneType::utc(), locale); },
            [&](std::string_view t) { return dateFromString(t, format, TimeZoneType::utc(), locale); });
    }
    // The strict reader, in the user's zone and locale; it knows no dotNet.
    const auto strict = toDate(text, format);
    if (strict && format.kind() != DateFormatType::Kind::dotNet) {
        checkRoundTrip(
            *strict, format,
            [&](platform::Date d) { return toString(d, format, TimeZoneType::local(), platform::Locale::current()); },
            [&](std::string_view t) { return toDate(t, format); });
    }
    return 0;
}
