// The zone that answers offsets from a table, against ICU's own rule-based zone
// holding the same rules: every zone of the system's tz database, the same
// compiled the slim way (yearly rules from the 1990s on) when zic is at hand,
// and POSIX rules. Offsets at and around every clock change from 1850 to 2100
// and in years far beyond, where the yearly rules' table repeats; local times
// at and around both readings of every change under every option for skipped
// and repeated wall times; the clock changes themselves. Every answer must be
// ICU's, to the millisecond.

#include "platform/core/internal/indexed_rules_time_zone.h"
#include "platform/core/internal/posix_tz_string.h"
#include "platform/core/internal/system_zone_data.h"

#include "dates_test_support.h"

#include <gtest/gtest.h>

#include <unicode/basictz.h>
#include <unicode/dtrule.h>
#include <unicode/rbtz.h>
#include <unicode/tzrule.h>
#include <unicode/tztrans.h>

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::icu_support::IndexedRulesTimeZone;

constexpr double millisPerYear = 365.2425 * 86400000.0;

UDate startOf(double year) {
    return (year - 1970.0) * millisPerYear;
}

// A new zone of type Zone with the rules of `zone`.
template <class Zone>
std::unique_ptr<Zone> withRulesOf(const icu::BasicTimeZone& zone) {
    UErrorCode status = U_ZERO_ERROR;
    const std::int32_t count = zone.countTransitionRules(status);
    std::vector<const icu::TimeZoneRule*> rules(static_cast<std::size_t>(count) + 1);
    const icu::InitialTimeZoneRule* initial = nullptr;
    std::int32_t filled = count;
    zone.getTimeZoneRules(initial, rules.data(), filled, status);
    icu::UnicodeString id;
    zone.getID(id);
    auto copy = std::make_unique<Zone>(id, initial->clone());
    for (std::int32_t i = 0; i < filled; ++i) copy->addTransitionRule(rules[static_cast<std::size_t>(i)]->clone(), status);
    copy->complete(status);
    EXPECT_TRUE(U_SUCCESS(status));
    return copy;
}

struct Change {
    UDate at;
    std::int32_t before;   // total offsets, milliseconds
    std::int32_t after;
    friend bool operator==(const Change&, const Change&) = default;
};

std::vector<Change> changesOf(const icu::BasicTimeZone& zone, UDate from, UDate to) {
    std::vector<Change> changes;
    icu::TimeZoneTransition transition;
    UDate base = from;
    while (zone.getNextTransition(base, false, transition) && transition.getTime() < to) {
        base = transition.getTime();
        changes.push_back({base, transition.getFrom()->getRawOffset() + transition.getFrom()->getDSTSavings(),
                           transition.getTo()->getRawOffset() + transition.getTo()->getDSTSavings()});
    }
    return changes;
}

constexpr UTimeZoneLocalOption localOptions[] = {
    UCAL_TZ_LOCAL_FORMER,          UCAL_TZ_LOCAL_LATTER,          UCAL_TZ_LOCAL_STANDARD_FORMER,
    UCAL_TZ_LOCAL_STANDARD_LATTER, UCAL_TZ_LOCAL_DAYLIGHT_FORMER, UCAL_TZ_LOCAL_DAYLIGHT_LATTER,
};

// Asks both zones the same questions and counts where they answer differently
// (exactly: offsets are whole milliseconds).
class Comparison {
public:
    Comparison(std::string name, const icu::BasicTimeZone& zone, const icu::BasicTimeZone& reference)
        : name_(std::move(name)), zone_(zone), reference_(reference) {}

    int mismatches() const { return mismatches_; }
    int questions() const { return questions_; }

    void instant(UDate at) {
        for (UBool local : {false, true}) {
            ask(at, local ? "local" : "instant", [&](const icu::BasicTimeZone& z, std::int32_t& raw,
                                                      std::int32_t& dst, UErrorCode& status) {
                z.getOffset(at, local, raw, dst, status);
            });
        }
    }

