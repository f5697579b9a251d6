#include "app/stored_values.h"

#include "platform/desktop/qt_dates.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <charconv>
#include <string>

namespace app::stored {
namespace {

template <class T>
std::optional<T> parsed(const QString& text) {
    const std::string ascii = text.trimmed().toStdString();
    if (ascii.empty()) return std::nullopt;
    T value{};
    const char* end = ascii.data() + ascii.size();
    const auto [stop, error] = std::from_chars(ascii.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

int digitValue(QChar c) {
    const char16_t u = c.toLower().unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    return 99;
}

// Qt's settings escapes: \a \b \f \n \r \t \v \" \' \? \\ \; \, \=, octal
// (\0, \12) and hexadecimal (\x1f) codes, each code at most one byte.
std::optional<QByteArray> unescaped(QStringView text) {
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c > 0x7e || c < 0x20) return std::nullopt;
        if (c != u'\\') {
            bytes.append(static_cast<char>(c));
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        const char16_t e = text[i].unicode();
        auto code = [&](int base, int digits) -> std::optional<char> {
            int value = 0;
            int taken = 0;
            for (; i < text.size() && taken < digits; ++i, ++taken) {
                const int digit = digitValue(text[i]);
                if (digit >= base) break;
                value = value * base + digit;
            }
            --i;
            if (taken == 0 || value > 0xff) return std::nullopt;
            return static_cast<char>(value);
        };
        std::optional<char> byte;
        switch (e) {
        case u'a': byte = '\a'; break;
        case u'b': byte = '\b'; break;
        case u'f': byte = '\f'; break;
        case u'n': byte = '\n'; break;
        case u'r': byte = '\r'; break;
        case u't': byte = '\t'; break;
        case u'v': byte = '\v'; break;
        case u'"': case u'\'': case u'?': case u'\\': case u';': case u',': case u'=':
            byte = static_cast<char>(e);
            break;
        case u'x':
            ++i;
            byte = code(16, 4);
            break;
        default:
            if (e >= u'0' && e <= u'7') byte = code(8, 3);
            break;
        }
        if (!byte) return std::nullopt;
        bytes.append(*byte);
    }
    return bytes;
}

// The three parts of an ISO 8601 date-time "2026-09-21T18:00:00.000+02:00":
// the date, the clock time and the zone designator (empty when there is none).
struct IsoParts {
    QString date;
    QString clock;
    QString zone;
};

std::optional<IsoParts> isoParts(const QString& text) {
    const QString trimmed = text.trimmed();
    // An ISO 8601 date-time is short; a longer text is none of ours.
    if (trimmed.size() > 40 || trimmed.indexOf(QLatin1Char('T')) != 10) return std::nullopt;
    const QString rest = trimmed.sliced(11);
    qsizetype zone = rest.size();
    for (const QChar designator : {QLatin1Char('Z'), QLatin1Char('+'), QLatin1Char('-')}) {
        const qsizetype at = rest.indexOf(designator);
        if (at >= 0) zone = std::min(zone, at);
    }
    return IsoParts{trimmed.first(10), rest.first(zone), rest.sliced(zone)};
}

// "Z", or an offset as "+hh:mm", "+hhmm" or "+hh" (or '-'), of at most 18 hours.
std::optional<int> offsetSeconds(const QString& zone) {
    if (zone == QLatin1String("Z")) return 0;
    const QString digits = QString(zone.sliced(1)).remove(QLatin1Char(':'));
    const bool shaped = (zone.size() == 3 && digits.size() == 2) || (zone.size() == 5 && digits.size() == 4) ||
                        (zone.size() == 6 && digits.size() == 4 && zone[3] == QLatin1Char(':'));
    if (!shaped || !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        return std::nullopt;
    }
    const int hours = digits.first(2).toInt();
    const int minutes = digits.size() == 4 ? digits.sliced(2).toInt() : 0;
    if (minutes > 59 || hours * 60 + minutes > 18 * 60) return std::nullopt;
    return (zone[0] == QLatin1Char('-') ? -60 : 60) * (hours * 60 + minutes);
}

std::uint64_t bigEndian(const QByteArray& bytes, int at, int count) {
    std::uint64_t value = 0;
    for (int k = 0; k < count; ++k) value = (value << 8) | static_cast<unsigned char>(bytes[at + k]);
    return value;
}

} // namespace

QString text(bool value) { return value ? QStringLiteral("true") : QStringLiteral("false"); }
QString text(qint64 value) { return QString::number(value); }

QString text(double value) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? QString::fromLatin1(buffer, end - buffer) : QString();
}

QString text(platform::Date value) { return platform::toQDateTime(value).toString(Qt::ISODateWithMs); }

std::optional<bool> boolean(const QString& text) {
    const QString word = text.trimmed().toLower();
    if (word == QLatin1String("true") || word == QLatin1String("1")) return true;
    if (word == QLatin1String("false") || word == QLatin1String("0")) return false;
    return std::nullopt;
}

std::optional<qint64> integer(const QString& text) { return parsed<qint64>(text); }
std::optional<double> number(const QString& text) { return parsed<double>(text); }

std::optional<platform::Date> instant(const QString& text) {
    if (const auto local = wallTime(text)) return instantOf(*local);
    const auto parts = isoParts(text);
    if (!parts || parts->zone.isEmpty()) return std::nullopt;
    const auto offset = offsetSeconds(parts->zone);
    const QDate date = QDate::fromString(parts->date, Qt::ISODate);
    const QTime time = QTime::fromString(parts->clock, Qt::ISODateWithMs);
    if (!offset || !date.isValid() || !time.isValid()) return std::nullopt;
    // A fixed offset: Qt never asks for local time to place it.
    return platform::fromQDateTime(QDateTime(date, time, Qt::OffsetFromUTC, *offset));
}

QString text(const WallTime& value) {
    return QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02d.%03d", value.year, value.month, value.day, value.hour,
                             value.minute, value.second, value.millisecond);
}

