#include "platform/core/localized_strings.h"

#include <libintl.h>

#include <mutex>

namespace platform {

namespace {

constexpr const char* domain = "vadididod";

// Translations come out in UTF-8 whatever the C library's character set.
void useUtf8() {
    static std::once_flag once;
    std::call_once(once, [] { bind_textdomain_codeset(domain, "UTF-8"); });
}

} // namespace

std::string localizedString(std::string_view key) {
    // gettext wants a terminated text, and a key with a NUL in it has no entry.
    const std::string terminated(key);
    if (terminated.empty() || terminated.find('\0') != std::string::npos) return terminated;
    useUtf8();
    const char* translated = dgettext(domain, terminated.c_str());
    return translated ? std::string(translated) : terminated;
}

void setLocalizedStringsDirectory(const std::string& directory) {
    useUtf8();
    bindtextdomain(domain, directory.c_str());
}

} // namespace platform
