#include "platform/core/date_formatter.h"

#include "platform/core/internal/compiled_date_pattern.h"
#include "platform/core/internal/icu_support.h"
#include "platform/core/internal/number_field_guard.h"

#include <unicode/datefmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/dtptngen.h>
#include <unicode/smpdtfmt.h>

#include <unordered_map>
#include <variant>

namespace platform {

namespace {

struct Styles {
    DateFormatStyle date = DateFormatStyle::none;
    DateFormatStyle time = DateFormatStyle::none;
    bool relative = false;
};

icu::DateFormat::EStyle icuStyle(DateFormatStyle style) {
    switch (style) {
    case DateFormatStyle::none: return icu::DateFormat::kNone;
    case DateFormatStyle::shortStyle: return icu::DateFormat::kShort;
    case DateFormatStyle::medium: return icu::DateFormat::kMedium;
    case DateFormatStyle::longStyle: return icu::DateFormat::kLong;
    case DateFormatStyle::full: return icu::DateFormat::kFull;
    }
    return icu::DateFormat::kNone;
}

// The locale's Gregorian names and patterns, whatever calendar the locale would
// choose by default (Thai, for instance, defaults to the Buddhist calendar).
icu::Locale gregorianLocale(const Locale& locale) {
    icu::Locale icu = icu_support::icuLocale(locale.identifier());
    UErrorCode status = U_ZERO_ERROR;
    icu.setKeywordValue("calendar", "gregorian", status);
    return icu;
}

std::unique_ptr<icu::DateFormat> buildFormat(const std::variant<std::string, Styles>& format, const Locale& locale) {
    // ICU gives a new format a calendar in its default zone; our own replaces it.
    TimeZone::handCurrentToIcu();
    const icu::Locale icu = gregorianLocale(locale);
    std::unique_ptr<icu::DateFormat> built;
    if (const auto* pattern = std::get_if<std::string>(&format)) {
        UErrorCode status = U_ZERO_ERROR;
        built = std::make_unique<icu::SimpleDateFormat>(icu_support::fromUtf8(*pattern), icu, status);
        if (U_FAILURE(status)) return nullptr;
    } else {
        const auto& styles = std::get<Styles>(format);
        icu::DateFormat::EStyle dateStyle = icuStyle(styles.date);
        // ICU's relative flag works with a date style only.
        if (styles.relative && styles.date != DateFormatStyle::none) {
            dateStyle = static_cast<icu::DateFormat::EStyle>(dateStyle | icu::DateFormat::kRelative);
        }
        built.reset(icu::DateFormat::createDateTimeInstance(dateStyle, icuStyle(styles.time), icu));
    }
    return built;
}

// Building an ICU formatter costs tens of microseconds and the program formats
// with a handful of patterns, so each thread keeps the formatters it has built,
// one per pattern or style pair, locale and zone. A pattern's formatter comes
// with its compiled form, which answers the common cases without ICU's general
// machinery (see compiled_date_pattern.h). The guard on the texts ICU reads is
// made at the first reading, so that a formatter that only writes never pays for it.
constexpr std::size_t formatterLimit = 64;

struct CachedFormat {
    std::unique_ptr<icu::DateFormat> format;
    std::unique_ptr<icu_support::CompiledDatePattern> compiled;
    std::unique_ptr<icu_support::NumberFieldGuard> guard;
};

struct FormatterCache {
    std::unordered_map<std::string, CachedFormat> formats;
};

CachedFormat& formatterFor(const std::variant<std::string, Styles>& format, const Locale& locale,
                           const TimeZone& zone) {
    std::string key = locale.identifier();
    key += '\n';
    key += zone.identifier();
    key += '\n';
    if (const auto* pattern = std::get_if<std::string>(&format)) {
        key += 'p';
        key += *pattern;
    } else {
        const auto& styles = std::get<Styles>(format);
        key += 's';
        key += static_cast<char>('0' + static_cast<int>(styles.date));
        key += static_cast<char>('0' + static_cast<int>(styles.time));
        key += styles.relative ? 'r' : '-';
    }
    thread_local FormatterCache cache;
    if (auto it = cache.formats.find(key); it != cache.formats.end()) return it->second;

    CachedFormat built{buildFormat(format, locale), nullptr, nullptr};
    if (built.format) {
        // Our own Gregorian calendar, in the formatter's zone, with the program's
        // rules (the 1582 switch among them).
        icu_support::CalendarLease lease(zone, locale);
        built.format->setCalendar(*lease);
        if (std::holds_alternative<std::string>(format)) {
            built.compiled = icu_support::CompiledDatePattern::compile(static_cast<const icu::SimpleDateFormat&>(*built.format));
        }
    }
    if (cache.formats.size() >= formatterLimit) cache.formats.clear();
    return cache.formats.emplace(std::move(key), std::move(built)).first->second;
}

} // namespace

struct DateFormatter::State {
    Locale locale = Locale::current();
    TimeZone zone = TimeZone::current();
    std::variant<std::string, Styles> format = Styles{};
    bool relative = false;   // kept apart, so that a later style keeps it
    bool lenient = false;

