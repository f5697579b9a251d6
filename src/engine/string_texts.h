#pragma once
// Filling, cutting and trimming UTF-8 strings. Lengths count user-perceived
// characters (grapheme clusters), so "é" written with a combining accent is one.

#include <string>
#include <string_view>

namespace engine {

// Aligns the text to the right: the fill text, repeated as a whole
// (width - length) times, goes before it. When the text is already as long as
// `width`, `truncate` keeps only its last `width` characters. A negative width
// counts as 0.
std::string padRight(std::string_view text, int width, std::string_view withStr, bool truncate = false);

// The mirror: the fill follows the text, and truncating keeps its first characters.
std::string padLeft(std::string_view text, int width, std::string_view withStr, bool truncate = false);

// Without leading and trailing white space and line breaks of any kind (blanks,
// tabs, line feeds, carriage returns, no-break spaces and the like).
std::string trim(std::string_view text);

} // namespace engine
