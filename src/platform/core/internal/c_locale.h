#pragma once
// The C library's "C" locale, in which the Swiss Ephemeris library reads the
// numbers of its data files as they are written ("55.23907"), whatever locale
// the process chose. Private to src/platform/core.
//
// The library reads its star catalogue and delta T table with atof, which
// follows LC_NUMERIC, and Qt sets LC_NUMERIC from LANG: under de_DE.UTF-8 atof
// stops at the '.', reading "55.23907" as 55 (Aldebaran 3.5" off) and "100,5"
// as 100.5. So every call into the library runs with this locale on its thread,
// and the program reads those files in it too, as the library does.

#include <locale.h>

namespace swisseph::c_locale {

// The "C" locale object; glibc gives its built-in one, made for the process
// and never freed, so this cannot fail.
locale_t object() noexcept;

// The "C" locale on the calling thread while the object lives, whatever the
// process's locale or the thread's own; the thread's own again after. The
// process's locale is left as it is for every other thread.
class OnThisThread {
public:
    OnThisThread() noexcept : previous_(::uselocale(object())) {}
    ~OnThisThread() { ::uselocale(previous_); }
    OnThisThread(const OnThisThread&) = delete;
    OnThisThread& operator=(const OnThisThread&) = delete;

private:
    locale_t previous_;   // LC_GLOBAL_LOCALE while the thread followed the process
};

} // namespace swisseph::c_locale
