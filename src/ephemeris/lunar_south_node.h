#pragma once
// The Moon's descending node: opposite the north node on the ecliptic.

#include "ephemeris/coordinate.h"
#include "ephemeris/expected.h"
#include "ephemeris/lunar_north_node.h"
#include "ephemeris/zodiac_coordinate.h"

namespace ephemeris {

class LunarSouthNode {
public:
    // From a position of the mean or true north node: its longitude less 180
    // degrees, and less 180 degrees and the ayanamsha of the node's instant, each
    // wrapped once into the circle. Fails only when the ayanamsha does.
    static Expected<LunarSouthNode> make(const Coordinate<LunarNorthNode>& nodeCoordinate);

    const ZodiacCoordinate& tropical() const noexcept { return tropical_; }
    const ZodiacCoordinate& sidereal() const noexcept { return sidereal_; }

private:
    LunarSouthNode(ZodiacCoordinate tropical, ZodiacCoordinate sidereal) noexcept
        : tropical_(tropical), sidereal_(sidereal) {}

    ZodiacCoordinate tropical_;
    ZodiacCoordinate sidereal_;
};

static_assert(ZodiacMappable<LunarSouthNode>);

} // namespace ephemeris
