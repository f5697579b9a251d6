#pragma once
// Zones by name for tests, and a guard that pins the user's time zone for one
// test (or one scope) and gives the system's back afterwards.

#include "platform/core/time_zone.h"

#include <gtest/gtest.h>

namespace testsupport {

// A zone the system knows; an unknown name fails the test and gives UTC.
inline platform::TimeZone zone(const char* identifier) {
    auto found = platform::TimeZone::withIdentifier(identifier);
    EXPECT_TRUE(found.has_value()) << identifier;
    return found.value_or(platform::TimeZone::utc());
}

class ZoneOverride {
public:
    explicit ZoneOverride(const char* identifier) : ZoneOverride(zone(identifier)) {}
    explicit ZoneOverride(platform::TimeZone zone) { platform::TimeZone::setCurrentOverride(std::move(zone)); }
    ~ZoneOverride() { platform::TimeZone::setCurrentOverride(std::nullopt); }
    ZoneOverride(const ZoneOverride&) = delete;
    ZoneOverride& operator=(const ZoneOverride&) = delete;
};

} // namespace testsupport
