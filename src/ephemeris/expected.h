#pragma once
// The outcome of an ephemeris computation: a value, or an error whose message
// says why the library or this layer refused it.

#include "platform/core/expected.h"

#include <string>

namespace ephemeris {

struct Error {
    std::string message;
    friend bool operator==(const Error&, const Error&) = default;
};

template <class T>
using Expected = platform::Expected<T, Error>;

} // namespace ephemeris
