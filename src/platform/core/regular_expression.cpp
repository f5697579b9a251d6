#include "platform/core/regular_expression.h"

#include "platform/core/internal/icu_support.h"

#include <unicode/regex.h>
#include <unicode/utext.h>

#include <cstdint>

namespace platform {

namespace {

// The matcher's work bound, in ICU's units of a few million steps: far above
// what any of the program's patterns need on a text of a few kilobytes.
constexpr std::int32_t timeLimit = 100;

struct UTextCloser {
    void operator()(UText* text) const { utext_close(text); }
};

} // namespace

struct RegularExpression::Compiled {
    std::unique_ptr<icu::RegexPattern> pattern;
};

std::optional<RegularExpression> RegularExpression::withPattern(std::string_view pattern) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError where{};
    std::unique_ptr<icu::RegexPattern> compiled(
        icu::RegexPattern::compile(icu_support::fromUtf8(pattern), 0, where, status));
    if (U_FAILURE(status) || !compiled) return std::nullopt;
    return RegularExpression(std::make_shared<const Compiled>(Compiled{std::move(compiled)}));
}

std::optional<RegexMatch> RegularExpression::firstMatch(std::string_view text) const {
    UErrorCode status = U_ZERO_ERROR;
    // Over the UTF-8 bytes themselves, so that match positions are byte offsets.
    std::unique_ptr<UText, UTextCloser> input(
        utext_openUTF8(nullptr, text.data(), static_cast<std::int64_t>(text.size()), &status));
    if (U_FAILURE(status)) return std::nullopt;
    std::unique_ptr<icu::RegexMatcher> matcher(compiled_->pattern->matcher(status));
    if (U_FAILURE(status) || !matcher) return std::nullopt;
    matcher->reset(input.get());
    matcher->setTimeLimit(timeLimit, status);
    if (!matcher->find(status) || U_FAILURE(status)) return std::nullopt;

    RegexMatch match;
    const std::int32_t groups = matcher->groupCount();
    for (std::int32_t group = 0; group <= groups; ++group) {
        const std::int64_t start = matcher->start64(group, status);
        const std::int64_t end = matcher->end64(group, status);
        if (U_FAILURE(status)) return std::nullopt;
        if (start < 0 || end < start || static_cast<std::uint64_t>(end) > text.size()) {
            match.groups.emplace_back(std::nullopt);
        } else {
            match.groups.emplace_back(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
        }
    }
    return match;
}

} // namespace platform
