// The serialisers of the body kinds without code of their own.
#include "ephemeris/asteroid.h"
#include "ephemeris/fixed_star.h"
#include "ephemeris/json.h"
#include "ephemeris/lunar_north_node.h"

template struct ephemeris::coding::RawValueSerializer<ephemeris::Asteroid>;
template struct ephemeris::coding::RawValueSerializer<ephemeris::LunarNorthNode>;
template struct ephemeris::coding::RawValueSerializer<ephemeris::FixedStar>;
