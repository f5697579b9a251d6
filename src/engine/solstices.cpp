#include "engine/solstices.h"

#include "engine/internal/local_day.h"
#include "engine/internal/year_events.h"
#include "platform/core/calendar.h"
#include "platform/core/earth.h"
#include "platform/core/julian_day.h"

#include <cmath>

namespace engine {

using platform::Calendar;
using platform::Date;

namespace detail {

// The Earth object names its year by the calendar year of the Julian day it is
// built for, so it is given the start of 1 January; east of UTC that moment
// still lies in the old year by UTC, but it is the new year where the user is.
// The event comes back in universal time; its fraction of a second is dropped
// (toward the past).
Date eventInstant(const Calendar& calendar, int year, YearEvent which) {
    const auto newYearsDay = startOfLocalDay(calendar, year, 1, 1);
    if (!newYearsDay)
        return Date::now();

    const astronomy::Earth earth(astronomy::JulianDay::of(*newYearsDay), true);
    astronomy::JulianDay event;
    switch (which) {
    case YearEvent::marchEquinox: event = earth.equinox(astronomy::Equinox::march); break;
    case YearEvent::juneSolstice: event = earth.solstice(astronomy::Solstice::june); break;
    case YearEvent::septemberEquinox: event = earth.equinox(astronomy::Equinox::september); break;
    case YearEvent::decemberSolstice: event = earth.solstice(astronomy::Solstice::december); break;
    }
    return Date::fromSecondsSince1970(std::floor(event.date().secondsSince1970()));
}

} // namespace detail

namespace {

Date instantIn(int year, detail::YearEvent event) { return detail::eventInstant(detail::userCalendar(), year, event); }

} // namespace

Date getSpringEquinoxDate(int year) { return instantIn(year, detail::YearEvent::marchEquinox); }
Date getSummerSolsticeDate(int year) { return instantIn(year, detail::YearEvent::juneSolstice); }
Date getAutumnEquinoxDate(int year) { return instantIn(year, detail::YearEvent::septemberEquinox); }
Date getWinterSolsticeDate(int year) { return instantIn(year, detail::YearEvent::decemberSolstice); }

} // namespace engine
