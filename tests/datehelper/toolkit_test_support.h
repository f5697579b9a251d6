#pragma once
// Zones by name and a pinned device zone for the toolkit's tests.

#include "platform/core/time_zone.h"
#include "support/dates.h"
#include "support/zone_override.h"

#include <gtest/gtest.h>

#include <optional>

namespace datehelper_test {

using testsupport::local;
using testsupport::utc;
using testsupport::zone;

inline platform::TimeZone fixedZone(int secondsFromGMT) {
    auto found = platform::TimeZone::withSecondsFromGMT(secondsFromGMT);
    EXPECT_TRUE(found.has_value()) << secondsFromGMT;
    return found.value_or(platform::TimeZone::utc());
}

// Pins the device's zone for one test and gives the system's back afterwards.
using DeviceZone = testsupport::ZoneOverride;

} // namespace datehelper_test
