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

// How far from the answer's UTC day moonrises and moonsets are searched: from
// the midnights of the three days before it to that of the second after it.
// An event found outside those six days is not kept, so that every answer
// reaches as far, however its searches went.
constexpr int daysBefore = 3;
constexpr int daysAfter = 2;

// The moonrises (or the moonsets) around an instant, from searches started at
// UTC midnights and, where a day may hold two, at the day's last second. From
// a midnight the rise and set calculator finds the first event at or after it:
// the earlier event it may prefer must fall on the same UTC day, so it cannot
// come before midnight. From the day's last second it finds the day's last
// event, which is then nearer than the next. Where the Moon rises every day
// the events of a kind are a day or more apart, and the midnights alone find
// them all; on a day that holds none, the search finds a later day's, or
// none, and the next midnight's search is asked too. The searches of one
// answer are kept, as their lunar days share them.
class MoonEvents {
public:
    enum class Kind : bool { rise, set };
    // For the answer about the UTC day that starts at `day`.
    MoonEvents(const MoonRiseSetCalculatorInterface& calculator, Kind kind, platform::Date day)
        : calculator_(calculator),
          kind_(kind),
          firstDay_(day.addingTimeInterval(-daysBefore * datehelper::dayInSeconds)),
          lastDay_(day.addingTimeInterval(daysAfter * datehelper::dayInSeconds)) {}

    // The first event at or after the UTC midnight `dayStart`.
    std::optional<platform::Date> fromDayStart(platform::Date dayStart) { return search(dayStart); }

    // The last event of the UTC day that starts at `dayStart`, or the first
    // after it when that is nearer.
    std::optional<platform::Date> fromDayEnd(platform::Date dayStart) {
        return search(dayStart.addingTimeInterval(datehelper::dayInSeconds - 1.0));
    }

    // The first event from the UTC midnight `dayStart` on that comes after
    // `than` (when given): the earliest that the searches from that midnight
    // and the later ones find, up to the first midnight after one found.
    std::optional<platform::Date> firstFrom(platform::Date dayStart, std::optional<platform::Date> than = {}) {
        std::optional<platform::Date> first;
        for (platform::Date midnight = dayStart; midnight <= lastDay_ && !(first && *first < midnight);
             midnight = midnight.addingTimeInterval(datehelper::dayInSeconds)) {
            const auto event = fromDayStart(midnight);
            if (event && (!than || *than < *event) && (!first || *event < *first)) first = event;
        }
        return first;
    }

    // The first event more than a minute after `event`: the first from the
    // next midnight on, or where that is far off, one later the same day. The
    // day is the one whose midnight search may have found `event` a few
    // seconds early.
    std::optional<platform::Date> after(platform::Date event) {
        const platform::Date day = datehelper::startOfDay(event.addingTimeInterval(sameEventWithin));
        const auto next =
            firstFrom(day.addingTimeInterval(datehelper::dayInSeconds), event.addingTimeInterval(sameEventWithin));
        if (next && next->timeIntervalSince(event) <= roomForAnother) return next;
        const auto late = fromDayEnd(day);
        if (late && isLaterEvent(*late, event) && (!next || isLaterEvent(*next, *late))) return late;
        return next;
    }

    // The last event at or before `date`: the first of that UTC day, or of
    // the latest day before it that has one, then the events after it up to
    // `date`. Absent when no day of the reach gives one (a Moon that stays up
    // or down for days, a failed search).
    std::optional<platform::Date> lastAtOrBefore(platform::Date date) {
        std::optional<platform::Date> later;   // found from a later midnight
        for (platform::Date midnight = datehelper::startOfDay(date); firstDay_ <= midnight;
             midnight = midnight.addingTimeInterval(-datehelper::dayInSeconds)) {
            const auto event = fromDayStart(midnight);
            if (!event) continue;
            // The search from the midnight before a day without an event
            // finds the later one again, perhaps a second off.
            if (*event <= date && (!later || isLaterEvent(*later, *event))) return onTo(*event, date, later);
            later = event;
        }
        return std::nullopt;
    }

    // The first event after `date`: the first from its UTC day's midnight on
    // if it comes later, else the first after the last one at or before
    // `date`. Absent when no search of the reach gives one.
    std::optional<platform::Date> firstAfter(platform::Date date) {
        const platform::Date day = datehelper::startOfDay(date);
        const auto event = fromDayStart(day);
        if (!event || date < *event) return firstFrom(day, date);
        return after(onTo(*event, date, std::nullopt));
    }

private:
    std::optional<platform::Date> search(platform::Date from) {
        const platform::Date reachEnd = lastDay_.addingTimeInterval(datehelper::dayInSeconds);
        if (from < firstDay_ || !(from < reachEnd)) return std::nullopt;
        for (std::size_t i = 0; i < count_; ++i)
            if (found_[i].first == from) return found_[i].second;
        auto event = instantOf(kind_ == Kind::rise ? calculator_.getMoonRise(from) : calculator_.getMoonSet(from));
        if (event && (*event < firstDay_ || !(*event < reachEnd))) event.reset();
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
    platform::Date firstDay_;   // the first midnight searched
    platform::Date lastDay_;    // the last
    // One answer searches from the six midnights of its reach at most and
    // from the last seconds of as many days where a day may hold two.
    std::array<std::pair<platform::Date, std::optional<platform::Date>>, 12> found_{};
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
    MoonEvents rises(calculator, MoonEvents::Kind::rise, dayStart);
    const MoonZodiacSignCalculatorInterface& signs = *moonZodiacSignCalculator_;
    const MoonZodiacSign endSign = signs.getMoonZodiacSign(*dayEnd);
    // One number: the lunar day that holds the instant.
    if (numbers.size() == 1)
        return {MoonModel{numbers[0], endSign, rises.lastAtOrBefore(date), rises.firstAfter(date)}};

    const MoonZodiacSign startSign = signs.getMoonZodiacSign(dayStart);
    // The day's first moonrise, or without one that day a later day's.
    const auto todaysRise = rises.firstFrom(dayStart);
    // The first lunar day ends at today's rise and begins at the one before.
    const auto previousRise = todaysRise ? rises.lastAtOrBefore(todaysRise->addingTimeInterval(-sameEventWithin))
                                         : rises.lastAtOrBefore(dayStart.addingTimeInterval(-1.0));
    // When the day holds three, the second runs from today's rise to the first
    // moonset after it: the set nearest the day's end may come before the rise
    // and turn the lunar days back. Without a rise to go by, the set found
    // from the day's last second, which is no earlier day's.
    std::optional<platform::Date> todaysSet;
    if (numbers.size() == 3) {
        MoonEvents sets(calculator, MoonEvents::Kind::set, dayStart);
        todaysSet = todaysRise ? sets.firstAfter(*todaysRise) : sets.fromDayEnd(dayStart);
    }
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
