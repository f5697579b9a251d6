#pragma once
// A list of data folders as the Swiss Ephemeris library (2.10) reads it, found
// by trying lists on it. Private to src/platform/core.
//
// The library ends the list at its first line feed or carriage return, splits
// what is left at ':' and at ';', and keeps at most 20 folders, the twentieth
// holding the rest of the list unsplit ("/a:/b" as one folder name). It reads
// ".", an empty entry and every relative name against the current folder.
//
// A list is taken here only when the library reads it as written: absolute
// folders only, no line break, at most 20 of them. Then both split it alike.

#include "platform/core/expected.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace swisseph::folder_list {

inline constexpr std::size_t mostFolders = 20;
inline constexpr std::string_view separators = ":;";

enum class Fault {
    relative,        // an entry the library reads against the current folder
    readOtherwise,   // a line break, or more folders than the library keeps
};

// The folders of `list`, in order; views into it.
platform::Expected<std::vector<std::string_view>, Fault> foldersOf(std::string_view list);

} // namespace swisseph::folder_list
