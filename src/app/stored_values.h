#pragma once
// The text forms of the values the settings store keeps: every value is plain
// text, so nothing read from the file is ever handed to a deserialiser.
//
//   Boolean   "true" / "false" ("1" and "0", any letter case, also read)
//   integer   decimal, 64-bit ("-3", "100")
//   double    the shortest decimal that reads back to the same double ("51.509865")
//   instant   ISO 8601 in UTC with milliseconds ("2026-09-21T07:33:20.250Z");
//             read with "Z" or an offset ("+02:00", "+0200", "+02"), or with
//             none as a wall time (below); a date alone, or a space in place
//             of the "T", is no instant: it names no zone to read it in
//   wall time ISO 8601 date and clock time with milliseconds and no zone
//             ("2026-09-21T18:00:00.000"): a WallTime's fields as they are
//             (wall_time.h), so a clock time stays what it is when the zone
//             changes
//
// Readers take the text between the '=' and the end of the line, and give none
// for anything that is not exactly such a value (surrounding blanks aside).

#include "app/wall_time.h"

#include "platform/core/date.h"

#include <QString>

#include <QtGlobal>
#include <optional>

namespace app::stored {

QString text(bool value);
QString text(qint64 value);
QString text(double value);
QString text(platform::Date value);   // milliseconds: the instant is rounded to the nearest one

std::optional<bool> boolean(const QString& text);
std::optional<qint64> integer(const QString& text);
std::optional<double> number(const QString& text);   // not-a-number and infinities included
// A wall time reads as the instant it names in the current zone (wall_time.h).
std::optional<platform::Date> instant(const QString& text);

QString text(const WallTime& value);
// Only a text without a zone.
std::optional<WallTime> wallTime(const QString& text);

// The one serialised form older versions of the program wrote: an instant as
// Qt's settings wrote a QDateTime ("@DateTime(" escaped bytes ")"). Only the
// fixed layouts of a date-time in UTC, in local time or at an offset from UTC
// are decoded, field by field with their ranges checked; anything else (a
// time zone by name, another length, a bad escape) gives none.
std::optional<platform::Date> legacyInstant(const QString& text);

} // namespace app::stored
