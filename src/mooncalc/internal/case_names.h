#pragma once
// Enumerations whose raw value is the case's name: the name of a case and the
// case of a name, from the list of names in case order.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace mooncalc::detail {

template <class Enum, std::size_t N>
constexpr std::string_view nameOfCase(const std::array<std::string_view, N>& names, Enum value) noexcept {
    const auto index = static_cast<std::size_t>(value);
    return index < N ? names[index] : std::string_view{};
}

// Exact, case-sensitive match; none for any other text.
template <class Enum, std::size_t N>
constexpr std::optional<Enum> caseNamed(const std::array<std::string_view, N>& names, std::string_view text) noexcept {
    for (std::size_t index = 0; index < N; ++index)
        if (names[index] == text) return static_cast<Enum>(index);
    return std::nullopt;
}

} // namespace mooncalc::detail
