#pragma once
// The program's translations of its fixed texts. A text is looked up by its
// own words (the untranslated text is the key); where the user's language has
// no translation, or no catalogue is installed, the key itself comes back.
//
// Catalogues are the system's message catalogues (gettext .mo files) of the
// domain "vadididod", in <directory>/<language>/LC_MESSAGES/vadididod.mo; the
// language is the one the C library's LC_MESSAGES and LANGUAGE choose.

#include <string>
#include <string_view>

namespace platform {

// The translation of `key` (UTF-8), or `key` itself.
std::string localizedString(std::string_view key);

// Where the catalogues are; the system's locale folder until this is called.
void setLocalizedStringsDirectory(const std::string& directory);

} // namespace platform
