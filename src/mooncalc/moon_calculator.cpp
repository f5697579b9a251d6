#include "mooncalc/moon_calculator.h"

#include "datehelper/date_arithmetic.h"
#include "mooncalc/eclipse_calculator.h"
#include "mooncalc/moon_age_calculator.h"
#include "mooncalc/moon_phase_calculator.h"
#include "mooncalc/moon_rise_set_calculator.h"
#include "mooncalc/moon_zodiac_sign_calculator.h"
#include "mooncalc/sun_moon_calculator.h"

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

// Seconds since 1970, an absent instant counting as 1970 itself.
double secondsOf(const std::optional<platform::Date>& date) {
    return date ? date->secondsSince1970() : 0.0;
}

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
    using datehelper::DateComponentType;
    // The days on each side are UTC days too: a step of one local day from a
    // UTC midnight on a day the clocks change would land in the day beyond.
    const platform::TimeZone utc = platform::TimeZone::utc();
    const platform::Date dayStart = datehelper::startOfDay(date);
    const auto dayEnd = datehelper::endOfDay(date);
    if (!dayEnd) return {};
    const std::vector<std::int64_t> numbers = moonAgeCalculator_->getMoonAges(date);
    if (numbers.empty() || numbers.size() > 3) return {};
    const auto nextDayEnd = datehelper::endOfDay(datehelper::adjust(*dayEnd, DateComponentType::day, 1, utc));
    if (!nextDayEnd) return {};
    const platform::Date previousDayStart =
        datehelper::startOfDay(datehelper::adjust(dayStart, DateComponentType::day, -1, utc));

    const MoonRiseSetCalculatorInterface& riseSet = moonRiseSetCalculator();
    const MoonZodiacSignCalculatorInterface& signs = *moonZodiacSignCalculator_;
    const MoonZodiacSign endSign = signs.getMoonZodiacSign(*dayEnd);
    auto previousRise = instantOf(riseSet.getMoonRise(previousDayStart));
    auto nextRise = instantOf(riseSet.getMoonRise(*nextDayEnd));
    if (numbers.size() == 1) return {MoonModel{numbers[0], endSign, previousRise, nextRise}};

    const MoonZodiacSign startSign = signs.getMoonZodiacSign(dayStart);
    const auto todaysRise = instantOf(riseSet.getMoonRise(dayStart));
    const auto todaysSet = instantOf(riseSet.getMoonSet(*dayEnd));
    // Once a month the Moon does not rise on the previous day, and the search
    // from that day's start finds today's rise: the first lunar day then
    // begins at the rise of the day before.
    if (previousRise && todaysRise && !isLaterEvent(*todaysRise, *previousRise)) {
        const platform::Date earlierStart =
            datehelper::startOfDay(datehelper::adjust(previousDayStart, DateComponentType::day, -1, utc));
        previousRise = instantOf(riseSet.getMoonRise(earlierStart));
        if (previousRise && !isLaterEvent(*todaysRise, *previousRise)) previousRise.reset();
    }
    // The last lunar day begins at today's set when the day holds three.
    const auto lastBegin = numbers.size() == 3 ? todaysSet : todaysRise;

    // When the Moon rises and then sets within the day, the last lunar day ends
    // at the rise nearest the day's end, unless that rise comes before the
    // lunar day begins: a day never ends before it begins.
    if (secondsOf(todaysSet) < secondsOf(nextRise) && secondsOf(todaysRise) < secondsOf(todaysSet)) {
        const auto replacement = instantOf(riseSet.getMoonRise(*dayEnd));
        if (!replacement || !lastBegin || isLaterEvent(*replacement, *lastBegin)) nextRise = replacement;
    }

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