    // A local time read under every option, each option both for wall times a
    // change skips and for those it repeats.
    void localTime(UDate local) {
        constexpr int count = static_cast<int>(std::size(localOptions));
        for (int i = 0; i < count; ++i) {
            const UTimeZoneLocalOption skipped = localOptions[i];
            const UTimeZoneLocalOption repeated = localOptions[(i + count / 2) % count];
            ask(local, "from local", [&](const icu::BasicTimeZone& z, std::int32_t& raw, std::int32_t& dst,
                                         UErrorCode& status) {
                z.getOffsetFromLocal(local, skipped, repeated, raw, dst, status);
            });
        }
        instant(local);
    }

    // Both readings of a change, the instants next to it, and one between it
    // and the next.
    void around(const Change& change, UDate next) {
        for (double step : {-1.0, -0.5, 0.0, 0.25, 1.0}) {
            instant(change.at + step);
            localTime(change.at + change.before + step);
            localTime(change.at + change.after + step);
        }
        const UDate middle = change.at + std::floor((next - change.at) / 2);
        instant(middle);
        localTime(middle);
    }

    void changesBetween(UDate from, UDate to) {
        const auto changes = changesOf(reference_, from, to);
        for (std::size_t i = 0; i < changes.size(); ++i) {
            around(changes[i], i + 1 < changes.size() ? changes[i + 1].at : to);
        }
    }

private:
    template <class Question>
    void ask(UDate at, const char* what, Question question) {
        ++questions_;
        std::int32_t raw = -1;
        std::int32_t dst = -1;
        std::int32_t expectedRaw = -1;
        std::int32_t expectedDst = -1;
        UErrorCode status = U_ZERO_ERROR;
        UErrorCode expectedStatus = U_ZERO_ERROR;
        question(zone_, raw, dst, status);
        question(reference_, expectedRaw, expectedDst, expectedStatus);
        if ((raw != expectedRaw || dst != expectedDst || status != expectedStatus) && ++mismatches_ <= 5) {
            ADD_FAILURE() << name_ << " " << what << " " << std::fixed << at << ": " << raw << "+" << dst
                          << ", ICU " << expectedRaw << "+" << expectedDst;
        }
    }

    std::string name_;
    const icu::BasicTimeZone& zone_;
    const icu::BasicTimeZone& reference_;
    int mismatches_ = 0;
    int questions_ = 0;
};

struct Outcome {
    int mismatches = 0;
    int questions = 0;
    bool indexed = false;
};

// The program's zone for `name` against ICU's zone with its rules.
Outcome compare(const std::string& name, const icu::BasicTimeZone& zone) {
    const auto reference = withRulesOf<icu::RuleBasedTimeZone>(zone);
    Comparison comparison(name, zone, *reference);

    // The recorded changes, and the yearly rules' first years.
    comparison.changesBetween(startOf(1850), startOf(2100));
    // Where the yearly rules' table repeats, and far out; before any change.
    for (double year : {2436.0, 2838.0, 10000.0, 101234.0, 139000.0, -5000.0, 1000.0}) {
        comparison.changesBetween(startOf(year), startOf(year + 3));
        comparison.instant(startOf(year));
    }
    // Anywhere, at instants of no particular kind.
    std::mt19937_64 random(std::hash<std::string>{}(name));
    std::uniform_real_distribution<double> anyTime(-4.6e15, 4.6e15);
    std::uniform_real_distribution<double> nearTime(startOf(1800), startOf(2500));
    for (int i = 0; i < 100; ++i) {
        comparison.localTime(anyTime(random));
        comparison.localTime(std::round(nearTime(random)));
    }

    int changeMismatches = 0;
    const auto changes = changesOf(zone, startOf(1850), startOf(2100));
    if (changes != changesOf(*reference, startOf(1850), startOf(2100))) {
        ++changeMismatches;
        ADD_FAILURE() << name << ": clock changes differ from ICU's";
    }
    return {comparison.mismatches() + changeMismatches, comparison.questions(),
            withRulesOf<IndexedRulesTimeZone>(zone)->isIndexed()};
}

