#include "platform/core/internal/c_locale.h"

namespace swisseph::c_locale {

locale_t object() noexcept {
    // Asked for "C" with no base, glibc hands out its static C locale without
    // allocating anything.
    static const locale_t c = ::newlocale(LC_ALL_MASK, "C", locale_t{});
    return c;
}

} // namespace swisseph::c_locale
