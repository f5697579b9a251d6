#pragma once
// The Moon's phase at an instant: how much of its disc is lit, whether the lit
// part grows, and the named phase that makes.

#include "ephemeris/expected.h"
#include "ephemeris/json_fwd.h"
#include "ephemeris/raw_value.h"
#include "platform/core/date.h"

#include <array>
#include <string_view>

namespace ephemeris {

class Lunation {
public:
    enum class Phase : int {
        newMoon = 0,
        waxingCrescent = 1,
        waxingGibbous = 2,
        full = 3,
        waningGibbous = 4,
        waningCrescent = 5,
    };

    // A mean synodic month, in days.
    static constexpr double daysInLunation = 29.530588;

    // The library's illuminated fraction of the Moon at `date`, and whether it was
    // smaller an hour earlier; the library's reason when it cannot compute either.
    static Expected<Lunation> make(platform::Date date);

    Lunation(platform::Date date, double illuminatedFraction, bool isWaxing) noexcept
        : date_(date), illuminatedFraction_(illuminatedFraction), isWaxing_(isWaxing) {}

    platform::Date date() const noexcept { return date_; }
    // A fraction from 0 (nothing lit) to 1 (fully lit), not hundredths; its
    // serialised key is "percentage".
    double illuminatedFraction() const noexcept { return illuminatedFraction_; }
    bool isWaxing() const noexcept { return isWaxing_; }
    Phase phase() const noexcept { return phaseOf(*this); }

    // Ranges tested in order, both ends included: 0.01-0.5 a crescent, 0.5-0.98 a
    // gibbous Moon (waxing or waning as `isWaxing` says), 0.98-1 full; anything
    // else, not a number included, new.
    static Phase phaseOf(const Lunation& lunation) noexcept;

private:
    platform::Date date_;
    double illuminatedFraction_;
    bool isWaxing_;
};

template <>
struct EnumTraits<Lunation::Phase> {
    static constexpr std::string_view name = "Lunation.Phase";
    using RawValue = int;
    static constexpr std::array allCases{
        Lunation::Phase::newMoon,        Lunation::Phase::waxingCrescent, Lunation::Phase::waxingGibbous,
        Lunation::Phase::full,           Lunation::Phase::waningGibbous,  Lunation::Phase::waningCrescent,
    };
    static constexpr RawValue rawValue(Lunation::Phase phase) noexcept { return static_cast<RawValue>(phase); }
};

} // namespace ephemeris

template <>
struct nlohmann::adl_serializer<ephemeris::Lunation::Phase>
    : ephemeris::coding::RawValueSerializer<ephemeris::Lunation::Phase> {};

// A record with "date", "percentage", "isWaxing" and "phase" (as its raw value),
// in this order. Decoding reads the first three; the phase follows from them.
template <>
struct nlohmann::adl_serializer<ephemeris::Lunation> {
    static void to_json(ephemeris::Json& json, const ephemeris::Lunation& lunation);
    static ephemeris::Lunation from_json(const ephemeris::Json& json);
};
