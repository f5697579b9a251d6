#include "platform/core/internal/system_error.h"

#include <cerrno>
#include <cstring>

namespace platform::system_error {

std::string describe(int error) {
    // Neither reads the locale nor writes a shared buffer, unlike strerror.
    const char* text = ::strerrordesc_np(error);
    const char* name = ::strerrorname_np(error);
    std::string described = text != nullptr ? text : "Unknown error " + std::to_string(error);
    if (name != nullptr) described += std::string(" (") + name + ")";
    return described;
}

bool passes(int error) noexcept {
    return error == EMFILE || error == ENFILE || error == ENOMEM || error == EIO || error == EINTR;
}

} // namespace platform::system_error
