#pragma once
// The value a test puts in place of what the system says (the user's locale,
// time zone): read and set from any thread, and kept until the process ends, so
// that code running during exit still reads it. Not part of the interface.

#include <mutex>
#include <optional>
#include <utility>

namespace platform::detail {

template <typename T>
class CurrentOverride {
public:
    std::optional<T> get() const {
        std::lock_guard lock(mutex_);
        return value_;
    }

    void set(std::optional<T> value) {
        std::lock_guard lock(mutex_);
        value_ = std::move(value);
    }

private:
    mutable std::mutex mutex_;
    std::optional<T> value_;
};

// The one override of T's current value.
template <typename T>
CurrentOverride<T>& currentOverride() {
    static auto* state = new CurrentOverride<T>;   // never destroyed: read until exit
    return *state;
}

} // namespace platform::detail
