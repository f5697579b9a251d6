#include "platform/core/date.h"

#include <chrono>

namespace platform {

Date Date::now() noexcept {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return Date(std::chrono::duration<double>(sinceEpoch).count());
}

} // namespace platform
