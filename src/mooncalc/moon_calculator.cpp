#include "mooncalc/moon_calculator.h"

#include "datehelper/date_arithmetic.h"
#include "datehelper/seconds_per_unit.h"
#include "mooncalc/eclipse_calculator.h"
#include "mooncalc/moon_age_calculator.h"
#include "mooncalc/moon_phase_calculator.h"
#include "mooncalc/moon_rise_set_calculator.h"
#include "mooncalc/moon_zodiac_sign_calculator.h"
#include "mooncalc/sun_moon_calculator.h"

#include <array>
#include <utility>

namespace mooncalc {
namespace {

std::optional<platform::Date> instantOf(const RiseSetResult& result) {
    return result ? std::optional<platform::Date>(*result) : std::nullopt;
}

// Two searches for one moonrise, started from different instants, settle a
// second or two apart (each refinement stops within a second, and the second
// is truncated); two different moonrises are hours apart.
constexpr double sameEventWithin = 60.0;   // seconds

bool isLaterEvent(platform::Date event, platform::Date than) {
    return event.timeIntervalSince(than) > sameEventWithin;
}

// Below 85 degrees of latitude two moonrises (or moonsets) are at least 18
// hours apart and one lunar day lasts at most 34 hours; where the Moon rises
// every day, at most 26 hours (the Swiss Ephemeris, 2015 to 2035). So when the
// next event found from a midnight comes this long after one, another may lie
// between them on the same UTC day.
constexpr double roomForAnother = 30.0 * datehelper::hourInSeconds;

// The moonrises (or the moonsets) around an instant, from searches started at
// UTC midnights and, where a day may hold two, at the day's last second. From
// a midnight the rise and set calculator finds the first event at or after it:
// the earlier event it may prefer must fall on the same UTC day, so it cannot
// come before midnight. From the day's last second it finds the day's last
// event, which is then nearer than the next. Where the Moon rises every day
// the events of a kind are a day or more apart, and the midnights alone find
// them all; on the day in a month that holds none, the search finds the next
// day's. The searches of one answer are kept, as their lunar days share them.
class MoonEvents {
public:
    enum class Kind : bool { rise, set };
    MoonEvents(const MoonRiseSetCalculatorInterface& calculator, Kind kind) : calculator_(calculator), kind_(kind) {}

    // The first event at or after the UTC midnight `dayStart`.
    std::optional<platform::Date> fromDayStart(platform::Date dayStart) { return search(dayStart); }

    // The last event of the UTC day that starts at `dayStart`, or the first
    // after it when that is nearer.
    std::optional<platform::Date> fromDayEnd(platform::Date dayStart) {
        return search(dayStart.addingTimeInterval(datehelper::dayInSeconds - 1.0));
    }

    // The first event more than a minute after `event`: the next day's first,
    // or where that is far off, one later the same day. The day is the one
    // whose midnight search may have found `event` a few seconds early.
    std::optional<platform::Date> after(platform::Date event) {
        const platform::Date day = datehelper::startOfDay(event.addingTimeInterval(sameEventWithin));
        auto next = fromDayStart(day.addingTimeInterval(datehelper::dayInSeconds));
        if (next && !isLaterEvent(*next, event)) next.reset();
        if (next && next->timeIntervalSince(event) <= roomForAnother) return next;
        const auto late = fromDayEnd(day);
        if (late && isLaterEvent(*late, event) && (!next || isLaterEvent(*next, *late))) return late;
        return next;
    }

    // The last event at or before `date`: the first of that UTC day, or of
    // the day before, or, when there was none that day, of the one before
    // that; then the events after it up to `date`. Absent when none of the
    // three days gives one (a Moon that stays up or down for days, a failed
    // search).
    std::optional<platform::Date> lastAtOrBefore(platform::Date date) {
        const platform::Date day = datehelper::startOfDay(date);
        std::optional<platform::Date> later;   // found from a later midnight
        for (int back = 0; back < 3; ++back) {
            const auto event = fromDayStart(day.addingTimeInterval(-back * datehelper::dayInSeconds));
            if (!event) continue;
            // The search from the midnight before a day without an event
            // finds the later one again, perhaps a second off.
            if (*event <= date && (!later || isLaterEvent(*later, *event))) return onTo(*event, date, later);
            later = event;
        }
        return std::nullopt;
    }

