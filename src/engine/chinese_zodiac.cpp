#include "engine/chinese_zodiac.h"

#include <cstdint>

namespace engine {

std::string_view calculateChineseZodiac(int year) {
    // 64-bit, so the oldest years cannot overflow the subtraction.
    const std::int64_t cycle = static_cast<std::int64_t>(chineseZodiacSigns.size());
    std::int64_t index = (static_cast<std::int64_t>(year) - 1900) % cycle;
    if (index < 0)
        index += cycle;
    return chineseZodiacSigns[static_cast<std::size_t>(index)];
}

} // namespace engine
