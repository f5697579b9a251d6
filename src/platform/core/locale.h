#pragma once
// A locale by its identifier ("en_GB"). `current()` is the user's locale, read
// afresh at every call from LC_ALL, LC_TIME or LANG (the C and POSIX locales
// read as "en_US_POSIX"), unless a test has set an override.

#include <optional>
#include <string>

namespace platform {

class Locale {
public:
    static Locale current();
    static Locale withIdentifier(std::string identifier);

    // Tests pin the current locale here; std::nullopt returns to the environment's.
    static void setCurrentOverride(std::optional<Locale> locale);

    const std::string& identifier() const noexcept { return identifier_; }

    friend bool operator==(const Locale&, const Locale&) = default;

private:
    explicit Locale(std::string identifier) : identifier_(std::move(identifier)) {}
    std::string identifier_;
};

} // namespace platform
