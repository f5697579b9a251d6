#pragma once
// Enumerations with raw values: the list of cases in declaration order, each
// case's raw value, the case of a raw value, and the serialised form, which is
// the raw value alone.
//
// Every such enumeration specialises EnumTraits with `name`, `RawValue`,
// `allCases` and `rawValue(E)`.

#include "ephemeris/json_fwd.h"

#include <cstdint>
#include <optional>
#include <type_traits>

namespace ephemeris {

template <class E>
struct EnumTraits;

template <class E>
constexpr const auto& allCases() noexcept {
    return EnumTraits<E>::allCases;
}

template <class E>
constexpr typename EnumTraits<E>::RawValue rawValue(E value) noexcept {
    return EnumTraits<E>::rawValue(value);
}

// The case whose raw value is `raw`; none for any other value. Integer raw
// values are taken as 64-bit integers and compared as such, so a value beyond the
// raw type's range is never cut down to one that names a case.
template <class E>
    requires std::is_integral_v<typename EnumTraits<E>::RawValue>
constexpr std::optional<E> fromRawValue(std::int64_t raw) noexcept {
    for (E value : EnumTraits<E>::allCases)
        if (static_cast<std::int64_t>(EnumTraits<E>::rawValue(value)) == raw) return value;
    return std::nullopt;
}

template <class E>
    requires(!std::is_integral_v<typename EnumTraits<E>::RawValue>)
constexpr std::optional<E> fromRawValue(const typename EnumTraits<E>::RawValue& raw) noexcept {
    for (E value : EnumTraits<E>::allCases)
        if (EnumTraits<E>::rawValue(value) == raw) return value;
    return std::nullopt;
}

namespace coding {

// The serialiser of an enumeration with raw values; its members are defined in
// ephemeris/json.h and instantiated beside each enumeration. Decoding a raw value
// of the right kind that names no case is a dataCorrupted DecodingError.
template <class E>
struct RawValueSerializer {
    static void to_json(Json& json, E value);
    static E from_json(const Json& json);
};

} // namespace coding
} // namespace ephemeris
