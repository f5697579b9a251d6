#pragma once
// Pins the user's time zone for one test (or one scope) and gives the system's
// back afterwards.

#include "platform/core/time_zone.h"

#include <gtest/gtest.h>

namespace testsupport {

class ZoneOverride {
public:
    explicit ZoneOverride(const char* identifier) {
        auto zone = platform::TimeZone::withIdentifier(identifier);
        EXPECT_TRUE(zone.has_value()) << identifier;
        platform::TimeZone::setCurrentOverride(zone);
    }
    explicit ZoneOverride(platform::TimeZone zone) { platform::TimeZone::setCurrentOverride(std::move(zone)); }
    ~ZoneOverride() { platform::TimeZone::setCurrentOverride(std::nullopt); }
    ZoneOverride(const ZoneOverride&) = delete;
    ZoneOverride& operator=(const ZoneOverride&) = delete;
};

} // namespace testsupport
