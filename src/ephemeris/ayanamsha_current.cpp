#include "ephemeris/ayanamsha.h"

namespace ephemeris {

const Expected<double>& Ayanamsha::current() {
    // A function-local static: computed once, even when first read on two threads at once.
    static const Expected<double> value = Ayanamsha()(platform::Date::now());
    return value;
}

} // namespace ephemeris
