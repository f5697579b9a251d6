#pragma once
// Instants written as UTC calendar fields, worked out without the program's own
// calendar, and a scratch folder that is removed again.

#include "support/dates.h"
#include "support/scratch_folder.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace ephemeris_test {

// Instants from UTC fields, shared with the other folders' tests.
using testsupport::utc;

// A folder of the test's own, removed again.
using testsupport::ScratchFolder;

} // namespace ephemeris_test
