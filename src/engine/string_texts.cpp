#include "engine/string_texts.h"

#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace engine {

namespace {

// The byte offsets at which the text's grapheme clusters begin, and its end.
// Byte offsets, so the parts kept are the caller's own bytes, never re-encoded.
std::vector<std::size_t> characterBoundaries(std::string_view text) {
    std::vector<std::size_t> boundaries{0};
    if (text.empty())
        return boundaries;

    UErrorCode status = U_ZERO_ERROR;
    UText* utext = utext_openUTF8(nullptr, text.data(), static_cast<std::int64_t>(text.size()), &status);
    std::unique_ptr<icu::BreakIterator> characters(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status) || !characters) {
        utext_close(utext);
        // Without the break rules, count code points.
        for (std::size_t i = 0; i < text.size();) {
            UChar32 c;
            std::int32_t next = static_cast<std::int32_t>(i);
            U8_NEXT(text.data(), next, static_cast<std::int32_t>(text.size()), c);
            i = static_cast<std::size_t>(next);
            boundaries.push_back(i);
        }
        return boundaries;
    }
    characters->setText(utext, status);
    for (std::int32_t at = characters->next(); at != icu::BreakIterator::DONE; at = characters->next())
        boundaries.push_back(static_cast<std::size_t>(at));
    utext_close(utext);
    if (boundaries.back() != text.size())
        boundaries.push_back(text.size());
    return boundaries;
}

std::string repeated(std::string_view fill, std::size_t times) {
    std::string out;
    out.reserve(fill.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += fill;
    return out;
}

enum class Side { fillBefore, fillAfter };

std::string pad(std::string_view text, int width, std::string_view fill, bool truncate, Side side) {
    const std::size_t wanted = static_cast<std::size_t>(std::max(width, 0));
    const std::vector<std::size_t> boundaries = characterBoundaries(text);
    const std::size_t length = boundaries.size() - 1;
    if (wanted > length) {
        // An empty fill adds nothing however often it is repeated; counting up to
        // a huge width for it would only spin.
        const std::string filling = fill.empty() ? std::string{} : repeated(fill, wanted - length);
        return side == Side::fillBefore ? filling + std::string(text) : std::string(text) + filling;
    }
    if (!truncate)
        return std::string(text);
    if (side == Side::fillBefore)   // keeps the end
        return std::string(text.substr(boundaries[length - wanted]));
    return std::string(text.substr(0, boundaries[wanted]));
}

} // namespace

std::string padRight(std::string_view text, int width, std::string_view withStr, bool truncate) {
    return pad(text, width, withStr, truncate, Side::fillBefore);
}

std::string padLeft(std::string_view text, int width, std::string_view withStr, bool truncate) {
    return pad(text, width, withStr, truncate, Side::fillAfter);
}

std::string trim(std::string_view text) {
    const auto size = static_cast<std::int32_t>(std::min<std::size_t>(text.size(), INT32_MAX));
    std::int32_t begin = 0;
    while (begin < size) {
        std::int32_t next = begin;
        UChar32 c;
        U8_NEXT(text.data(), next, size, c);
        if (c < 0 || !u_isUWhiteSpace(c))
            break;
        begin = next;
    }
    std::int32_t end = size;
    while (end > begin) {
        std::int32_t previous = end;
        UChar32 c;
        U8_PREV(text.data(), begin, previous, c);
        if (c < 0 || !u_isUWhiteSpace(c))
            break;
        end = previous;
    }
    return std::string(text.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin)));
}

} // namespace engine
