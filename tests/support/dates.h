#pragma once
// Instants and calendar fields for tests: from UTC fields, worked out without
// ICU, and from wall-clock fields in the zone the test runs in.

#include "platform/core/date.h"
#include "platform/core/date_components.h"

namespace testsupport {

// Year to second, no zone: the fields a calendar is asked to build.
platform::DateComponents ymdhms(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// An instant from its UTC fields, on the proleptic Gregorian calendar.
platform::Date utc(int year, int month, int day, int hour = 0, int minute = 0, double second = 0.0);

// An instant from wall-clock fields in the user's calendar (the zone the test
// runs in, or the one a test has pinned). A fraction of a second is kept. A
// failure to build it fails the test and gives the reference instant.
platform::Date local(int year, int month, int day, int hour = 0, int minute = 0, double second = 0.0);

} // namespace testsupport
