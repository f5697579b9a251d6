#include "platform/core/internal/system_zone_link.h"

#include "platform/core/internal/tz_variable.h"

#include <unistd.h>

#include <array>

namespace platform::system_zone_link {

std::optional<TimeZone> zoneOfLink(const std::string& linkPath) {
    std::array<char, 1024> target{};
    const ssize_t length = ::readlink(linkPath.c_str(), target.data(), target.size());
    // A target that fills the buffer may be cut short: no name to trust.
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return std::nullopt;
    return tz_variable::zoneOfPath(std::string_view(target.data(), static_cast<std::size_t>(length)));
}

const TimeZone& Watch::zone(Clock::time_point now) {
    if (!readAt_ || now - *readAt_ >= interval_ || now < *readAt_) {
        if (auto named = zoneOfLink(path_)) {
            zone_ = *std::move(named);
        } else {
            zone_ = copy_.zone();
        }
        readAt_ = now;
    }
    return zone_;
}

} // namespace platform::system_zone_link