// Every zone file under `folder`, by name.
std::vector<std::string> zoneNamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().lexically_relative(folder).string();
        if (name.starts_with("posix/") || name.starts_with("right/")) continue;
        if (platform::system_zone_data::isZoneIdentifier(name)) names.push_back(name);
    }
    return names;
}

struct Totals {
    int zones = 0;
    int mismatches = 0;
    long questions = 0;
    std::vector<std::string> unindexed;
};

std::string listed(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += name + " ";
    return text;
}

// Every zone file under `folder`, read from there, against ICU; all of them
// with rules the table covers.
void expectEveryZoneAnswersAsIcu(const fs::path& folder, const char* what) {
    dates_test::EnvironmentGuard tzdir("TZDIR", folder.c_str());
    Totals totals;
    for (const std::string& name : zoneNamesIn(folder)) {
        auto zone = platform::system_zone_data::zoneFromSystemData(name);
        if (!zone) continue;   // not a zone file (tzdata.zi, zone.tab ...)
        const Outcome outcome = compare(name, *zone);
        ++totals.zones;
        totals.mismatches += outcome.mismatches;
        totals.questions += outcome.questions;
        if (!outcome.indexed) totals.unindexed.push_back(name);
    }
    std::cout << "[ compare ] " << what << ": " << totals.zones << " zones, " << totals.questions << " questions, "
              << totals.mismatches << " mismatches, not indexed: " << listed(totals.unindexed) << "\n";
    EXPECT_GT(totals.zones, 300);
    EXPECT_EQ(totals.mismatches, 0);
    EXPECT_TRUE(totals.unindexed.empty()) << listed(totals.unindexed);
}

TEST(IndexedRulesTimeZone, AnswersAsIcuForEverySystemZone) {
    expectEveryZoneAnswersAsIcu("/usr/share/zoneinfo", "system files");
}

