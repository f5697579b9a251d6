#include "sheets/coordinate_text.h"

#include <cmath>

namespace sheets {
namespace {

constexpr int maximumFractionDigits = 10;

std::optional<double> number(const QString& text, QLocale locale) {
    // Grouping has no place in degrees; refusing it keeps "1.5" from reading
    // as fifteen in a locale that groups with ".".
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok) return std::nullopt;
    return value;
}

std::optional<double> finiteNumber(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    auto value = number(trimmed, locale);
    if (!value) value = number(trimmed, QLocale::c());
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

} // namespace

std::optional<double> readCoordinate(const QString& text, CoordinateAxis axis, const QLocale& locale) {
    const auto value = finiteNumber(text, locale);
    if (!value || !isValidCoordinate(*value, axis)) return std::nullopt;
    return *value == 0.0 ? 0.0 : *value;   // no "-0"
}

std::optional<CoordinateFault> coordinateFault(const QString& text, CoordinateAxis axis, const QLocale& locale) {
    const auto value = finiteNumber(text, locale);
    if (!value) return CoordinateFault::notANumber;
    if (!isValidCoordinate(*value, axis)) return CoordinateFault::outOfRange;
    return std::nullopt;
}

QString coordinateText(double degrees, const QLocale& locale) {
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    double shown = degrees == 0.0 ? 0.0 : degrees;
    const double scale = std::pow(10.0, maximumFractionDigits);
    // Beyond 1e5 degrees the scaled value loses its last digits; such a value
    // is no coordinate and is shown as it stands.
    if (std::isfinite(shown) && std::fabs(shown) < 1e5) shown = std::round(shown * scale) / scale;
    if (shown == 0.0) shown = 0.0;
    return plain.toString(shown, 'f', QLocale::FloatingPointShortest);
}

} // namespace sheets
