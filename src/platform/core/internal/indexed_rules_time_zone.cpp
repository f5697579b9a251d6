#include "platform/core/internal/indexed_rules_time_zone.h"

#include "platform/core/internal/calendar_fields.h"
#include "platform/core/julian_day_numbers.h"

#include <unicode/dtrule.h>
#include <unicode/tzrule.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <vector>

namespace platform::icu_support {

namespace detail {

struct Offsets {
    std::int32_t raw = 0;
    std::int32_t dst = 0;
    std::int32_t total() const noexcept { return raw + dst; }
    friend bool operator==(const Offsets&, const Offsets&) = default;
};

// A clock change at a UTC instant, in milliseconds since 1970.
struct Change {
    UDate at = 0.0;
    Offsets before;
    Offsets after;
};

struct OffsetTable {
    Offsets initial;
    // The changes of ICU's own list, in time order: the recorded ones, then the
    // first two of the yearly rules.
    std::vector<Change> changes;
    // The yearly rules' next 800 changes after the last of `changes`: 400 years,
    // after which they repeat 146,097 days later. Empty without yearly rules.
    std::vector<Change> cycle;
    // Where the searches start: for each stretch of 2^33 ms (about 99 days)
    // from the list's first change on, the index of the first change in it.
    std::vector<std::uint16_t> changeBuckets;
    std::vector<std::uint16_t> cycleBuckets;
    // The lowest offset (standard plus daylight saving) the zone ever has.
    std::int32_t lowest = 0;
};

} // namespace detail

namespace {

using detail::Change;
using detail::Offsets;
using detail::OffsetTable;

// BasicTimeZone's bits for reading skipped and repeated wall times, spelled
// through the public option values that combine them.
constexpr std::int32_t formerBit = UCAL_TZ_LOCAL_FORMER;
constexpr std::int32_t latterBit = UCAL_TZ_LOCAL_LATTER;
constexpr std::int32_t standardBit = UCAL_TZ_LOCAL_STANDARD_FORMER & ~UCAL_TZ_LOCAL_FORMER;
constexpr std::int32_t daylightBit = UCAL_TZ_LOCAL_DAYLIGHT_FORMER & ~UCAL_TZ_LOCAL_FORMER;
constexpr std::int32_t standardDaylightMask = daylightBit;
constexpr std::int32_t formerLatterMask = latterBit;

using calendar_fields::millisPerDay;
constexpr double cycleMillis = 146097 * millisPerDay;   // 400 Gregorian years
constexpr int cycleChanges = 800;                         // two changes a year
constexpr double bucketMillis = 8589934592.0;             // 2^33 ms, about 99 days
// Whole milliseconds stay exact in a double, and a cycle added to one stays
// exact, within 2^52 ms (about 142,000 years) of 1970; ICU answers beyond.
constexpr double exactMillis = 4503599627370496.0;
// ICU's earliest instant, from which RuleBasedTimeZone looks for the first
// change of its yearly rules when it has no recorded changes.
constexpr UDate icuMinMillis = -184303902528000000.0;

// How a query reads the instant of a change: as UTC, or as the local time at
// which it happens, with ICU's options for wall times the change skips or
// repeats.
struct Reading {
    bool local = false;
    std::int32_t skipped = formerBit;
    std::int32_t repeated = latterBit;
};

// The offset ICU adds to a change's instant to compare it with a local time
// (RuleBasedTimeZone::getLocalDelta): the options pick which side of the change
// reads the wall times it skips or repeats, by standard or daylight time where
// they name one and the change leads into or out of it, else as the former or
// the latter reading.
std::int32_t localDelta(const Change& change, const Reading& reading) {
    const std::int32_t before = change.before.total();
    const std::int32_t after = change.after.total();
    const bool forward = after - before >= 0;   // skips wall times; else repeats them
    const std::int32_t option = forward ? reading.skipped : reading.repeated;
    const std::int32_t kind = option & standardDaylightMask;
    if (kind == standardBit || kind == daylightBit) {
        const bool daylightToStandard = change.before.dst != 0 && change.after.dst == 0;
        const bool standardToDaylight = change.before.dst == 0 && change.after.dst != 0;
        if (kind == standardBit ? daylightToStandard : standardToDaylight) return forward ? before : after;
        if (kind == standardBit ? standardToDaylight : daylightToStandard) return forward ? after : before;
    }
    const std::int32_t order = option & formerLatterMask;
    if (forward) return order == latterBit ? before : after;
    return order == formerBit ? before : after;
}

// The index of the first change after `value` (as std::upper_bound): from the
// start of its stretch, a step or two on. A binary search over the changes would
// wait on a memory read at each of its halvings, the table being out of cache
// between conversions.
std::size_t firstAfter(const std::vector<Change>& list, const std::vector<std::uint16_t>& buckets, UDate value) {
    std::size_t i = 0;
    const double sinceFirst = value - list.front().at;
    if (sinceFirst >= 0) {
        const double bucket = std::floor(sinceFirst / bucketMillis);
        i = bucket < static_cast<double>(buckets.size()) ? buckets[static_cast<std::size_t>(bucket)] : list.size();
    }
    while (i < list.size() && list[i].at <= value) ++i;
    while (i > 0 && list[i - 1].at > value) --i;   // only where rounding put the stretch one late
    return i;
}

// The offsets in force at `date`, found as RuleBasedTimeZone finds them, with
// the same arithmetic on the same doubles; std::nullopt beyond the table.
//
// A change's local instant lies at least `lowest` after its UTC instant, and
// instants are whole milliseconds, so of the changes after date - lowest only
// the first can be at or before the date (the second, where the subtraction
// rounds): the search starts there and walks back. Changes lie further apart than the zone's offsets differ, so their
// local instants are in order (ICU's tests of the first and the last change
// come down to this search), and the walk takes a step or two.
std::optional<Offsets> lookUp(const OffsetTable& table, UDate date, const Reading& reading) {
    if (!(std::fabs(date) < exactMillis)) return std::nullopt;   // NaN too
    const std::vector<Change>& changes = table.changes;
    if (changes.empty()) return table.initial;
    auto delta = [&reading](const Change& change) { return reading.local ? localDelta(change, reading) : 0; };
    const UDate latestStart = date - table.lowest;
    const auto last = static_cast<std::ptrdiff_t>(changes.size()) - 1;
    auto i = std::min(static_cast<std::ptrdiff_t>(firstAfter(changes, table.changeBuckets, latestStart)) + 1, last);
    // After the list's last change, ICU turns to its yearly rules.
    const bool afterList = i == last && date > changes.back().at + delta(changes.back());
    if (!afterList || table.cycle.empty()) {
        if (afterList) return changes.back().after;
        for (; i >= 0; --i) {
            const Change& change = changes[static_cast<std::size_t>(i)];
            if (date >= change.at + delta(change)) return change.after;
        }
        return table.initial;
    }
    // The yearly rules: of each rule's latest change at or before the date less
    // its local shift, the later. The last change of the list is one of them.
    // Changes are counted on from the cycle's first, through its repetitions.
    const double repetition = std::max(0.0, std::floor((latestStart - table.cycle.front().at) / cycleMillis));
    const auto within = firstAfter(table.cycle, table.cycleBuckets, latestStart - repetition * cycleMillis);
    auto n = static_cast<std::int64_t>(repetition) * cycleChanges + static_cast<std::int64_t>(within) + 2;
    for (; n >= 0; --n) {
        const Change& change = table.cycle[static_cast<std::size_t>(n % cycleChanges)];
        const double shift = static_cast<double>(n / cycleChanges) * cycleMillis;
        if (change.at + shift <= date - delta(change)) return change.after;
    }
    return changes.back().after;
}

Offsets offsetsOf(const icu::TimeZoneRule& rule) {
    return {rule.getRawOffset(), rule.getDSTSavings()};
}

bool isWholeMillisecond(UDate at) {
    return std::fabs(at) < exactMillis && std::floor(at) == at;
}

UDate startOfYear(std::int64_t year) {
    return static_cast<double>(astronomy::gregorianDayNumber(year, 1, 1) - astronomy::unixEpochDayNumber) *
           millisPerDay;
}

std::int64_t yearOf(UDate at) {
    const auto days = static_cast<std::int64_t>(std::floor(at / millisPerDay));
    return astronomy::gregorianDateOfDayNumber(astronomy::unixEpochDayNumber + days).year;
}

// The changes the recorded rules make, as ICU lists them; false where ICU's
// list could differ from the plain merge of their instants: changes at wall
// times, two changes at once, a change to the offsets already in force.
bool appendRecordedChanges(OffsetTable& table, const std::vector<const icu::TimeArrayTimeZoneRule*>& rules) {
    struct Start {
        UDate at;
        Offsets to;
    };
    std::vector<Start> starts;
    for (const icu::TimeArrayTimeZoneRule* rule : rules) {
        if (rule->getTimeType() != icu::DateTimeRule::UTC_TIME) return false;
        for (std::int32_t i = 0; i < rule->countStartTimes(); ++i) {
            UDate at = 0.0;
            if (!rule->getStartTimeAt(i, at) || !isWholeMillisecond(at)) return false;
            starts.push_back({at, offsetsOf(*rule)});
        }
    }
    std::sort(starts.begin(), starts.end(), [](const Start& a, const Start& b) { return a.at < b.at; });
    Offsets current = table.initial;
    for (const Start& start : starts) {
        if (!table.changes.empty() && !(start.at > table.changes.back().at)) return false;
        if (start.to == current) return false;
        table.changes.push_back({start.at, current, start.to});
        current = start.to;
    }
    return true;
}

// The yearly rules' first two changes, as RuleBasedTimeZone::complete appends
// them to its list, then 400 years of their changes; false for rules whose
// changes ICU might find otherwise: a rule that starts before the recorded
// changes end, a change outside its own calendar year, changes that do not
// alternate between the rules.
bool appendYearlyRules(OffsetTable& table, const icu::AnnualTimeZoneRule& rule0,
                       const icu::AnnualTimeZoneRule& rule1) {
    const Offsets offsets0 = offsetsOf(rule0);
    const Offsets offsets1 = offsetsOf(rule1);
    const Offsets current = table.changes.empty() ? table.initial : table.changes.back().after;
    const UDate last = table.changes.empty() ? icuMinMillis : table.changes.back().at;
    if (!table.changes.empty()) {
        // A rule's start moves by at most the largest offset before it.
        double largest = std::abs(table.initial.raw) + std::abs(table.initial.dst);
        for (const Change& change : table.changes) {
            largest = std::max(largest, static_cast<double>(std::abs(change.after.raw) + std::abs(change.after.dst)));
        }
        for (const icu::AnnualTimeZoneRule* rule : {&rule0, &rule1}) {
            UDate first = 0.0;
            if (!rule->getFirstStart(0, 0, first) || !(first - largest > last)) return false;
        }
    }

    UDate at0 = 0.0;
    UDate at1 = 0.0;
    if (!rule0.getNextStart(last, current.raw, current.dst, false, at0) ||
        !rule1.getNextStart(last, current.raw, current.dst, false, at1)) {
        return false;
    }
    const bool zeroFirst = at0 < at1;
    const UDate firstAt = zeroFirst ? at0 : at1;
    const Offsets firstTo = zeroFirst ? offsets0 : offsets1;
    const Offsets secondTo = zeroFirst ? offsets1 : offsets0;
    const icu::AnnualTimeZoneRule& secondRule = zeroFirst ? rule1 : rule0;
    UDate secondAt = 0.0;
    if (!secondRule.getNextStart(firstAt, firstTo.raw, firstTo.dst, false, secondAt)) return false;
    if (!isWholeMillisecond(firstAt) || !isWholeMillisecond(secondAt) || std::fabs(secondAt) > exactMillis / 4) {
        return false;
    }
    table.changes.push_back({firstAt, current, firstTo});
    table.changes.push_back({secondAt, firstTo, secondTo});

    struct YearlyChange {
        Change change;
        int rule;
    };
    std::vector<YearlyChange> sequence;
    const std::int64_t secondYear = yearOf(secondAt);
    for (std::int64_t year = secondYear - 1; year <= secondYear + cycleChanges / 2 + 2; ++year) {
        for (int rule = 0; rule < 2; ++rule) {
            const icu::AnnualTimeZoneRule& annual = rule == 0 ? rule0 : rule1;
            const Offsets& before = rule == 0 ? offsets1 : offsets0;
            UDate at = 0.0;
            if (!annual.getStartInYear(static_cast<std::int32_t>(year), before.raw, before.dst, at)) continue;
            if (!isWholeMillisecond(at) || at < startOfYear(year) || at >= startOfYear(year + 1)) return false;
            sequence.push_back({{at, before, rule == 0 ? offsets0 : offsets1}, rule});
        }
    }
    std::sort(sequence.begin(), sequence.end(),
              [](const YearlyChange& a, const YearlyChange& b) { return a.change.at < b.change.at; });
    for (std::size_t i = 1; i < sequence.size(); ++i) {
        if (!(sequence[i].change.at > sequence[i - 1].change.at) || sequence[i].rule == sequence[i - 1].rule) {
            return false;
        }
    }
    const int secondRuleIndex = zeroFirst ? 1 : 0;
    const auto second = std::find_if(sequence.begin(), sequence.end(), [&](const YearlyChange& c) {
        return c.change.at == secondAt && c.rule == secondRuleIndex;
    });
    if (sequence.end() - second <= cycleChanges + 1) return false;
    for (auto it = second + 1; it != second + 1 + cycleChanges; ++it) table.cycle.push_back(it->change);
    return second[1 + cycleChanges].change.at == table.cycle.front().at + cycleMillis;
}

// Whether consecutive changes lie further apart than any two of the zone's
// offsets differ, so that local instants of changes keep their order.
bool changesAreApart(const OffsetTable& table) {
    std::int32_t lowest = table.initial.total();
    std::int32_t highest = lowest;
    for (const auto* list : {&table.changes, &table.cycle}) {
        for (const Change& change : *list) {
            for (const Offsets& offsets : {change.before, change.after}) {
                lowest = std::min(lowest, offsets.total());
                highest = std::max(highest, offsets.total());
            }
        }
    }
    const double span = static_cast<double>(highest) - static_cast<double>(lowest);
    auto apart = [span](UDate earlier, UDate later) { return later - earlier > span; };
    for (std::size_t i = 1; i < table.changes.size(); ++i) {
        if (!apart(table.changes[i - 1].at, table.changes[i].at)) return false;
    }
    if (table.cycle.empty()) return true;
    if (!apart(table.changes.back().at, table.cycle.front().at)) return false;
    for (std::size_t i = 1; i < table.cycle.size(); ++i) {
        if (!apart(table.cycle[i - 1].at, table.cycle[i].at)) return false;
    }
    return apart(table.cycle.back().at, table.cycle.front().at + cycleMillis);
}

// The start of each stretch's changes; std::nullopt for changes that spread
// over more than 65,536 stretches (some 17,800 years) or number more than the
// indices hold.
std::optional<std::vector<std::uint16_t>> bucketsOf(const std::vector<Change>& list) {
    constexpr std::size_t mostBuckets = 1 << 16;
    std::vector<std::uint16_t> buckets;
    if (list.empty()) return buckets;
    if (list.size() >= mostBuckets || (list.back().at - list.front().at) / bucketMillis >= mostBuckets) return std::nullopt;
    std::size_t i = 0;
    for (std::size_t bucket = 0; i < list.size(); ++bucket) {
        const double start = list.front().at + static_cast<double>(bucket) * bucketMillis;
        while (i < list.size() && list[i].at < start) ++i;
        buckets.push_back(static_cast<std::uint16_t>(i));
    }
    return buckets;
}

std::shared_ptr<const OffsetTable> tableOf(const icu::RuleBasedTimeZone& zone) {
    UErrorCode status = U_ZERO_ERROR;
    const std::int32_t ruleCount = zone.countTransitionRules(status);
    if (U_FAILURE(status) || ruleCount < 0) return nullptr;
    std::vector<const icu::TimeZoneRule*> rules(static_cast<std::size_t>(ruleCount) + 1);
    const icu::InitialTimeZoneRule* initial = nullptr;
    std::int32_t filled = ruleCount;
    zone.getTimeZoneRules(initial, rules.data(), filled, status);
    if (U_FAILURE(status) || filled != ruleCount || !initial) return nullptr;
    rules.resize(static_cast<std::size_t>(ruleCount));

    std::vector<const icu::TimeArrayTimeZoneRule*> recorded;
    std::vector<const icu::AnnualTimeZoneRule*> yearly;
    for (const icu::TimeZoneRule* rule : rules) {
        if (const auto* annual = dynamic_cast<const icu::AnnualTimeZoneRule*>(rule)) {
            // Only the pair of rules without end follows the recorded changes.
            if (annual->getEndYear() != icu::AnnualTimeZoneRule::MAX_YEAR) return nullptr;
            yearly.push_back(annual);
        } else if (const auto* times = dynamic_cast<const icu::TimeArrayTimeZoneRule*>(rule)) {
            recorded.push_back(times);
        } else {
            return nullptr;
        }
    }
    if (!yearly.empty() && yearly.size() != 2) return nullptr;

    auto table = std::make_shared<OffsetTable>();
    table->initial = offsetsOf(*initial);
    if (!appendRecordedChanges(*table, recorded)) return nullptr;
    if (!yearly.empty() && !appendYearlyRules(*table, *yearly[0], *yearly[1])) return nullptr;
    if (!changesAreApart(*table)) return nullptr;
    table->lowest = table->initial.total();
    for (const auto* list : {&table->changes, &table->cycle}) {
        for (const Change& change : *list) {
            table->lowest = std::min({table->lowest, change.before.total(), change.after.total()});
        }
    }
    auto changeBuckets = bucketsOf(table->changes);
    auto cycleBuckets = bucketsOf(table->cycle);
    if (!changeBuckets || !cycleBuckets) return nullptr;
    table->changeBuckets = std::move(*changeBuckets);
    table->cycleBuckets = std::move(*cycleBuckets);
    return table;
}

} // namespace

IndexedRulesTimeZone::IndexedRulesTimeZone(const icu::UnicodeString& id, icu::InitialTimeZoneRule* initialRule)
    : icu::RuleBasedTimeZone(id, initialRule) {}

IndexedRulesTimeZone::~IndexedRulesTimeZone() = default;

void IndexedRulesTimeZone::addTransitionRule(icu::TimeZoneRule* rule, UErrorCode& status) {
    index_.reset();
    icu::RuleBasedTimeZone::addTransitionRule(rule, status);
}

void IndexedRulesTimeZone::complete(UErrorCode& status) {
    index_.reset();
    icu::RuleBasedTimeZone::complete(status);
    if (U_SUCCESS(status)) index_ = tableOf(*this);
}

void IndexedRulesTimeZone::getOffset(UDate date, UBool local, int32_t& rawOffset, int32_t& dstOffset,
                                     UErrorCode& status) const {
    if (index_ && U_SUCCESS(status)) {
        if (auto offsets = lookUp(*index_, date, Reading{local != 0, formerBit, latterBit})) {
            rawOffset = offsets->raw;
            dstOffset = offsets->dst;
            return;
        }
    }
    icu::RuleBasedTimeZone::getOffset(date, local, rawOffset, dstOffset, status);
}

void IndexedRulesTimeZone::getOffsetFromLocal(UDate date, UTimeZoneLocalOption nonExistingTimeOpt,
                                              UTimeZoneLocalOption duplicatedTimeOpt, int32_t& rawOffset,
                                              int32_t& dstOffset, UErrorCode& status) const {
    if (index_ && U_SUCCESS(status)) {
        if (auto offsets = lookUp(*index_, date, Reading{true, nonExistingTimeOpt, duplicatedTimeOpt})) {
            rawOffset = offsets->raw;
            dstOffset = offsets->dst;
            return;
        }
    }
    icu::RuleBasedTimeZone::getOffsetFromLocal(date, nonExistingTimeOpt, duplicatedTimeOpt, rawOffset, dstOffset,
                                               status);
}

} // namespace platform::icu_support
