#include "local_dates.h"

#include <QDateTime>
#include <QTimeZone>

namespace testsupport {

std::optional<ClockGap> firstClockGap(int fromYear) {
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QDateTime from(QDate(fromYear, 1, 1), QTime(0, 0), Qt::UTC);
    const auto transitions = zone.transitions(from, from.addYears(10));
    for (const auto& transition : transitions) {
        const int before = zone.offsetFromUtc(transition.atUtc.addSecs(-1));
        const int after = transition.offsetFromUtc;
        if (after <= before || after - before >= 86400) continue;
        // Wall-clock fields, held in a UTC date-time so that no zone moves them.
        const QDateTime gapStart = transition.atUtc.toUTC().addSecs(before);
        const QDateTime inside = gapStart.addSecs((after - before) / 2);
        ClockGap gap;
        gap.year = inside.date().year();
        gap.month = inside.date().month();
        gap.day = inside.date().day();
        gap.hour = inside.time().hour();
        gap.minute = inside.time().minute();
        gap.length = after - before;
        gap.noonOfDay = local(gap.year, gap.month, gap.day, 12, 0);
        const QDateTime wall(inside.date(), QTime(gap.hour, gap.minute), Qt::UTC);
        gap.movedForward = platform::Date::fromSecondsSince1970(static_cast<double>(wall.toSecsSinceEpoch() - before));
        return gap;
    }
    return std::nullopt;
}

} // namespace testsupport