// Slim files stop recording changes where a yearly rule takes over, from as
// early as 1996, so the yearly rules' table answers for most of the years above.
TEST(IndexedRulesTimeZone, AnswersAsIcuForSlimZoneFiles) {
    const char* source = "/usr/share/zoneinfo/tzdata.zi";
    if (!fs::exists("/usr/sbin/zic") || !fs::exists(source)) GTEST_SKIP() << "zic or tzdata.zi is missing";
    const auto folder = fs::temp_directory_path() / ("vadididod-slim-index-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string command = "/usr/sbin/zic -b slim -d '" + folder.string() + "' " + source + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    expectEveryZoneAnswersAsIcu(folder, "slim files");
    fs::remove_all(folder);
}

// Rules in force in every year, from the year -10000 on: both hemispheres,
// negative and half-hour saving, changes before and past midnight, day counts.
TEST(IndexedRulesTimeZone, AnswersAsIcuForPosixRules) {
    for (const char* text : {"EST5EDT,M3.2.0,M11.1.0", "CET-1CEST,M3.5.0,M10.5.0/3", "AEST-10AEDT,M10.1.0,M4.1.0/3",
                             "IST-1GMT0,M10.5.0,M3.5.0/1", "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0",
                             "<-03>3<-02>,M3.2.0/-1,M11.1.0/25", "NZST-12NZDT,M9.5.0/2:45,M4.1.0/2:45",
                             "XST3XDT2,J60/2,J300/2", "YST4YDT,10/2,50/3", "<-04>4<-03>,M9.1.6/24,M4.1.6/24"}) {
        const auto rule = platform::posix_tz::parse(text);
        ASSERT_TRUE(rule) << text;
        const auto zone = platform::system_zone_data::zoneFromRule(text, *rule);
        ASSERT_TRUE(zone) << text;
        const Outcome outcome = compare(text, *zone);
        EXPECT_EQ(outcome.mismatches, 0) << text;
        EXPECT_TRUE(outcome.indexed) << text;
    }
}

// Hand-made rules: one hour of saving from the given instants (seconds).
std::unique_ptr<IndexedRulesTimeZone> zoneWithChanges(const std::vector<double>& daylightStarts,
                                                      const std::vector<double>& standardStarts,
                                                      icu::DateTimeRule::TimeRuleType type = icu::DateTimeRule::UTC_TIME) {
    auto zone = std::make_unique<IndexedRulesTimeZone>(UNICODE_STRING_SIMPLE("Test/Zone"),
                                                       new icu::InitialTimeZoneRule(UNICODE_STRING_SIMPLE("S"), 0, 0));
    UErrorCode status = U_ZERO_ERROR;
    auto add = [&](const std::vector<double>& seconds, std::int32_t savings, const char* name) {
        std::vector<UDate> millis;
        for (double s : seconds) millis.push_back(s * 1000.0);
        zone->addTransitionRule(new icu::TimeArrayTimeZoneRule(icu::UnicodeString(name, -1, US_INV), 0, savings,
                                                               millis.data(), static_cast<std::int32_t>(millis.size()),
                                                               type),
                                status);
    };
    add(daylightStarts, 3600 * 1000, "D");
    add(standardStarts, 0, "S2");
    zone->complete(status);
    EXPECT_TRUE(U_SUCCESS(status));
    return zone;
}

// Rules the table does not cover leave ICU to answer, and it does.
TEST(IndexedRulesTimeZone, RulesBeyondTheTableAreLeftToIcu) {
    const auto apart = zoneWithChanges({1.0e8, 2.0e8}, {1.5e8});
    EXPECT_TRUE(apart->isIndexed());

    // Changes 30 minutes apart with an hour between the offsets: their local
    // times are out of order.
    const auto close = zoneWithChanges({1.0e8}, {1.0e8 + 1800});
    EXPECT_FALSE(close->isIndexed());
    // Changes at wall times.
    const auto wall = zoneWithChanges({1.0e8}, {1.5e8}, icu::DateTimeRule::WALL_TIME);
    EXPECT_FALSE(wall->isIndexed());

    for (const auto* zone : {close.get(), wall.get()}) {
        const auto reference = withRulesOf<icu::RuleBasedTimeZone>(*zone);
        Comparison comparison("hand-made", *zone, *reference);
        comparison.changesBetween(0, 3.0e11);
        EXPECT_EQ(comparison.mismatches(), 0);
        EXPECT_GT(comparison.questions(), 0);
    }
}

TEST(IndexedRulesTimeZone, AnAddedRuleDropsTheTableUntilCompletedAgain) {
    auto zone = zoneWithChanges({1.0e8}, {1.5e8});
    ASSERT_TRUE(zone->isIndexed());
    UErrorCode status = U_ZERO_ERROR;
    const UDate later[] = {3.0e11};
    zone->addTransitionRule(new icu::TimeArrayTimeZoneRule(UNICODE_STRING_SIMPLE("L"), 7200 * 1000, 0, later, 1,
                                                           icu::DateTimeRule::UTC_TIME),
                            status);
    EXPECT_FALSE(zone->isIndexed());
    // Incomplete rules: ICU refuses to answer, and so does the zone.
    std::int32_t raw = 0;
    std::int32_t dst = 0;
    zone->getOffset(3.5e11, false, raw, dst, status);
    EXPECT_EQ(status, U_INVALID_STATE_ERROR);

    status = U_ZERO_ERROR;
    zone->complete(status);
    ASSERT_TRUE(U_SUCCESS(status));
    EXPECT_TRUE(zone->isIndexed());
    zone->getOffset(3.5e11, false, raw, dst, status);
    EXPECT_EQ(raw, 7200 * 1000);
    EXPECT_EQ(dst, 0);
}

} // namespace
