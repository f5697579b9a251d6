#include "engine/color_adjustment.h"

#include <algorithm>
#include <cmath>

namespace engine {

using platform::Color;

std::optional<Color> adjust(const Color& color, double percentage) {
    if (!std::isfinite(percentage) || !std::isfinite(color.red) || !std::isfinite(color.green) ||
        !std::isfinite(color.blue) || !std::isfinite(color.alpha))
        return std::nullopt;
    const double step = percentage / 100.0;
    // Capped at full scale only: a darker dim colour keeps its negative,
    // extended-range components.
    return Color{std::min(color.red + step, 1.0), std::min(color.green + step, 1.0),
                 std::min(color.blue + step, 1.0), color.alpha};
}

std::optional<Color> lighter(const Color& color, double percentage) {
    return adjust(color, std::fabs(percentage));
}

std::optional<Color> darker(const Color& color, double percentage) {
    return adjust(color, -std::fabs(percentage));
}

} // namespace engine
