#pragma once
// A set of flags drawn from an enumeration whose values are single bits, with
// the set's raw value the sum of its members (as the desktop notification and
// presentation options are exchanged).

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace platform {

template <class Flag>
class OptionSet {
    static_assert(std::is_enum_v<Flag>);

public:
    using RawValue = std::underlying_type_t<Flag>;

    constexpr OptionSet() noexcept = default;
    constexpr OptionSet(std::initializer_list<Flag> flags) noexcept {
        for (Flag f : flags) insert(f);
    }
    static constexpr OptionSet fromRawValue(RawValue raw) noexcept {
        OptionSet set;
        set.raw_ = raw;
        return set;
    }

    constexpr RawValue rawValue() const noexcept { return raw_; }
    constexpr bool contains(Flag f) const noexcept { return (raw_ & static_cast<RawValue>(f)) != 0; }
    constexpr bool empty() const noexcept { return raw_ == 0; }
    constexpr void insert(Flag f) noexcept { raw_ = static_cast<RawValue>(raw_ | static_cast<RawValue>(f)); }

    friend constexpr bool operator==(OptionSet, OptionSet) noexcept = default;

private:
    RawValue raw_ = 0;
};

} // namespace platform