    // The first event after `date`: that UTC day's first if it comes later,
    // else the first after the last one at or before `date`, or without one
    // that day the next day's first. Absent when no search gives one.
    std::optional<platform::Date> firstAfter(platform::Date date) {
        const platform::Date day = datehelper::startOfDay(date);
        const auto event = fromDayStart(day);
        if (event && date < *event) return event;
        if (!event) return fromDayStart(day.addingTimeInterval(datehelper::dayInSeconds));
        return after(onTo(*event, date, std::nullopt));
    }

private:
    std::optional<platform::Date> search(platform::Date from) {
        for (std::size_t i = 0; i < count_; ++i)
            if (found_[i].first == from) return found_[i].second;
        const auto event =
            instantOf(kind_ == Kind::rise ? calculator_.getMoonRise(from) : calculator_.getMoonSet(from));
        if (count_ < found_.size()) found_[count_++] = {from, event};
        return event;
    }

    // The last event from `event` on that is not later than `date` (nor the
    // one found from a later midnight, `later`). A UTC day holds two at most
    // below 85 degrees: three steps suffice.
    platform::Date onTo(platform::Date event, platform::Date date, std::optional<platform::Date> later) {
        for (int step = 0; step < 3; ++step) {
            const auto next = after(event);
            if (!next || date < *next || (later && !isLaterEvent(*later, *next))) break;
            event = *next;
        }
        return event;
    }

