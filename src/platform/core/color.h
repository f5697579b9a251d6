#pragma once
// A colour as red, green, blue and alpha, each from 0 to 1, in sRGB.

namespace platform {

struct Color {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double alpha = 1.0;

    // The named colours the program's texts refer to (the light-appearance
    // values of the desktop system palette it was designed on).
    static constexpr Color systemGreen() noexcept { return {52.0 / 255, 199.0 / 255, 89.0 / 255, 1.0}; }
    static constexpr Color systemBlue() noexcept { return {0.0, 122.0 / 255, 1.0, 1.0}; }
    static constexpr Color systemBrown() noexcept { return {162.0 / 255, 132.0 / 255, 94.0 / 255, 1.0}; }
    static constexpr Color white() noexcept { return {1.0, 1.0, 1.0, 1.0}; }
    static constexpr Color black() noexcept { return {0.0, 0.0, 0.0, 1.0}; }

    friend constexpr bool operator==(const Color&, const Color&) noexcept = default;
};

} // namespace platform
