#include "platform/core/number_formatter.h"

#include "platform/core/internal/icu_support.h"

#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/numberformatter.h>
#include <unicode/rbnf.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

namespace platform {

namespace {

constexpr int mostFractionDigits = 999;   // ICU's limit

UNumberFormatRoundingMode icuRounding(RoundingMode mode) {
    switch (mode) {
    case RoundingMode::ceiling: return UNUM_ROUND_CEILING;
    case RoundingMode::floor: return UNUM_ROUND_FLOOR;
    case RoundingMode::down: return UNUM_ROUND_DOWN;
    case RoundingMode::up: return UNUM_ROUND_UP;
    case RoundingMode::halfEven: return UNUM_ROUND_HALFEVEN;
    case RoundingMode::halfDown: return UNUM_ROUND_HALFDOWN;
    case RoundingMode::halfUp: return UNUM_ROUND_HALFUP;
    }
    return UNUM_ROUND_HALFEVEN;
}

} // namespace

struct NumberFormatter::State {
    Locale locale = Locale::current();
    NumberStyle style = NumberStyle::none;
    std::optional<std::string> groupingSeparator;
    std::optional<bool> usesGrouping;   // unset: the style's own choice
    int minimumFractionDigits = 0;
    int maximumFractionDigits = 0;
    RoundingMode rounding = RoundingMode::halfEven;

    // Built from the settings above after every change; ICU's localized number
    // formatters are immutable and safe to use from several threads at once.
    std::optional<icu::number::LocalizedNumberFormatter> formatter;
    // The ordinal style's rule-based formatter is not; a mutex guards it.
    std::shared_ptr<icu::RuleBasedNumberFormat> ordinal;
    std::shared_ptr<std::mutex> ordinalMutex = std::make_shared<std::mutex>();

    bool groups() const { return usesGrouping.value_or(style == NumberStyle::decimal); }

    std::optional<icu::DecimalFormatSymbols> symbols(const icu::Locale& icu) const {
        if (!groupingSeparator) return std::nullopt;
        UErrorCode status = U_ZERO_ERROR;
        icu::DecimalFormatSymbols symbols(icu, status);
        if (U_FAILURE(status)) return std::nullopt;
        symbols.setSymbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol,
                          icu_support::fromUtf8(*groupingSeparator));
        return symbols;
    }

    void rebuild() {
        const icu::Locale icu = icu_support::icuLocale(locale.identifier());
        // Grouping asked for explicitly is used even where the locale would not
        // group (POSIX) or would leave four-digit numbers whole (Spanish).
        UNumberGroupingStrategy grouping = UNUM_GROUPING_OFF;
        if (groups()) grouping = (groupingSeparator || usesGrouping) ? UNUM_GROUPING_ON_ALIGNED : UNUM_GROUPING_AUTO;
        auto settings = icu::number::NumberFormatter::withLocale(icu)
                            .grouping(grouping)
                            .precision(icu::number::Precision::minMaxFraction(minimumFractionDigits,
                                                                              maximumFractionDigits))
                            .roundingMode(icuRounding(rounding));
        if (auto custom = symbols(icu)) settings = settings.symbols(*custom);
        formatter = std::move(settings);
        ordinal.reset();
        if (style == NumberStyle::ordinal) {
            UErrorCode status = U_ZERO_ERROR;
            auto rules = std::make_shared<icu::RuleBasedNumberFormat>(icu::URBNF_ORDINAL, icu, status);
            if (U_SUCCESS(status)) ordinal = std::move(rules);
        }
    }
};

NumberFormatter::NumberFormatter() : state_(std::make_unique<State>()) {
    state_->rebuild();
}
NumberFormatter::~NumberFormatter() = default;
NumberFormatter::NumberFormatter(const NumberFormatter& other) : state_(std::make_unique<State>(*other.state_)) {
    state_->ordinalMutex = std::make_shared<std::mutex>();
    state_->rebuild();
}
NumberFormatter& NumberFormatter::operator=(const NumberFormatter& other) {
    if (this != &other) *this = NumberFormatter(other);
    return *this;
}
// A moved-from formatter gives no text until it is assigned again.
NumberFormatter::NumberFormatter(NumberFormatter&& other) noexcept : state_(std::move(other.state_)) {}
NumberFormatter& NumberFormatter::operator=(NumberFormatter&& other) noexcept {
    std::swap(state_, other.state_);
    return *this;
}