    const MoonRiseSetCalculatorInterface& calculator_;
    Kind kind_;
    // One answer searches for moonrises from six midnights at most (three days
    // before its own to two after) and from the last seconds of as many days
    // where a day may hold two; beyond sixteen, searches are made but not kept.
    std::array<std::pair<platform::Date, std::optional<platform::Date>>, 16> found_{};
    std::size_t count_ = 0;
};

} // namespace

MoonCalculator::MoonCalculator(ObserverLocation location)
    : MoonCalculator(location, std::make_shared<MoonAgeCalculator>(), std::make_shared<MoonZodiacSignCalculator>()) {}

MoonCalculator::MoonCalculator(ObserverLocation location,
                               std::shared_ptr<const MoonAgeCalculatorInterface> moonAgeCalculator,
                               std::shared_ptr<const MoonZodiacSignCalculatorInterface> moonZodiacSignCalculator)
    : location_(location),
      moonAgeCalculator_(std::move(moonAgeCalculator)),
      moonZodiacSignCalculator_(std::move(moonZodiacSignCalculator)) {}

const MoonRiseSetCalculatorInterface& MoonCalculator::moonRiseSetCalculator() {
    if (!moonRiseSetCalculator_) moonRiseSetCalculator_ = std::make_unique<MoonRiseSetCalculator>(location_);
    return *moonRiseSetCalculator_;
}

const MoonPhaseCalculatorInterface& MoonCalculator::moonPhaseCalculator() {
    if (!moonPhaseCalculator_) moonPhaseCalculator_ = std::make_unique<MoonPhaseCalculator>(moonAgeCalculator_);
    return *moonPhaseCalculator_;
}

const MoonTrajectoryCalculatorInterface& MoonCalculator::moonTrajectoryCalculator() {
    if (!moonTrajectoryCalculator_)
        moonTrajectoryCalculator_ = std::make_unique<MoonTrajectoryCalculator>(moonAgeCalculator_);
    return *moonTrajectoryCalculator_;
}

void MoonCalculator::setMoonRiseSetCalculator(std::unique_ptr<const MoonRiseSetCalculatorInterface> calculator) {
    moonRiseSetCalculator_ = std::move(calculator);
}

void MoonCalculator::setMoonPhaseCalculator(std::unique_ptr<const MoonPhaseCalculatorInterface> calculator) {
    moonPhaseCalculator_ = std::move(calculator);
}

void MoonCalculator::setMoonTrajectoryCalculator(std::unique_ptr<const MoonTrajectoryCalculatorInterface> calculator) {
    moonTrajectoryCalculator_ = std::move(calculator);
}

MoonInfo MoonCalculator::getInfo(platform::Date date) {
    MoonInfo info;
    info.date = date;
    info.location = location_;
    info.phase = moonPhaseCalculator().getMoonPhase(date);
    info.trajectory = moonTrajectoryCalculator().getMoonTrajectory(date);
    info.moonModels = getMoonModels(date);
    info.previousLunarEclipse = EclipseCalculator::getEclipseFor(date, EclipseCalculator::EclipseType::lunar, false);
    info.nextLunarEclipse = EclipseCalculator::getEclipseFor(date, EclipseCalculator::EclipseType::lunar, true);
    if (const auto calculator = SunMoonCalculator::make(date, location_))
        info.illumination = calculator->getMoonIllumination(date);
    return info;
}

std::vector<MoonModel> MoonCalculator::getMoonModels(platform::Date date) {
    const platform::Date dayStart = datehelper::startOfDay(date);
    const auto dayEnd = datehelper::endOfDay(date);
    if (!dayEnd) return {};
    const std::vector<std::int64_t> numbers = moonAgeCalculator_->getMoonAges(date);
    if (numbers.empty() || numbers.size() > 3) return {};

    const MoonRiseSetCalculatorInterface& calculator = moonRiseSetCalculator();
    MoonEvents rises(calculator, MoonEvents::Kind::rise);
    const MoonZodiacSignCalculatorInterface& signs = *moonZodiacSignCalculator_;
    const MoonZodiacSign endSign = signs.getMoonZodiacSign(*dayEnd);
    // One number: the lunar day that holds the instant.
    if (numbers.size() == 1)
        return {MoonModel{numbers[0], endSign, rises.lastAtOrBefore(date), rises.firstAfter(date)}};

    const MoonZodiacSign startSign = signs.getMoonZodiacSign(dayStart);
    const auto todaysRise = rises.fromDayStart(dayStart);
    // The first lunar day ends at today's rise and begins at the one before.
    const auto previousRise = todaysRise ? rises.lastAtOrBefore(todaysRise->addingTimeInterval(-sameEventWithin))
                                         : rises.lastAtOrBefore(dayStart.addingTimeInterval(-1.0));
    // When the day holds three, the second runs from today's rise to the first
    // moonset after it: the set nearest the day's end may come before the rise
    // and turn the lunar days back. Without a rise to go by, that nearest set.
    std::optional<platform::Date> todaysSet;
    if (numbers.size() == 3)
        todaysSet = todaysRise ? MoonEvents(calculator, MoonEvents::Kind::set).firstAfter(*todaysRise)
                               : instantOf(calculator.getMoonSet(*dayEnd));
    // The last begins at today's rise, or at today's set when the day holds
    // three, and ends at the next moonrise after it.
    const std::optional<platform::Date> lastInner = todaysSet ? todaysSet : todaysRise;
    const auto nextRise = lastInner ? rises.firstAfter(lastInner->addingTimeInterval(sameEventWithin))
                                    : rises.firstAfter(*dayEnd);

    std::vector<MoonModel> models;
    models.push_back({numbers[0], startSign, previousRise, todaysRise});
    if (numbers.size() == 2) {
        models.push_back({numbers[1], endSign, todaysRise, nextRise});
    } else {
        models.push_back({numbers[1], endSign, todaysRise, todaysSet});
        models.push_back({numbers[2], endSign, todaysSet, nextRise});
    }
    // Whatever the events found, no lunar day ends at or before its start.
    for (MoonModel& model : models)
        if (model.begin && model.finish && !(*model.begin < *model.finish)) model.finish.reset();
    return models;
}

} // namespace mooncalc
