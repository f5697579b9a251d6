#pragma once
// Turns the library bridge's results into the layer's own. For the layer's .cpp files only.

#include "ephemeris/expected.h"
#include "platform/core/swiss_ephemeris.h"

#include <utility>
#include <variant>

namespace ephemeris {

template <class T>
Expected<T> fromLibrary(swisseph::Result<T>&& result) {
    if (auto* error = std::get_if<swisseph::Error>(&result)) return Error{std::move(error->message)};
    return std::get<T>(std::move(result));
}

} // namespace ephemeris
