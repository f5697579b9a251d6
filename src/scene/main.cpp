#include "app/console.h"
#include "platform/core/time_zone.h"
#include "platform/core/zone_environment.h"
#include "scene/application_scene.h"

int main(int argc, char* argv[]) {
    // ICU is handed the zone the program reads itself before anything (our own
    // code, or Qt's) can ask ICU for its default and make it search the host's
    // zone, which would block on a FIFO named by TZ (see time_zone.h).
    platform::TimeZone::handCurrentToIcu();
    // The C library, which Qt and others ask for local time, would block the
    // same way: before Qt starts, TZ and TZDIR are made safe for it.
    if (const auto change = platform::makeZoneEnvironmentSafe()) app::print(change->line());
    return scene::ApplicationScene::main(argc, argv);
}
