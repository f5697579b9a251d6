#pragma once
// A compiled regular expression (ICU syntax, as the platform's regular
// expressions read it) and the search for its first match in a UTF-8 text.
// Compiled once, it may be searched from any thread.

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace platform {

// The text of each capture group of one match, group 0 being the whole match;
// std::nullopt for a group that took no part in it. Views into the searched text.
struct RegexMatch {
    std::vector<std::optional<std::string_view>> groups;
};

class RegularExpression {
public:
    // std::nullopt when the pattern is not a valid expression.
    static std::optional<RegularExpression> withPattern(std::string_view pattern);

    // The first match anywhere in `text`, not anchored at either end. Invalid
    // UTF-8 reads as replacement characters. A search that runs past a bound on
    // its work (a pathological pattern against a hostile text) finds nothing.
    std::optional<RegexMatch> firstMatch(std::string_view text) const;

private:
    struct Compiled;
    explicit RegularExpression(std::shared_ptr<const Compiled> compiled) : compiled_(std::move(compiled)) {}
    std::shared_ptr<const Compiled> compiled_;
};

} // namespace platform
