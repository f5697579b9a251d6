#include "platform/core/locale.h"

#include "platform/core/internal/current_override.h"

#include <cstdlib>
#include <string_view>

namespace platform {

namespace {

// POSIX treats a variable set to the empty string as unset.
const char* nonEmptyVariable(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

// "en_GB.UTF-8" and "de_DE@euro" name "en_GB" and "de_DE"; the C and POSIX
// locales are the fixed English conventions of "en_US_POSIX".
std::string identifierOfPosixName(const char* name) {
    std::string_view value = name ? std::string_view(name) : std::string_view();
    value = value.substr(0, value.find_first_of(".@"));
    if (value.empty() || value == "C" || value == "POSIX") return "en_US_POSIX";
    return std::string(value);
}

} // namespace

Locale Locale::current() {
    if (auto locale = detail::currentOverride<Locale>().get()) return *std::move(locale);
    const char* name = nonEmptyVariable("LC_ALL");
    if (!name) name = nonEmptyVariable("LC_TIME");
    if (!name) name = nonEmptyVariable("LANG");
    return Locale(identifierOfPosixName(name));
}

Locale Locale::withIdentifier(std::string identifier) {
    return Locale(std::move(identifier));
}

void Locale::setCurrentOverride(std::optional<Locale> locale) {
    detail::currentOverride<Locale>().set(std::move(locale));
}

} // namespace platform
