#pragma once
// Lighter and darker variants of a colour: each of red, green and blue moves by
// a percentage of full scale. A component is capped at 1 but has no lower bound,
// so a darker variant of a dim component goes below 0 (an extended-range value).

#include "platform/core/color.h"

#include <optional>

namespace engine {

// The colour with percentage / 100 added to red, green and blue; alpha unchanged.
// No colour when a component or the percentage is not a finite number.
std::optional<platform::Color> adjust(const platform::Color& color, double percentage = 30.0);
std::optional<platform::Color> lighter(const platform::Color& color, double percentage = 30.0);   // by |percentage|
std::optional<platform::Color> darker(const platform::Color& color, double percentage = 30.0);    // by -|percentage|

} // namespace engine
