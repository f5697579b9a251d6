#pragma once
// The outcome of a computation that can fail: a value, or an error that says why.
// The error type is the caller's: a message, an enumeration, a value carrying
// the input that was refused.

#include <type_traits>
#include <utility>
#include <variant>

namespace platform {

template <class T, class E>
class Expected {
    static_assert(!std::is_same_v<T, E>, "a value and an error of one type cannot be told apart");

public:
    Expected(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Expected(E error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool hasValue() const noexcept { return state_.index() == 0; }
    explicit operator bool() const noexcept { return hasValue(); }

    // Reading the value of a failure, or the error of a success, throws
    // std::bad_variant_access.
    const T& value() const& { return std::get<0>(state_); }
    T& value() & { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

    const E& error() const& { return std::get<1>(state_); }

private:
    std::variant<T, E> state_;
};

} // namespace platform