std::optional<WallTime> wallTime(const QString& text) {
    const auto parts = isoParts(text);
    if (!parts || !parts->zone.isEmpty()) return std::nullopt;
    const QDate date = QDate::fromString(parts->date, Qt::ISODate);
    const QTime time = QTime::fromString(parts->clock, Qt::ISODateWithMs);
    if (!date.isValid() || !time.isValid()) return std::nullopt;
    return WallTime{date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second(), time.msec()};
}

std::optional<platform::Date> legacyInstant(const QString& text) {
    const QString trimmed = text.trimmed();
    const QLatin1String opening("@DateTime(");
    if (trimmed.size() > 200 || !trimmed.startsWith(opening) || !trimmed.endsWith(QLatin1Char(')'))) {
        return std::nullopt;
    }
    const auto bytes = unescaped(QStringView(trimmed).sliced(opening.size(), trimmed.size() - opening.size() - 1));
    // Type 16 (a date-time), not null; Julian day (64 bits), milliseconds of the
    // day (32 bits), the kind of time (8 bits), and for an offset its seconds (32 bits).
    if (!bytes || (bytes->size() != 18 && bytes->size() != 22)) return std::nullopt;
    if (bigEndian(*bytes, 0, 4) != 16 || (*bytes)[4] != 0) return std::nullopt;
    const auto julianDay = static_cast<qint64>(bigEndian(*bytes, 5, 8));
    const auto milliseconds = static_cast<int>(bigEndian(*bytes, 13, 4));
    const int kind = static_cast<unsigned char>((*bytes)[17]);

    const QDate date = QDate::fromJulianDay(julianDay);
    const QTime time = QTime::fromMSecsSinceStartOfDay(milliseconds);
    if (!date.isValid() || !time.isValid() || milliseconds < 0) return std::nullopt;
    QDateTime read;
    // Local time is read in the program's own zone: Qt's would ask the C
    // library for the host's zone, which may block on a zone file that is a FIFO.
    if (bytes->size() == 18 && kind == Qt::LocalTime) {
        return instantOf(
            {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second(), time.msec()});
    }
    if (bytes->size() == 18 && kind == Qt::UTC) {
        read = QDateTime(date, time, Qt::UTC);
    } else if (bytes->size() == 22 && kind == Qt::OffsetFromUTC) {
        const auto offset = static_cast<qint32>(bigEndian(*bytes, 18, 4));
        if (offset < -14 * 3600 || offset > 14 * 3600) return std::nullopt;
        read = QDateTime(date, time, Qt::OffsetFromUTC, offset);
    }
    return platform::fromQDateTime(read);
}

} // namespace app::stored