    std::variant<std::string, Styles> effectiveFormat() const {
        if (const auto* styles = std::get_if<Styles>(&format)) {
            Styles withFlag = *styles;
            withFlag.relative = relative;
            return withFlag;
        }
        return format;
    }
};

DateFormatter::DateFormatter() : state_(std::make_unique<State>()) {}
DateFormatter::~DateFormatter() = default;
namespace {
template <typename State>
std::unique_ptr<State> copied(const std::unique_ptr<State>& state) {
    return state ? std::make_unique<State>(*state) : nullptr;   // a moved-from copy is one too
}
} // namespace

DateFormatter::DateFormatter(const DateFormatter& other) : state_(copied(other.state_)) {}
DateFormatter& DateFormatter::operator=(const DateFormatter& other) {
    if (this != &other) state_ = copied(other.state_);
    return *this;
}
// A moved-from formatter, whichever way it was moved from, holds no settings
// (no state): it writes and reads nothing, and reports en_US_POSIX and UTC,
// until a setter gives it a new formatter's settings with that one change.
// Giving it a new formatter's settings at the move itself would allocate and
// read the current locale and zone in every move, which is noexcept.
DateFormatter::DateFormatter(DateFormatter&& other) noexcept : state_(std::move(other.state_)) {}
DateFormatter& DateFormatter::operator=(DateFormatter&& other) noexcept {
    state_ = std::move(other.state_);
    return *this;
}

void DateFormatter::setDateFormat(std::string pattern) {
    if (!state_) state_ = std::make_unique<State>();
    state_->format = std::move(pattern);
}

void DateFormatter::setDateStyle(DateFormatStyle style) {
    if (!state_) state_ = std::make_unique<State>();
    Styles styles = std::holds_alternative<Styles>(state_->format) ? std::get<Styles>(state_->format) : Styles{};
    styles.date = style;
    state_->format = styles;
}

void DateFormatter::setTimeStyle(DateFormatStyle style) {
    if (!state_) state_ = std::make_unique<State>();
    Styles styles = std::holds_alternative<Styles>(state_->format) ? std::get<Styles>(state_->format) : Styles{};
    styles.time = style;
    state_->format = styles;
}

void DateFormatter::setDoesRelativeDateFormatting(bool relative) {
    if (!state_) state_ = std::make_unique<State>();
    state_->relative = relative;
}

void DateFormatter::setLenient(bool lenient) {
    if (!state_) state_ = std::make_unique<State>();
    state_->lenient = lenient;
}

void DateFormatter::setLocale(Locale locale) {
    if (!state_) state_ = std::make_unique<State>();
    state_->locale = std::move(locale);
}

void DateFormatter::setTimeZone(TimeZone zone) {
    if (!state_) state_ = std::make_unique<State>();
    state_->zone = std::move(zone);
}

const Locale& DateFormatter::locale() const noexcept {
    static const Locale* fallback = new Locale(Locale::withIdentifier("en_US_POSIX"));
    return state_ ? state_->locale : *fallback;
}

const TimeZone& DateFormatter::timeZone() const noexcept {
    static const TimeZone* fallback = new TimeZone(TimeZone::utc());
    return state_ ? state_->zone : *fallback;
}

std::string DateFormatter::string(Date date) const {
    if (!state_ || !icu_support::isRepresentable(date)) return {};
    if (const auto* styles = std::get_if<Styles>(&state_->format)) {
        if (styles->date == DateFormatStyle::none && styles->time == DateFormatStyle::none) return {};
    }
    const CachedFormat& cached = formatterFor(state_->effectiveFormat(), state_->locale, state_->zone);
    if (!cached.format) return {};
    if (cached.compiled && icu_support::compiledDatePatternsEnabled()) {
        if (auto text = cached.compiled->format(icu_support::toUDate(date))) return std::move(*text);
    }
    icu::UnicodeString text;
    cached.format->format(icu_support::toUDate(date), text);
    return icu_support::toUtf8(text);
}

namespace {

// ICU's reading of the whole `text`, through the formatter's guard.
std::optional<UDate> icuReading(CachedFormat& cached, std::string_view text, bool lenient, const Locale& locale) {
    // The cached formatter is this thread's alone, so setting it for this parse is safe.
    cached.format->setLenient(lenient);
    if (!cached.guard) {
        cached.guard = std::make_unique<icu_support::NumberFieldGuard>(
            icu_support::NumberFieldGuard::of(*cached.format, gregorianLocale(locale)));
    }
    return cached.guard->read(*cached.format, icu_support::fromUtf8(text));
}

} // namespace

std::optional<Date> DateFormatter::date(std::string_view text) const {
    if (!state_ || text.empty()) return std::nullopt;
    if (const auto* styles = std::get_if<Styles>(&state_->format)) {
        if (styles->date == DateFormatStyle::none && styles->time == DateFormatStyle::none) return std::nullopt;
    }
    CachedFormat& cached = formatterFor(state_->effectiveFormat(), state_->locale, state_->zone);
    if (!cached.format) return std::nullopt;
    std::optional<UDate> millis;
    if (state_->lenient && cached.compiled && icu_support::compiledDatePatternsEnabled()) {
        millis = cached.compiled->parseLenient(text);
    }
    if (!millis) millis = icuReading(cached, text, state_->lenient, state_->locale);
    if (!millis) return std::nullopt;
    const Date parsed = icu_support::fromUDate(*millis);
    if (!icu_support::isRepresentable(parsed)) return std::nullopt;
    return parsed;
}

namespace {

icu::DateFormatSymbols::DtWidthType icuWidth(SymbolWidth width) {
    switch (width) {
    case SymbolWidth::wide: return icu::DateFormatSymbols::WIDE;
    case SymbolWidth::abbreviated: return icu::DateFormatSymbols::ABBREVIATED;
    case SymbolWidth::narrow: return icu::DateFormatSymbols::NARROW;
    }
    return icu::DateFormatSymbols::WIDE;
}

// Entries `first` to `count` - 1 of one of the locale's name lists.
template <typename List>
std::vector<std::string> namesOf(const Locale& locale, std::int32_t first, List list) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::DateFormatSymbols symbols(gregorianLocale(locale), status);
    std::vector<std::string> out;
    if (U_FAILURE(status)) return out;
    std::int32_t count = 0;
    const icu::UnicodeString* names = list(symbols, count);
    for (std::int32_t i = first; names && i < count; ++i) out.push_back(icu_support::toUtf8(names[i]));
    return out;
}

} // namespace

