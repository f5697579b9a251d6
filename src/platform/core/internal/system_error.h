#pragma once
// Failures of system calls as the program tells of them and weighs them.
// Private to src/platform/core.

#include <string>

namespace platform::system_error {

// The C library's description of `error` and its name, "Too many open files
// (EMFILE)"; in English whatever the locale, as every other message of the core.
std::string describe(int error);

// Whether `error` comes from a condition that passes by itself: descriptors or
// memory running short (EMFILE, ENFILE, ENOMEM), an I/O error (EIO) or an
// interrupted call (EINTR). A refusal it caused is not kept: the next call tries
// again.
bool passes(int error) noexcept;

} // namespace platform::system_error
