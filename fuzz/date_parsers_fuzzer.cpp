// Hostile texts through the toolkit's three readers: a pattern (ISO with
// milliseconds), rss with its "Z" rule, and the dotNet reader. Whatever the
// bytes, each reader answers a date or none, without a crash, a hang or
// undefined behaviour; a date that is read writes a text again.
//
// The first byte picks the reader; the rest is the text.

#include "datehelper/date_formatting.h"
#include "datehelper/date_parsing.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

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
        (void)toString(*date, format, TimeZoneType::utc(), locale);
    }
    (void)toDate(text, format);
    return 0;
}
