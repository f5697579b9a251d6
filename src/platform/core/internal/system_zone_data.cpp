#include "platform/core/internal/system_zone_data.h"

#include "platform/core/internal/icu_support.h"
#include "platform/core/internal/posix_tz_string.h"
#include "platform/core/internal/indexed_rules_time_zone.h"
#include "platform/core/internal/shared_rules_time_zone.h"
#include "platform/core/julian_day_numbers.h"

#include <unicode/dtrule.h>
#include <unicode/rbtz.h>
#include <unicode/tzrule.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace platform::system_zone_data {

namespace {

constexpr std::size_t maxIdentifierLength = 64;
// Real zones record a few hundred changes; setting up a rule-based zone takes
// time that grows with the square of their number.
constexpr std::size_t maxTransitions = 2000;
// Changes outside the calendar's range are never consulted.
constexpr double farSeconds = icu_support::limitSeconds;
// The first year yearly rules are ever evaluated in: the years of the calendar
// that matter lie well after it.
constexpr std::int32_t earliestRuleYear = -10000;
// The yearly rules of a file start from the civil year of its last recorded
// change, which must lie well after earliestRuleYear.
constexpr std::int64_t yearlyRulesLimitSeconds = 250'000'000'000;

// A stretch of time with one local time type. ICU wants the offset split into a
// standard part (raw) and daylight saving.
struct Period {
    std::int64_t start = 0;   // seconds since 1970; unused for the first period
    std::int32_t total = 0;
    bool daylightFlag = false;
    std::string abbreviation;
    std::int32_t raw = 0;
    std::int32_t savings = 0;
};

Period periodOf(const tzif::LocalTimeType& type, std::int64_t start) {
    Period period;
    period.start = start;
    period.total = type.secondsFromGMT;
    period.daylightFlag = type.isDaylightSaving;
    period.abbreviation = type.abbreviation;
    return period;
}

bool isLetter(char c) noexcept { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }

constexpr std::int32_t usualSavings = 3600;

// Daylight time saves against the standard time before it, or else against the
// one after it. A daylight period below the standard offset before it is
// "inverted"; standard time between inverted periods is then the daylight saving.
void splitOffsets(std::vector<Period>& periods) {
    const std::size_t count = periods.size();
    std::vector<std::optional<std::int32_t>> standardBefore(count);
    std::vector<std::optional<std::int32_t>> standardAfter(count);
    std::optional<std::int32_t> standard;
    for (std::size_t i = 0; i < count; ++i) {
        standardBefore[i] = standard;
        if (!periods[i].daylightFlag) standard = periods[i].total;
    }
    standard.reset();
    for (std::size_t i = count; i-- > 0;) {
        standardAfter[i] = standard;
        if (!periods[i].daylightFlag) standard = periods[i].total;
    }

    std::vector<bool> inverted(count, false);
    for (std::size_t i = 0; i < count; ++i) {
        Period& period = periods[i];
        period.raw = period.total;
        period.savings = 0;
        if (!period.daylightFlag) continue;
        const auto& before = standardBefore[i];
        const auto& after = standardAfter[i];
        if (before && period.total > *before) {
            period.raw = *before;
            period.savings = period.total - *before;
        } else if (after && period.total > *after) {
            // Daylight time that began as the standard offset fell (Kazakhstan, 1991).
            period.raw = *after;
            period.savings = period.total - *after;
        } else if (before ? period.total < *before : after && period.total < *after) {
            inverted[i] = true;
        } else {
            // Daylight time at the standard offset around it: the standard offset
            // itself moved for the season (Argentina 1999, Indiana 1974), which the
            // file does not record. The saving was an hour.
            period.raw = period.total - usualSavings;
            period.savings = usualSavings;
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        Period& period = periods[i];
        if (period.daylightFlag) continue;
        const bool hasPrevious = i > 0;
        const bool hasNext = i + 1 < count;
        const bool previousInverted = hasPrevious && inverted[i - 1];
        const bool nextInverted = hasNext && inverted[i + 1];
        if (!previousInverted && !nextInverted) continue;
        if ((hasPrevious && !previousInverted) || (hasNext && !nextInverted)) continue;
        const std::int32_t lower = nextInverted ? periods[i + 1].total : periods[i - 1].total;
        if (period.total > lower) {
            period.raw = lower;
            period.savings = period.total - lower;
        }
    }
}

// The ICU rule for a POSIX change date. ICU has no day-of-year rule that counts
// 29 February, so the zero-based form is taken only where it cannot matter.
std::optional<icu::DateTimeRule> dateRuleOf(const posix_tz::ChangeDate& date) {
    const std::int32_t millis = date.secondsOfDay * 1000;
    auto onDayOfCommonYear = [millis](int day0) {
        constexpr std::int64_t commonYear = 1970;
        const auto civil = astronomy::gregorianDateOfDayNumber(astronomy::gregorianDayNumber(commonYear, 1, 1) + day0);
        return icu::DateTimeRule(civil.month - 1, civil.day, millis, icu::DateTimeRule::WALL_TIME);
    };
    switch (date.form) {
    case posix_tz::ChangeDate::Form::monthWeekDay:
        // Week 5 is the month's last such weekday, ICU's week -1.
        return icu::DateTimeRule(date.month - 1, date.week == 5 ? -1 : date.week, date.weekday + 1, millis,
                                 icu::DateTimeRule::WALL_TIME);
    case posix_tz::ChangeDate::Form::julianDay:
        return onDayOfCommonYear(date.day - 1);
    case posix_tz::ChangeDate::Form::zeroBasedDay:
        if (date.day < 59) return onDayOfCommonYear(date.day);
        return std::nullopt;
    }
    return std::nullopt;
}

// The year of an instant on the proleptic Gregorian calendar, whose years ICU's
// yearly rules count.
int civilYearOf(std::int64_t seconds) {
    return static_cast<int>(astronomy::gregorianDateOfDayNumber(astronomy::dayNumberOfUnixSeconds(seconds)).year);
}

// The POSIX rule's yearly changes, as ICU rules from `firstYear` on.
struct YearlyRules {
    icu::DateTimeRule intoDaylight;
    icu::DateTimeRule intoStandard;
    std::int32_t firstYear = 0;
    Period daylight;   // raw and savings as the split gives them
    Period standard;
};

// The changes a POSIX rule makes in given years, as periods.
class RuleChanges {
public:
    RuleChanges(const posix_tz::TzString& rule, const icu::DateTimeRule& intoDaylight,
                const icu::DateTimeRule& intoStandard)
        : intoDaylight_(icu::UnicodeString(), 0, 0, intoDaylight, earliestRuleYear,
                        icu::AnnualTimeZoneRule::MAX_YEAR),
          intoStandard_(icu::UnicodeString(), 0, 0, intoStandard, earliestRuleYear,
                        icu::AnnualTimeZoneRule::MAX_YEAR) {
        daylight_.total = rule.daylight->time.secondsFromGMT;
        daylight_.daylightFlag = true;
        daylight_.abbreviation = rule.daylight->time.abbreviation;
        standard_.total = rule.standard.secondsFromGMT;
        standard_.abbreviation = rule.standard.abbreviation;
    }

    // The changes of the years from year - 1 to year + 1 in time order, or
    // std::nullopt where two coincide (daylight time all year round), which ICU's
    // yearly rules cannot express.
    std::optional<std::vector<Period>> around(int year) const {
        std::vector<Period> changes;
        for (int y = year - 1; y <= year + 1; ++y) {
            UDate at = 0;
            if (!intoDaylight_.getStartInYear(y, standard_.total * 1000, 0, at)) return std::nullopt;
            changes.push_back(daylight_);
            changes.back().start = static_cast<std::int64_t>(std::floor(at / 1000.0));
            if (!intoStandard_.getStartInYear(y, daylight_.total * 1000, 0, at)) return std::nullopt;
            changes.push_back(standard_);
            changes.back().start = static_cast<std::int64_t>(std::floor(at / 1000.0));
        }
        std::sort(changes.begin(), changes.end(), [](const Period& a, const Period& b) { return a.start < b.start; });
        for (std::size_t i = 1; i < changes.size(); ++i) {
            if (changes[i].start == changes[i - 1].start) return std::nullopt;
        }
        return changes;
    }

private:
    icu::AnnualTimeZoneRule intoDaylight_;
    icu::AnnualTimeZoneRule intoStandard_;
    Period daylight_;
    Period standard_;
};

// The rule's yearly changes from `firstYear` on, with its two offsets split as
// splitOffsets splits them.
YearlyRules yearlyRulesOf(const posix_tz::TzString& rule, const icu::DateTimeRule& intoDaylight,
                          const icu::DateTimeRule& intoStandard, std::int32_t firstYear) {
    const std::int32_t standardTotal = rule.standard.secondsFromGMT;
    const std::int32_t daylightTotal = rule.daylight->time.secondsFromGMT;
    YearlyRules yearly{intoDaylight, intoStandard, firstYear, {}, {}};
    yearly.daylight.abbreviation = rule.daylight->time.abbreviation;
    yearly.standard.abbreviation = rule.standard.abbreviation;
    if (daylightTotal > standardTotal) {
        yearly.daylight.raw = standardTotal;
        yearly.daylight.savings = daylightTotal - standardTotal;
        yearly.standard.raw = standardTotal;
    } else {
        yearly.daylight.raw = daylightTotal;
        yearly.standard.raw = daylightTotal;
        yearly.standard.savings = standardTotal - daylightTotal;
    }
    return yearly;
}

// Appends the changes the POSIX rule makes after the last recorded change, up to
// the end of the following year at least and past the year of `until`, and
// returns the yearly rules for the years after those. Explicit changes close the
// gap because ICU's yearly rules start at a year's beginning, which may lie
// before the last recorded change.
std::optional<YearlyRules> continueWithRule(std::vector<Period>& periods, const posix_tz::TzString& rule,
                                            std::int64_t until) {
    const auto& daylight = *rule.daylight;
    const std::int32_t standardTotal = rule.standard.secondsFromGMT;
    const std::int32_t daylightTotal = daylight.time.secondsFromGMT;
    // A rule from the beginning of time has no year to start in; a change between
    // equal offsets is no change.
    if (periods.size() < 2 || standardTotal == daylightTotal) return std::nullopt;
    if (periods.back().total != standardTotal && periods.back().total != daylightTotal) return std::nullopt;
    if (std::llabs(periods.back().start) > yearlyRulesLimitSeconds || std::llabs(until) > yearlyRulesLimitSeconds) {
        return std::nullopt;
    }
    auto intoDaylight = dateRuleOf(daylight.start);
    auto intoStandard = dateRuleOf(daylight.end);
    if (!intoDaylight || !intoStandard) return std::nullopt;

    // Files carry the rule's changes explicitly up to 2037, for readers without
    // rules. They are kept: ICU scans recorded changes back from the last one,
    // which for present-day instants is quicker than evaluating yearly rules.
    const RuleChanges ruleChanges(rule, *intoDaylight, *intoStandard);
    const std::int64_t lastStart = periods.back().start;
    const int lastYear = std::max(civilYearOf(lastStart), civilYearOf(until));
    // Three years at a time, the last holding the year after lastYear.
    int year = civilYearOf(lastStart);
    for (;; year += 3) {
        auto changes = ruleChanges.around(year);
        if (!changes) return std::nullopt;
        for (Period& change : *changes) {
            if (change.start > lastStart) periods.push_back(std::move(change));
        }
        if (year + 1 > lastYear) break;
        if (periods.size() > maxTransitions) return std::nullopt;
    }

    return yearlyRulesOf(rule, *intoDaylight, *intoStandard, year + 2);
}

// Each correction lowers the standard offset from its instant on (see the
// header); daylight saving stays as split. Yearly rules, which start after the
// last leap second, carry the last correction.
void countLeapSeconds(std::vector<Period>& periods, std::optional<YearlyRules>& yearly,
                      const std::vector<tzif::LeapSecond>& leaps) {
    if (leaps.empty()) return;
    std::vector<Period> counted;
    counted.reserve(periods.size() + leaps.size());
    std::size_t next = 0;
    std::int32_t correction = 0;
    for (std::size_t i = 0; i < periods.size(); ++i) {
        // The first period has no start: it reaches back to the beginning of time.
        while (i > 0 && next < leaps.size() && leaps[next].at <= periods[i].start) correction = leaps[next++].correction;
        counted.push_back(periods[i]);
        counted.back().raw -= correction;
        const bool last = i + 1 == periods.size();
        while (next < leaps.size() && (last || leaps[next].at < periods[i + 1].start)) {
            correction = leaps[next].correction;
            counted.push_back(periods[i]);
            counted.back().start = leaps[next++].at;
            counted.back().raw -= correction;
        }
    }
    periods = std::move(counted);
    if (yearly) {
        yearly->daylight.raw -= correction;
        yearly->standard.raw -= correction;
    }
}

icu::UnicodeString nameOf(const Period& period) {
    return icu_support::fromUtf8(period.abbreviation);
}

std::unique_ptr<icu::BasicTimeZone> ruleBasedZone(std::string_view identifier, const std::vector<Period>& periods,
                                                  const std::optional<YearlyRules>& yearly) {
    struct Rule {
        const Period* first = nullptr;   // gives the name
        std::vector<UDate> starts;
    };
    std::vector<Rule> rules;
    const Period* current = &periods.front();
    for (std::size_t i = 1; i < periods.size(); ++i) {
        const Period& period = periods[i];
        if (period.raw == current->raw && period.savings == current->savings) continue;
        auto rule = std::find_if(rules.begin(), rules.end(), [&period](const Rule& r) {
            return r.first->raw == period.raw && r.first->savings == period.savings;
        });
        if (rule == rules.end()) rule = rules.insert(rules.end(), Rule{&period, {}});
        rule->starts.push_back(static_cast<UDate>(period.start) * 1000.0);
        current = &period;
    }

    const Period& initial = periods.front();
    auto zone = std::make_unique<icu_support::IndexedRulesTimeZone>(
        icu_support::fromUtf8(identifier),
        new icu::InitialTimeZoneRule(nameOf(initial), initial.raw * 1000, initial.savings * 1000));
    UErrorCode status = U_ZERO_ERROR;
    for (const Rule& rule : rules) {
        zone->addTransitionRule(new icu::TimeArrayTimeZoneRule(nameOf(*rule.first), rule.first->raw * 1000,
                                                               rule.first->savings * 1000, rule.starts.data(),
                                                               static_cast<std::int32_t>(rule.starts.size()),
                                                               icu::DateTimeRule::UTC_TIME),
                                status);
    }
    if (yearly) {
        for (const auto& [period, date] : {std::pair{&yearly->daylight, &yearly->intoDaylight},
                                           std::pair{&yearly->standard, &yearly->intoStandard}}) {
            zone->addTransitionRule(new icu::AnnualTimeZoneRule(nameOf(*period), period->raw * 1000,
                                                                period->savings * 1000, *date, yearly->firstYear,
                                                                icu::AnnualTimeZoneRule::MAX_YEAR),
                                    status);
        }
    }
    zone->complete(status);
    if (U_FAILURE(status)) return nullptr;
    return std::make_unique<icu_support::SharedRulesTimeZone>(std::shared_ptr<const icu::RuleBasedTimeZone>(std::move(zone)));
}

} // namespace

bool isZoneIdentifier(std::string_view identifier) noexcept {
    if (identifier.empty() || identifier.size() > maxIdentifierLength) return false;
    bool partStart = true;
    for (char c : identifier) {
        if (c == '/') {
            if (partStart) return false;
            partStart = true;
        } else if (partStart) {
            if (!isLetter(c)) return false;
            partStart = false;
        } else if (!isLetter(c) && !isDigit(c) && c != '_' && c != '+' && c != '-') {
            return false;
        }
    }
    return !partStart;
}

namespace {

constexpr std::string_view posixVariant = "posix/";
constexpr std::string_view rightVariant = "right/";

bool removePrefix(std::string_view& text, std::string_view prefix) {
    if (text.substr(0, prefix.size()) != prefix) return false;
    text.remove_prefix(prefix.size());
    return true;
}

} // namespace

std::string_view zoneNameInPath(std::string_view path) {
    constexpr std::string_view folder = "zoneinfo/";
    const auto at = path.rfind(folder);
    if (at == std::string_view::npos) return {};
    std::string_view name = path.substr(at + folder.size());
    removePrefix(name, posixVariant);
    return name;
}

std::optional<std::string> resolvedPath(const std::string& path) {
    std::error_code error;
    auto real = std::filesystem::canonical(path, error);
    if (error) return std::nullopt;
    return real.string();
}

std::optional<std::string> zoneNameInFolder(std::string_view realPath) {
    const auto folder = resolvedPath(zoneFolder());
    if (!folder || !removePrefix(realPath, *folder) || !removePrefix(realPath, "/")) return std::nullopt;
    removePrefix(realPath, posixVariant);
    if (!isZoneIdentifier(realPath)) return std::nullopt;
    return std::string(realPath);
}

std::string_view icuIdentifierOf(std::string_view identifier) {
    std::string_view name = identifier;
    if (!name.empty() && name.front() == '/') name = zoneNameInPath(name);
    if (!removePrefix(name, rightVariant)) removePrefix(name, posixVariant);
    return isZoneIdentifier(name) ? name : identifier;
}

std::string zoneFolder() {
    const char* folder = std::getenv("TZDIR");
    if (folder && folder[0] == '/') return folder;
    return systemZoneFolder;
}

namespace {

std::optional<tzif::ZoneData> dataIn(std::string folder, std::string_view identifier) {
    if (!isZoneIdentifier(identifier)) return std::nullopt;
    folder += '/';
    folder += identifier;
    return tzif::readFile(folder);
}

} // namespace

std::unique_ptr<icu::BasicTimeZone> zoneFromSystemData(std::string_view identifier) {
    auto data = dataIn(zoneFolder(), identifier);
    if (!data) return nullptr;
    return zoneFromData(identifier, *data);
}

std::optional<std::string> presentRuleOf(std::string_view identifier) {
    for (std::string folder : {zoneFolder(), std::string(systemZoneFolder)}) {
        auto data = dataIn(std::move(folder), identifier);
        if (data && posix_tz::parse(data->footer)) return std::move(data->footer);
    }
    return std::nullopt;
}

std::unique_ptr<icu::BasicTimeZone> zoneFromRule(std::string_view identifier, const posix_tz::TzString& rule) {
    if (!rule.daylight) return nullptr;
    const std::int32_t standardTotal = rule.standard.secondsFromGMT;
    const std::int32_t daylightTotal = rule.daylight->time.secondsFromGMT;
    if (standardTotal == daylightTotal || std::abs(standardTotal) > maxRuleOffsetSeconds ||
        std::abs(daylightTotal) > maxRuleOffsetSeconds) {
        return nullptr;
    }
    auto intoDaylight = dateRuleOf(rule.daylight->start);
    auto intoStandard = dateRuleOf(rule.daylight->end);
    if (!intoDaylight || !intoStandard) return nullptr;
    // Changes that coincide in some year (daylight time all year round) are
    // beyond ICU's yearly rules. Weekday rules repeat every 400 years.
    const RuleChanges ruleChanges(rule, *intoDaylight, *intoStandard);
    for (int year = 2001; year <= 2400; year += 3) {
        if (!ruleChanges.around(year)) return nullptr;
    }
    const YearlyRules yearly = yearlyRulesOf(rule, *intoDaylight, *intoStandard, earliestRuleYear);
    return ruleBasedZone(identifier, {yearly.standard}, yearly);
}

std::unique_ptr<icu::BasicTimeZone> zoneFromData(std::string_view identifier, const tzif::ZoneData& data) {
    if (data.types.empty()) return nullptr;
    std::optional<posix_tz::TzString> rule;
    if (!data.footer.empty()) {
        rule = posix_tz::parse(data.footer);
        if (!rule) return nullptr;
    }

    std::vector<Period> periods;
    periods.push_back(periodOf(data.types.front(), 0));
    bool changesBeyondRange = false;
    for (const tzif::Transition& transition : data.transitions) {
        const auto& type = data.types.at(transition.type);
        if (static_cast<double>(transition.at) < -farSeconds) {
            periods.front() = periodOf(type, 0);
        } else if (static_cast<double>(transition.at) > farSeconds) {
            changesBeyondRange = true;   // the rule would only continue after them
            break;
        } else {
            periods.push_back(periodOf(type, transition.at));
        }
    }
    if (periods.size() - 1 + data.leapSeconds.size() > maxTransitions) return nullptr;

    for (const tzif::LeapSecond& leap : data.leapSeconds) {
        if (std::fabs(static_cast<double>(leap.at)) > farSeconds) return nullptr;
    }
    std::optional<YearlyRules> yearly;
    if (rule && !changesBeyondRange) {
        if (rule->daylight) {
            // Recorded changes carry the rule past the last leap second.
            const std::int64_t lastLeap = data.leapSeconds.empty() ? periods.back().start : data.leapSeconds.back().at;
            yearly = continueWithRule(periods, *rule, lastLeap);
            if (!yearly) return nullptr;
        } else if (rule->standard.secondsFromGMT != periods.back().total) {
            return nullptr;   // the file contradicts itself
        }
    }
    splitOffsets(periods);
    countLeapSeconds(periods, yearly, data.leapSeconds);
    if (periods.size() - 1 > maxTransitions) return nullptr;
    return ruleBasedZone(icuIdentifierOf(identifier), periods, yearly);
}

} // namespace platform::system_zone_data
