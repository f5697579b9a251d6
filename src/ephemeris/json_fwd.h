#pragma once
// The layer's serialised form, declared without nlohmann's full header.

#include <nlohmann/json_fwd.hpp>

namespace ephemeris {

// Records keep their keys in the order they were written.
using Json = nlohmann::ordered_json;

} // namespace ephemeris
