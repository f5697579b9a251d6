#pragma once
// An ICU rule-based zone whose copies share one immutable, complete set of rules.
// Private to src/platform/core.
//
// Every ICU calendar owns a copy of its zone, made with each copy of the calendar
// and inside some calendar operations (actual field maxima). A plain
// RuleBasedTimeZone recomputes all its transitions at every copy, which takes
// hundreds of microseconds for a zone with a long history; a copy of this one
// copies a pointer.
//
// It is itself a RuleBasedTimeZone, so that ICU's calendars treat it as a zone
// that knows its transitions (their wall-time options and day arithmetic need
// that), but every answer comes from the shared zone; the inherited rule set is
// an empty placeholder. Its rules cannot be changed: setRawOffset does nothing.

#include <unicode/rbtz.h>

#include <memory>

namespace platform::icu_support {

class SharedRulesTimeZone final : public icu::RuleBasedTimeZone {
public:
    // `rules` must be complete (RuleBasedTimeZone::complete has succeeded).
    explicit SharedRulesTimeZone(std::shared_ptr<const icu::RuleBasedTimeZone> rules);
    SharedRulesTimeZone(const SharedRulesTimeZone& other) = default;
    SharedRulesTimeZone& operator=(const SharedRulesTimeZone&) = delete;
    ~SharedRulesTimeZone() override = default;

    bool operator==(const icu::TimeZone& that) const override;
    bool operator!=(const icu::TimeZone& that) const override { return !operator==(that); }
    SharedRulesTimeZone* clone() const override { return new SharedRulesTimeZone(*this); }

    int32_t getOffset(uint8_t era, int32_t year, int32_t month, int32_t day, uint8_t dayOfWeek, int32_t millis,
                      UErrorCode& status) const override;
    int32_t getOffset(uint8_t era, int32_t year, int32_t month, int32_t day, uint8_t dayOfWeek, int32_t millis,
                      int32_t monthLength, UErrorCode& status) const override;
    void getOffset(UDate date, UBool local, int32_t& rawOffset, int32_t& dstOffset,
                   UErrorCode& status) const override;
    void getOffsetFromLocal(UDate date, UTimeZoneLocalOption nonExistingTimeOpt,
                            UTimeZoneLocalOption duplicatedTimeOpt, int32_t& rawOffset, int32_t& dstOffset,
                            UErrorCode& status) const override;
    void setRawOffset(int32_t) override {}
    int32_t getRawOffset() const override { return rules_->getRawOffset(); }
    UBool useDaylightTime() const override { return rules_->useDaylightTime(); }
    UBool inDaylightTime(UDate date, UErrorCode& status) const override;
    int32_t getDSTSavings() const override { return rules_->getDSTSavings(); }
    UBool hasSameRules(const icu::TimeZone& other) const override;

    UBool getNextTransition(UDate base, UBool inclusive, icu::TimeZoneTransition& result) const override;
    UBool getPreviousTransition(UDate base, UBool inclusive, icu::TimeZoneTransition& result) const override;
    int32_t countTransitionRules(UErrorCode& status) const override;
    void getTimeZoneRules(const icu::InitialTimeZoneRule*& initial, const icu::TimeZoneRule* trsrules[],
                          int32_t& trscount, UErrorCode& status) const override;
    void getSimpleRulesNear(UDate date, icu::InitialTimeZoneRule*& initial, icu::AnnualTimeZoneRule*& standard,
                            icu::AnnualTimeZoneRule*& daylight, UErrorCode& status) const override;

private:
    std::shared_ptr<const icu::RuleBasedTimeZone> rules_;
};

} // namespace platform::icu_support