void NumberFormatter::setNumberStyle(NumberStyle style) {
    if (!state_) return;
    // Like the platform's formatter, a style brings its own fraction digits and grouping.
    state_->style = style;
    state_->minimumFractionDigits = 0;
    state_->maximumFractionDigits = style == NumberStyle::decimal ? 3 : 0;
    state_->usesGrouping.reset();
    state_->rebuild();
}

void NumberFormatter::setLocale(Locale locale) {
    if (!state_) return;
    state_->locale = std::move(locale);
    state_->rebuild();
}

void NumberFormatter::setGroupingSeparator(std::string separator) {
    if (!state_) return;
    state_->groupingSeparator = std::move(separator);
    state_->usesGrouping = true;
    state_->rebuild();
}

void NumberFormatter::setUsesGroupingSeparator(bool uses) {
    if (!state_) return;
    state_->usesGrouping = uses;
    state_->rebuild();
}

void NumberFormatter::setMinimumFractionDigits(int digits) {
    if (!state_) return;
    state_->minimumFractionDigits = std::clamp(digits, 0, mostFractionDigits);
    state_->maximumFractionDigits = std::max(state_->maximumFractionDigits, state_->minimumFractionDigits);
    state_->rebuild();
}

void NumberFormatter::setMaximumFractionDigits(int digits) {
    if (!state_) return;
    state_->maximumFractionDigits = std::clamp(digits, 0, mostFractionDigits);
    state_->minimumFractionDigits = std::min(state_->minimumFractionDigits, state_->maximumFractionDigits);
    state_->rebuild();
}

void NumberFormatter::setRoundingMode(RoundingMode mode) {
    if (!state_) return;
    state_->rounding = mode;
    state_->rebuild();
}

namespace {

std::optional<std::string> ordinalText(icu::RuleBasedNumberFormat& rules, std::mutex& mutex, std::int64_t value) {
    std::lock_guard lock(mutex);
    icu::UnicodeString text;
    rules.format(value, text);
    if (text.isEmpty()) return std::nullopt;
    return icu_support::toUtf8(text);
}

} // namespace

std::optional<std::string> NumberFormatter::string(double value) const {
    if (!state_ || !state_->formatter) return std::nullopt;
    if (std::isnan(value)) value = std::numeric_limits<double>::quiet_NaN();   // never "-NaN"
    if (state_->ordinal) {
        if (!std::isfinite(value) || std::fabs(value) > 9.0e18) return std::nullopt;
        return ordinalText(*state_->ordinal, *state_->ordinalMutex, std::llround(value));
    }
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString text = state_->formatter->formatDouble(value, status).toString(status);
    if (U_FAILURE(status)) return std::nullopt;
    return icu_support::toUtf8(text);
}

std::optional<std::string> NumberFormatter::string(std::int64_t value) const {
    if (!state_ || !state_->formatter) return std::nullopt;
    if (state_->ordinal) return ordinalText(*state_->ordinal, *state_->ordinalMutex, value);
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString text = state_->formatter->formatInt(value, status).toString(status);
    if (U_FAILURE(status)) return std::nullopt;
    return icu_support::toUtf8(text);
}

std::optional<double> NumberFormatter::number(std::string_view text) const {
    if (!state_ || text.empty()) return std::nullopt;
    const icu::Locale icu = icu_support::icuLocale(state_->locale.identifier());
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::NumberFormat> created(icu::NumberFormat::createInstance(icu, status));
    auto* decimal = dynamic_cast<icu::DecimalFormat*>(created.get());
    if (U_FAILURE(status) || !decimal) return std::nullopt;
    if (auto custom = state_->symbols(icu)) decimal->setDecimalFormatSymbols(*custom);
    const icu::UnicodeString input = icu_support::fromUtf8(text);
    icu::Formattable result;
    icu::ParsePosition position(0);
    decimal->parse(input, result, position);
    if (position.getErrorIndex() >= 0 || position.getIndex() != input.length()) return std::nullopt;
    const double value = result.getDouble(status);
    if (U_FAILURE(status)) return std::nullopt;
    return value;
}

} // namespace platform
