#pragma once
// Shared helpers of the date layer's tests: zones by name, pattern formatters,
// instants from UTC fields, ICU's texts in UTF-8, and a guard that restores an
// environment variable.

#include "platform/core/calendar.h"
#include "platform/core/date_formatter.h"
#include "support/dates.h"
#include "support/zone_override.h"

#include <gtest/gtest.h>
#include <unicode/unistr.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace dates_test {

using testsupport::zone;

inline platform::Calendar calendarIn(const char* identifier, const char* locale = "en_GB") {
    return platform::Calendar::gregorian(zone(identifier), platform::Locale::withIdentifier(locale));
}

// A formatter of `pattern` in a named zone and locale.
inline platform::DateFormatter patternFormatter(const char* pattern, const char* zoneName = "UTC",
                                                const char* locale = "en_US_POSIX", bool lenient = false) {
    platform::DateFormatter f;
    f.setLocale(platform::Locale::withIdentifier(locale));
    f.setTimeZone(zone(zoneName));
    f.setDateFormat(pattern);
    f.setLenient(lenient);
    return f;
}

inline std::string utf8(const icu::UnicodeString& text) {
    std::string out;
    text.toUTF8String(out);
    return out;
}

// Instants from UTC fields and bare calendar fields, shared with the other folders' tests.
using testsupport::utc;
using testsupport::ymdhms;

// Sets (or unsets) an environment variable for the life of the guard.
class EnvironmentGuard {
public:
    EnvironmentGuard(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        set(value);
    }
    ~EnvironmentGuard() { set(old_ ? old_->c_str() : nullptr); }
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

    void set(const char* value) {
        if (value) {
            ::setenv(name_.c_str(), value, 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }

private:
    std::string name_;
    std::optional<std::string> old_;
};

} // namespace dates_test
