#include "ephemeris/lunar_south_node.h"

namespace ephemeris {

Expected<LunarSouthNode> LunarSouthNode::make(const Coordinate<LunarNorthNode>& nodeCoordinate) {
    // The node position carries a sidereal longitude of its own, but the
    // ayanamsha is asked for again so that both wraps start from the same value.
    const auto ayanamsha = Ayanamsha()(nodeCoordinate.date());
    if (!ayanamsha) return ayanamsha.error();
    const double north = nodeCoordinate.longitude();
    return LunarSouthNode(ZodiacCoordinate(north, 180.0), ZodiacCoordinate(north, 180.0 + *ayanamsha));
}

} // namespace ephemeris
