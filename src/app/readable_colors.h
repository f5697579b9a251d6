#pragma once
// Colours that stay readable on a palette's grounds, as WCAG 2.1 level AA asks:
// text at a contrast of at least 4.5:1, the boundaries of controls (the frame
// of a check box or a field) at least 3:1, against both the window and the
// base (the ground of fields and of the preferences' panels). Each is worked out
// from the palette it is asked of, so it holds in the program's light and dark
// themes as in whatever look the desktop gives.

#include <QColor>
#include <QPalette>

namespace app {

inline constexpr double textContrast = 4.5;
inline constexpr double controlContrast = 3.0;

// The contrast ratio of two opaque colours, from 1 (equal) to 21 (black on white).
double contrastRatio(const QColor& first, const QColor& second);

// Text that is secondary to the main text (section headers and footers): the
// main text colour taken toward the window as far as it stays readable.
QColor secondaryTextColor(const QPalette& palette);

// The frame of a control: the text colour taken toward the window only as far
// as needed to stand out from the window and the base.
QColor controlFrameColor(const QPalette& palette);

// Text that tells of an error (a value that cannot be taken): a red that is
// readable on the base.
QColor errorTextColor(const QPalette& palette);

} // namespace app
