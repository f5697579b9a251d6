#pragma once
// The outcome of a computation that can fail: a value, or an error that says why.

#include <string>
#include <utility>
#include <variant>

namespace ephemeris {

struct Error {
    std::string message;
    friend bool operator==(const Error&, const Error&) = default;
};

template <class T>
class Expected {
public:
    Expected(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Expected(Error error) : state_(std::in_place_index<1>, std::move(error)) {}

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

    const Error& error() const& { return std::get<1>(state_); }

private:
    std::variant<T, Error> state_;
};

} // namespace ephemeris
