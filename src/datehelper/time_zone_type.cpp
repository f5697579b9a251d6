#include "datehelper/time_zone_type.h"

namespace datehelper {

platform::TimeZone TimeZoneType::timeZone() const {
    switch (kind_) {
    case Kind::custom: return platform::TimeZone::withSecondsFromGMT(seconds_).value_or(platform::TimeZone::utc());
    case Kind::local:
    case Kind::defaultZone: return platform::TimeZone::current();
    case Kind::utc: break;
    }
    return platform::TimeZone::utc();
}

} // namespace datehelper
