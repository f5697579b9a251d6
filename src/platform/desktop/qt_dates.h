#pragma once
// The instant of the platform layer and Qt's date-time, both ways. Qt keeps
// milliseconds, so an instant comes back rounded to the nearest millisecond.

#include "platform/core/date.h"

#include <QDateTime>

#include <optional>

namespace platform {

QDateTime toQDateTime(Date date);                               // in UTC
std::optional<Date> fromQDateTime(const QDateTime& dateTime);   // none when invalid

} // namespace platform
