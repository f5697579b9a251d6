#include "platform/core/time_zone.h"
#include "scene/application_scene.h"

int main(int argc, char* argv[]) {
    // ICU is handed the zone the program reads itself before anything (our own
    // code, or Qt's) can ask ICU for its default and make it search the host's
    // zone, which would block on a FIFO named by TZ (see time_zone.h).
    static_cast<void>(platform::TimeZone::current());
    return scene::ApplicationScene::main(argc, argv);
}
