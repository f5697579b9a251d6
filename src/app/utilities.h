#pragma once
// The appearance preference applied to the program. Qt has no light/dark switch
// of its own, so a dark or a light palette (on the Fusion style, with frames
// that stand out: contrast_style.h) is set on the whole application, which every
// window and sheet then follows; "follow the system" brings back the style and
// palette the program started with. Both palettes keep every text at 4.5:1 or
// more on its ground (readable_colors.h).

#include <QtGlobal>

#include <optional>

namespace app {

enum class ColorScheme { light, dark };

enum class InterfaceStyle : int { unspecified = 0, light = 1, dark = 2 };

// 2 dark, 1 light, anything else follows the system.
InterfaceStyle interfaceStyleForTheme(qint64 theme) noexcept;

// Sets the style on the running application; nothing without one.
void applyInterfaceStyle(InterfaceStyle style);
InterfaceStyle appliedInterfaceStyle() noexcept;

class Utilities {
public:
    Utilities() = default;

    // A preferred scheme that nothing reads: the theme comes from the stored preference.
    std::optional<ColorScheme> userInterfaceStyle() const noexcept { return userInterfaceStyle_; }
    void setUserInterfaceStyle(std::optional<ColorScheme> scheme) noexcept { userInterfaceStyle_ = scheme; }

    // Reads the theme as last saved (through a new UserSettings) and applies it.
    void overrideDisplayMode();

private:
    std::optional<ColorScheme> userInterfaceStyle_ = ColorScheme::dark;
};

} // namespace app
