#pragma once
// What every kind of body that the library can place has in common: it is an
// enumeration with raw values, serialisable both ways, and identifies itself to
// the library either by the library's body number or by a fixed star's name.

#include "ephemeris/json_fwd.h"
#include "ephemeris/raw_value.h"

#include <concepts>
#include <cstdint>
#include <string>

namespace ephemeris {

// EnumTraits<T>::BodyIdentifier is the type of the value by which the library
// knows the body (its body number, or a fixed star's name); EnumTraits<T>::value(T)
// is that value.
template <class T>
concept CelestialBody = requires(T body, const Json& json) {
    typename EnumTraits<T>::BodyIdentifier;
    requires std::same_as<typename EnumTraits<T>::BodyIdentifier, std::int32_t> ||
                 std::same_as<typename EnumTraits<T>::BodyIdentifier, std::string>;
    { EnumTraits<T>::value(body) } -> std::same_as<typename EnumTraits<T>::BodyIdentifier>;
    { allCases<T>() };
    { nlohmann::adl_serializer<T>::from_json(json) } -> std::same_as<T>;
};

template <CelestialBody T>
typename EnumTraits<T>::BodyIdentifier value(T body) {
    return EnumTraits<T>::value(body);
}

// Bodies the library knows by number: planets, asteroids, lunar nodes.
template <class T>
concept NumberedBody = CelestialBody<T> && std::same_as<typename EnumTraits<T>::BodyIdentifier, std::int32_t>;

} // namespace ephemeris
