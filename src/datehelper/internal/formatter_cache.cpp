#include "datehelper/internal/formatter_cache.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <unordered_map>

namespace datehelper::detail {

namespace {

using platform::DateFormatStyle;
using platform::DateFormatter;

// Keys own their texts; lookups go by views of the caller's, so that a hit
// copies nothing.
template <typename Text>
struct PatternKeyOf {
    Text pattern;
    Text zone;
    Text locale;
};

template <typename Text>
struct StyleKeyOf {
    DateFormatStyle dateStyle;
    DateFormatStyle timeStyle;
    bool relative;
    Text zone;
    Text locale;
};

template <typename Text>
struct OrdinalKeyOf {
    Text locale;
};

using PatternKey = PatternKeyOf<std::string>;
using StyleKey = StyleKeyOf<std::string>;
using OrdinalKey = OrdinalKeyOf<std::string>;
using PatternProbe = PatternKeyOf<std::string_view>;
using StyleProbe = StyleKeyOf<std::string_view>;
using OrdinalProbe = OrdinalKeyOf<std::string_view>;

std::size_t combined(std::size_t seed, std::size_t value) {
    return seed ^ (value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
}

template <typename Text>
std::size_t hashOf(const PatternKeyOf<Text>& k) {
    std::hash<std::string_view> text;
    return combined(combined(combined(1, text(k.pattern)), text(k.zone)), text(k.locale));
}

template <typename Text>
std::size_t hashOf(const StyleKeyOf<Text>& k) {
    std::hash<std::string_view> text;
    const std::size_t styles = static_cast<std::size_t>(k.dateStyle) * 16 + static_cast<std::size_t>(k.timeStyle) * 2 +
                               (k.relative ? 1 : 0);
    return combined(combined(combined(2, styles), text(k.zone)), text(k.locale));
}

template <typename Text>
std::size_t hashOf(const OrdinalKeyOf<Text>& k) {
    return combined(3, std::hash<std::string_view>{}(k.locale));
}

template <typename A, typename B>
bool same(const PatternKeyOf<A>& a, const PatternKeyOf<B>& b) {
    return std::string_view(a.pattern) == std::string_view(b.pattern) && std::string_view(a.zone) == std::string_view(b.zone) &&
           std::string_view(a.locale) == std::string_view(b.locale);
}

template <typename A, typename B>
bool same(const StyleKeyOf<A>& a, const StyleKeyOf<B>& b) {
    return a.dateStyle == b.dateStyle && a.timeStyle == b.timeStyle && a.relative == b.relative &&
           std::string_view(a.zone) == std::string_view(b.zone) && std::string_view(a.locale) == std::string_view(b.locale);
}

template <typename A, typename B>
bool same(const OrdinalKeyOf<A>& a, const OrdinalKeyOf<B>& b) {
    return std::string_view(a.locale) == std::string_view(b.locale);
}

struct KeyHash {
    using is_transparent = void;
    template <typename Key>
    std::size_t operator()(const Key& key) const {
        return hashOf(key);
    }
};

struct KeyEqual {
    using is_transparent = void;
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
        return same(a, b);
    }
};

// Keys come from callers (any custom pattern, zone or locale), so a cache that
// only grew would grow without bound. The program asks for a handful, far
// below the limit; past it the cache starts again. Callers share ownership of
// what they are given, so starting again never pulls a formatter from under a
// caller on another thread.
template <typename Key, typename Formatter>
struct Cache {
    std::mutex mutex;
    std::unordered_map<Key, std::shared_ptr<const Formatter>, KeyHash, KeyEqual> formatters;
};

Cache<PatternKey, DateFormatter>& patternCache() {
    static auto* cache = new Cache<PatternKey, DateFormatter>;   // never destroyed: formatters may be used until exit
    return *cache;
}

Cache<StyleKey, DateFormatter>& styleCache() {
    static auto* cache = new Cache<StyleKey, DateFormatter>;
    return *cache;
}

Cache<OrdinalKey, platform::NumberFormatter>& ordinalCache() {
    static auto* cache = new Cache<OrdinalKey, platform::NumberFormatter>;
    return *cache;
}

// A miss builds the entry under the lock, so no caller sees it half made.
template <typename Key, typename Formatter, typename Probe, typename Make>
std::shared_ptr<const Formatter> lookUp(Cache<Key, Formatter>& cache, const Probe& probe, Make&& make) {
    std::lock_guard lock(cache.mutex);
    if (auto found = cache.formatters.find(probe); found != cache.formatters.end()) return found->second;
    auto [key, formatter] = make();
    if (cache.formatters.size() >= cachedFormatterLimit) cache.formatters.clear();
    return cache.formatters
        .emplace(std::move(key), std::make_shared<const Formatter>(std::move(formatter)))
        .first->second;
}

template <typename Cache>
std::size_t sizeOf(Cache& cache) {
    std::lock_guard lock(cache.mutex);
    return cache.formatters.size();
}

template <typename Cache>
void clear(Cache& cache) {
    std::lock_guard lock(cache.mutex);
    cache.formatters.clear();
}

DateFormatter lenientFormatter(const platform::TimeZone& zone, const platform::Locale& locale) {
    DateFormatter formatter;
    formatter.setTimeZone(zone);
    formatter.setLocale(locale);
    formatter.setLenient(true);
    return formatter;
}

} // namespace

SharedFormatter patternFormatter(std::string_view pattern, const platform::TimeZone& zone,
                                 const platform::Locale& locale) {
    const PatternProbe probe{pattern, zone.identifier(), locale.identifier()};
    return lookUp(patternCache(), probe, [&] {
        DateFormatter formatter = lenientFormatter(zone, locale);
        formatter.setDateFormat(std::string(pattern));
        return std::pair{PatternKey{std::string(pattern), zone.identifier(), locale.identifier()},
                         std::move(formatter)};
    });
}

SharedFormatter styleFormatter(DateFormatStyle dateStyle, DateFormatStyle timeStyle, bool relative,
                               const platform::TimeZone& zone, const platform::Locale& locale) {
    const StyleProbe probe{dateStyle, timeStyle, relative, zone.identifier(), locale.identifier()};
    return lookUp(styleCache(), probe, [&] {
        DateFormatter formatter = lenientFormatter(zone, locale);
        formatter.setDateStyle(dateStyle);
        formatter.setTimeStyle(timeStyle);
        formatter.setDoesRelativeDateFormatting(relative);
        return std::pair{StyleKey{dateStyle, timeStyle, relative, zone.identifier(), locale.identifier()},
                         std::move(formatter)};
    });
}

SharedOrdinalFormatter ordinalFormatter() {
    const platform::Locale locale = platform::Locale::current();
    return lookUp(ordinalCache(), OrdinalProbe{locale.identifier()}, [&] {
        platform::NumberFormatter formatter;
        formatter.setLocale(locale);
        formatter.setNumberStyle(platform::NumberStyle::ordinal);
        return std::pair{OrdinalKey{locale.identifier()}, std::move(formatter)};
    });
}

std::size_t cachedFormatterCount() {
    return sizeOf(patternCache()) + sizeOf(styleCache()) + sizeOf(ordinalCache());
}

void forgetCachedFormatters() {
    clear(patternCache());
    clear(styleCache());
    clear(ordinalCache());
}

} // namespace datehelper::detail
