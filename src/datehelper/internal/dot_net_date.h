#pragma once
// .NET and JavaScript JSON dates: "/Date(1710000000000+0100)/", milliseconds
// since 1970-01-01 00:00:00 UTC and an optional zone offset, which says where
// the writer was and plays no part in the instant. Private to the toolkit.

#include "platform/core/date.h"

#include <optional>
#include <string>
#include <string_view>

namespace datehelper::detail {

// The instant of the first such date anywhere in `text`: "/Date(", an optional
// minus sign, ASCII digits, an optional sign with four offset digits, ")/",
// each "/" optionally escaped by a backslash. Counts beyond what .NET and
// JavaScript dates hold (8.64e15 ms either side of 1970) give std::nullopt.
std::optional<platform::Date> dotNetDate(std::string_view text);

// The date's text: milliseconds rounded to the nearest, then the device zone's
// present offset as a sign, hours and minutes. Empty for an instant beyond
// what such dates hold.
std::string dotNetText(platform::Date date);

} // namespace datehelper::detail
