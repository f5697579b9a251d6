#include "platform/core/internal/shared_rules_time_zone.h"

#include <unicode/tzrule.h>

namespace platform::icu_support {

namespace {

icu::UnicodeString idOf(const icu::TimeZone& zone) {
    icu::UnicodeString id;
    zone.getID(id);
    return id;
}

} // namespace

SharedRulesTimeZone::SharedRulesTimeZone(std::shared_ptr<const icu::RuleBasedTimeZone> rules)
    : icu::RuleBasedTimeZone(idOf(*rules), new icu::InitialTimeZoneRule(icu::UnicodeString(), 0, 0)),
      rules_(std::move(rules)) {
    UErrorCode status = U_ZERO_ERROR;
    complete(status);   // the placeholder rule set, which nothing consults
}

bool SharedRulesTimeZone::operator==(const icu::TimeZone& that) const {
    if (this == &that) return true;
    const auto* other = dynamic_cast<const SharedRulesTimeZone*>(&that);
    // By name: written as a == b, the comparison could also be read reversed.
    return other && (rules_ == other->rules_ || rules_->operator==(*other->rules_));
}

UBool SharedRulesTimeZone::hasSameRules(const icu::TimeZone& other) const {
    const auto* that = dynamic_cast<const SharedRulesTimeZone*>(&other);
    return that && (rules_ == that->rules_ || rules_->hasSameRules(*that->rules_));
}

int32_t SharedRulesTimeZone::getOffset(uint8_t era, int32_t year, int32_t month, int32_t day, uint8_t dayOfWeek,
                                       int32_t millis, UErrorCode& status) const {
    return rules_->getOffset(era, year, month, day, dayOfWeek, millis, status);
}

int32_t SharedRulesTimeZone::getOffset(uint8_t era, int32_t year, int32_t month, int32_t day, uint8_t dayOfWeek,
                                       int32_t millis, int32_t monthLength, UErrorCode& status) const {
    return rules_->getOffset(era, year, month, day, dayOfWeek, millis, monthLength, status);
}

void SharedRulesTimeZone::getOffset(UDate date, UBool local, int32_t& rawOffset, int32_t& dstOffset,
                                    UErrorCode& status) const {
    rules_->getOffset(date, local, rawOffset, dstOffset, status);
}

void SharedRulesTimeZone::getOffsetFromLocal(UDate date, UTimeZoneLocalOption nonExistingTimeOpt,
                                             UTimeZoneLocalOption duplicatedTimeOpt, int32_t& rawOffset,
                                             int32_t& dstOffset, UErrorCode& status) const {
    rules_->getOffsetFromLocal(date, nonExistingTimeOpt, duplicatedTimeOpt, rawOffset, dstOffset, status);
}

UBool SharedRulesTimeZone::inDaylightTime(UDate date, UErrorCode& status) const {
    int32_t raw = 0;
    int32_t daylight = 0;
    rules_->getOffset(date, false, raw, daylight, status);
    return U_SUCCESS(status) && daylight != 0;
}

UBool SharedRulesTimeZone::getNextTransition(UDate base, UBool inclusive, icu::TimeZoneTransition& result) const {
    return rules_->getNextTransition(base, inclusive, result);
}

UBool SharedRulesTimeZone::getPreviousTransition(UDate base, UBool inclusive,
                                                 icu::TimeZoneTransition& result) const {
    return rules_->getPreviousTransition(base, inclusive, result);
}

int32_t SharedRulesTimeZone::countTransitionRules(UErrorCode& status) const {
    return rules_->countTransitionRules(status);
}

void SharedRulesTimeZone::getTimeZoneRules(const icu::InitialTimeZoneRule*& initial,
                                           const icu::TimeZoneRule* trsrules[], int32_t& trscount,
                                           UErrorCode& status) const {
    rules_->getTimeZoneRules(initial, trsrules, trscount, status);
}

void SharedRulesTimeZone::getSimpleRulesNear(UDate date, icu::InitialTimeZoneRule*& initial,
                                             icu::AnnualTimeZoneRule*& standard, icu::AnnualTimeZoneRule*& daylight,
                                             UErrorCode& status) const {
    rules_->getSimpleRulesNear(date, initial, standard, daylight, status);
}

} // namespace platform::icu_support
