#include "platform/desktop/qt_dates.h"

#include <cmath>
#include <limits>

namespace platform {

QDateTime toQDateTime(Date date) {
    const double ms = std::round(date.secondsSince1970() * 1000.0);
    if (!std::isfinite(ms) || std::fabs(ms) > static_cast<double>(std::numeric_limits<qint64>::max() / 2)) return {};
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ms), Qt::UTC);
}

std::optional<Date> fromQDateTime(const QDateTime& dateTime) {
    if (!dateTime.isValid()) return std::nullopt;
    return Date::fromSecondsSince1970(static_cast<double>(dateTime.toMSecsSinceEpoch()) / 1000.0);
}

} // namespace platform
