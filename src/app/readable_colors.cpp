#include "app/readable_colors.h"

#include <algorithm>
#include <cmath>

namespace app {
namespace {

// Relative luminance of an sRGB colour (WCAG 2.1).
double luminance(const QColor& colour) {
    auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

QColor mixed(const QColor& from, const QColor& to, double share) {
    auto channel = [share](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * share)); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue()));
}

bool readableOn(const QColor& colour, const QPalette& palette, double contrast) {
    return contrastRatio(colour, palette.color(QPalette::Window)) >= contrast &&
           contrastRatio(colour, palette.color(QPalette::Base)) >= contrast;
}

// `from` taken toward `to` by the largest share (in steps of 1/64) that keeps
// `contrast` against the window and the base; `from` itself when no share does.
QColor farthestReadable(const QColor& from, const QColor& to, const QPalette& palette, double contrast) {
    for (int step = 64; step > 0; --step) {
        const QColor candidate = mixed(from, to, step / 64.0);
        if (readableOn(candidate, palette, contrast)) return candidate;
    }
    return from;
}

} // namespace

double contrastRatio(const QColor& first, const QColor& second) {
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor secondaryTextColor(const QPalette& palette) {
    const QColor text = palette.color(QPalette::WindowText);
    // Half way to the window at most: further, it would stop reading as text.
    return farthestReadable(text, mixed(text, palette.color(QPalette::Window), 0.5), palette, textContrast);
}

QColor controlFrameColor(const QPalette& palette) {
    return farthestReadable(palette.color(QPalette::WindowText), palette.color(QPalette::Window), palette,
                            controlContrast);
}

QColor errorTextColor(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    const bool darkGround = contrastRatio(base, Qt::black) < contrastRatio(base, Qt::white);
    // From a plain red toward the text colour until it reads on the base.
    const QColor red = darkGround ? QColor(255, 120, 120) : QColor(200, 0, 0);
    for (int step = 0; step <= 64; ++step) {
        const QColor candidate = mixed(red, palette.color(QPalette::Text), step / 64.0);
        if (contrastRatio(candidate, base) >= textContrast) return candidate;
    }
    return palette.color(QPalette::Text);
}

} // namespace app
