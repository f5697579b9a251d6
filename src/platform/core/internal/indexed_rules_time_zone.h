#pragma once
// An ICU rule-based zone that answers offset queries from a sorted table of its
// clock changes. Private to src/platform/core.
//
// ICU's RuleBasedTimeZone finds the offset at an instant by walking its clock
// changes back from the last one, and beyond the last one by working out its
// yearly rules afresh: a microsecond and more per query for a zone with a long
// history, and a calendar asks at every conversion. This zone holds the same
// rules and gives the same answers, a wall time that a change skips or repeats
// read under every ICU option as ICU reads it, from a table of its recorded
// changes and of 400 years of its yearly rules, which repeat exactly every 400
// Gregorian years (146,097 days, a whole number of weeks), indexed by stretches
// of about 99 days.
//
// The table serves getOffset (of an instant or of a local time) and
// getOffsetFromLocal, within about 140,000 years of 1970. Everything else, and
// every query of a zone whose rules the table does not cover, is
// RuleBasedTimeZone's own: rules other than changes at UTC instants followed by
// a pair of yearly rules; changes closer together than the zone's offsets
// differ, or to the offsets already in force; yearly changes that fall outside
// their own calendar year.
//
// Build it as a RuleBasedTimeZone: addTransitionRule, then complete, which here
// also makes the table.

#include <unicode/rbtz.h>

#include <memory>

namespace platform::icu_support {

namespace detail {
struct OffsetTable;
}

class IndexedRulesTimeZone final : public icu::RuleBasedTimeZone {
public:
    // Adopts `initialRule`, as RuleBasedTimeZone does.
    IndexedRulesTimeZone(const icu::UnicodeString& id, icu::InitialTimeZoneRule* initialRule);
    IndexedRulesTimeZone(const IndexedRulesTimeZone& other) = default;
    IndexedRulesTimeZone& operator=(const IndexedRulesTimeZone&) = delete;
    ~IndexedRulesTimeZone() override;

    // Hide RuleBasedTimeZone's own: a rule added drops the table, completing the
    // rules makes it anew.
    void addTransitionRule(icu::TimeZoneRule* rule, UErrorCode& status);
    void complete(UErrorCode& status);

    // Whether offset queries are answered from the table.
    bool isIndexed() const noexcept { return index_ != nullptr; }

    IndexedRulesTimeZone* clone() const override { return new IndexedRulesTimeZone(*this); }

    using icu::RuleBasedTimeZone::getOffset;
    void getOffset(UDate date, UBool local, int32_t& rawOffset, int32_t& dstOffset,
                   UErrorCode& status) const override;
    void getOffsetFromLocal(UDate date, UTimeZoneLocalOption nonExistingTimeOpt,
                            UTimeZoneLocalOption duplicatedTimeOpt, int32_t& rawOffset, int32_t& dstOffset,
                            UErrorCode& status) const override;

private:
    std::shared_ptr<const detail::OffsetTable> index_;   // immutable, shared by copies
};

} // namespace platform::icu_support
