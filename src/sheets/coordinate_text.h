#pragma once
// Coordinates as the user reads and types them: decimal degrees with up to ten
// fraction digits, in the user's locale, without grouping.
//
// Reading takes the locale's own decimal separator and, in every locale, "."
// too. A text is a coordinate only when it is a finite number within the
// axis's range (app/coordinates.h); otherwise it is no number (in the locale,
// nor with ".") or a number out of range.

#include "app/coordinates.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace sheets {

using app::CoordinateAxis;
using app::isValidCoordinate;

// None when the text is not a valid coordinate on the axis.
std::optional<double> readCoordinate(const QString& text, CoordinateAxis axis, const QLocale& locale = QLocale());

enum class CoordinateFault { notANumber, outOfRange };

// What keeps the text from being a coordinate on the axis; none when it is one.
std::optional<CoordinateFault> coordinateFault(const QString& text, CoordinateAxis axis,
                                               const QLocale& locale = QLocale());

// Without trailing zeros ("40.5", "0", "-0.118092"); any double is written,
// valid or not, so that a stored value is always shown as it is.
QString coordinateText(double degrees, const QLocale& locale = QLocale());

} // namespace sheets
