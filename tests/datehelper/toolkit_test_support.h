#pragma once
// Zones by name and a pinned device zone for the toolkit's tests.

#include "platform/core/time_zone.h"
#include "support/dates.h"

#include <gtest/gtest.h>

#include <optional>

namespace datehelper_test {

using testsupport::local;
using testsupport::utc;

inline platform::TimeZone zone(const char* identifier) {
    auto found = platform::TimeZone::withIdentifier(identifier);
    EXPECT_TRUE(found.has_value()) << identifier;
    return found.value_or(platform::TimeZone::utc());
}

inline platform::TimeZone fixedZone(int secondsFromGMT) {
    auto found = platform::TimeZone::withSecondsFromGMT(secondsFromGMT);
    EXPECT_TRUE(found.has_value()) << secondsFromGMT;
    return found.value_or(platform::TimeZone::utc());
}

// Pins the device's zone for one test and gives the system's back afterwards.
class DeviceZone {
public:
    explicit DeviceZone(platform::TimeZone zone) { platform::TimeZone::setCurrentOverride(std::move(zone)); }
    explicit DeviceZone(const char* identifier) : DeviceZone(zone(identifier)) {}
    ~DeviceZone() { platform::TimeZone::setCurrentOverride(std::nullopt); }
    DeviceZone(const DeviceZone&) = delete;
    DeviceZone& operator=(const DeviceZone&) = delete;
};

} // namespace datehelper_test
