#pragma once
// System calls as the program makes them where a signal may arrive meanwhile:
// a call that a signal cut short (EINTR) is made again, and a write goes on
// until every byte is written. Never wrap close() in this: Linux frees the
// descriptor even when close reports EINTR, and a second close could close a
// descriptor another thread has just been given.

#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <string_view>

namespace platform {

// Makes `call` (a system call giving -1 and errno on failure) again for as
// long as it fails with EINTR, and gives its last result.
template <class Call>
auto retryInterrupted(Call&& call) {
    for (;;) {
        const auto result = call();
        if (!(result == -1 && errno == EINTR)) return result;
    }
}

// A call that writes as ::write does.
using WriteCall = ssize_t (*)(int fd, const void* bytes, std::size_t count);

// Writes the whole of `bytes` to `fd`, going on after writes that stop short
// and after interruptions. 0 when every byte is written; else the errno of
// the write that failed, or EIO for a write that took nothing without saying
// why (the disk took none of the rest).
int writeWhole(int fd, std::string_view bytes, WriteCall write = ::write);

} // namespace platform
