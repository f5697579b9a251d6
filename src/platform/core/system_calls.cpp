#include "platform/core/system_calls.h"

#include <algorithm>

namespace platform {

int writeWhole(int fd, std::string_view bytes, WriteCall write) {
    while (!bytes.empty()) {
        const ssize_t written = retryInterrupted([&] { return write(fd, bytes.data(), bytes.size()); });
        if (written < 0) return errno;
        if (written == 0) return EIO;
        bytes.remove_prefix(std::min(bytes.size(), static_cast<std::size_t>(written)));
    }
    return 0;
}

} // namespace platform