std::vector<std::string> DateFormatter::weekdaySymbols(SymbolWidth width) const {
    // ICU leaves entry 0 empty: Sunday is UCAL_SUNDAY, 1.
    return namesOf(locale(), 1, [width](const icu::DateFormatSymbols& symbols, std::int32_t& count) {
        return symbols.getWeekdays(count, icu::DateFormatSymbols::FORMAT, icuWidth(width));
    });
}

std::vector<std::string> DateFormatter::monthSymbols(SymbolWidth width) const {
    std::vector<std::string> months =
        namesOf(locale(), 0, [width](const icu::DateFormatSymbols& symbols, std::int32_t& count) {
            return symbols.getMonths(count, icu::DateFormatSymbols::FORMAT, icuWidth(width));
        });
    if (months.size() > 12) months.resize(12);   // Gregorian has no thirteenth month
    return months;
}

namespace {

// Building a locale's pattern generator costs milliseconds; each thread keeps
// those of the few locales it has used.
icu::DateTimePatternGenerator* patternGeneratorFor(const Locale& locale) {
    constexpr std::size_t generatorLimit = 8;
    thread_local std::unordered_map<std::string, std::unique_ptr<icu::DateTimePatternGenerator>> generators;
    if (auto it = generators.find(locale.identifier()); it != generators.end()) return it->second.get();
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::DateTimePatternGenerator> built(
        icu::DateTimePatternGenerator::createInstance(gregorianLocale(locale), status));
    if (U_FAILURE(status)) built.reset();
    if (generators.size() >= generatorLimit) generators.clear();
    return generators.emplace(locale.identifier(), std::move(built)).first->second.get();
}

} // namespace

std::string localizedDateFormat(std::string_view dateTemplate, const Locale& locale) {
    icu::DateTimePatternGenerator* generator = patternGeneratorFor(locale);
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString skeleton =
        icu::DateTimePatternGenerator::staticGetSkeleton(icu_support::fromUtf8(dateTemplate), status);
    if (!generator || U_FAILURE(status) || skeleton.isEmpty()) return {};
    const icu::UnicodeString pattern = generator->getBestPattern(skeleton, status);
    return U_SUCCESS(status) ? icu_support::toUtf8(pattern) : std::string();
}

} // namespace platform
