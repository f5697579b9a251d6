#pragma once
// Shared helpers of the date layer's tests: zones by name, instants from UTC
// fields, and a guard that restores an environment variable.

#include "platform/core/calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

namespace dates_test {

inline platform::TimeZone zone(const char* identifier) {
    auto found = platform::TimeZone::withIdentifier(identifier);
    EXPECT_TRUE(found.has_value()) << identifier;
    return found.value_or(platform::TimeZone::utc());
}

inline platform::Calendar calendarIn(const char* identifier, const char* locale = "en_GB") {
    return platform::Calendar::gregorian(zone(identifier), platform::Locale::withIdentifier(locale));
}

// An instant from its UTC fields, computed independently of ICU (days from
// civil, proleptic Gregorian).
inline platform::Date utc(int year, int month, int day, int hour = 0, int minute = 0, double second = 0) {
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const double days = era * 146097.0 + dayOfEra - 719468.0;
    return platform::Date::fromSecondsSince1970(days * 86400.0 + hour * 3600.0 + minute * 60.0 + second);
}

inline platform::DateComponents ymdhms(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    platform::DateComponents c;
    c.year = year;
    c.month = month;
    c.day = day;
    c.hour = hour;
    c.minute = minute;
    c.second = second;
    return c;
}

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
