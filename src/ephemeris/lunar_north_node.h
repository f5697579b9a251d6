#pragma once
// The Moon's ascending node, mean or true, with the library's body numbers as raw values.

#include "ephemeris/celestial_body.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace ephemeris {

enum class LunarNorthNode : std::int32_t {
    meanNode = 10,
    trueNode = 11,
};

template <>
struct EnumTraits<LunarNorthNode> {
    static constexpr std::string_view name = "LunarNorthNode";
    using RawValue = std::int32_t;
    using BodyIdentifier = std::int32_t;
    static constexpr std::array allCases{LunarNorthNode::meanNode, LunarNorthNode::trueNode};
    static constexpr RawValue rawValue(LunarNorthNode node) noexcept { return static_cast<RawValue>(node); }
    static BodyIdentifier value(LunarNorthNode node) noexcept { return rawValue(node); }
};

} // namespace ephemeris

template <>
struct nlohmann::adl_serializer<ephemeris::LunarNorthNode>
    : ephemeris::coding::RawValueSerializer<ephemeris::LunarNorthNode> {};
