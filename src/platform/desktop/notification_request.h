#pragma once
// What a local notification is made of: its content, the calendar trigger that
// says when it fires, the request that pairs them under an identifier, and the
// delivered notification handed to the centre's delegate.

#include "platform/core/date.h"
#include "platform/core/date_components.h"
#include "platform/desktop/option_set.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The name of a sound as the desktop's sound theme knows it ("message-new-instant").
struct NotificationSoundName {
    std::string rawValue;
    friend bool operator==(const NotificationSoundName&, const NotificationSoundName&) = default;
};

// The sound played with a notification: the desktop's default, or a named one.
class NotificationSound {
public:
    static NotificationSound defaultSound() { return NotificationSound(std::nullopt); }
    static NotificationSound named(NotificationSoundName name) { return NotificationSound(std::move(name)); }

    // The sound-theme name to ask the notification service for.
    std::string themeName() const;
    bool isDefault() const noexcept { return !name_.has_value(); }

    friend bool operator==(const NotificationSound&, const NotificationSound&) = default;

private:
    explicit NotificationSound(std::optional<NotificationSoundName> name) : name_(std::move(name)) {}
    std::optional<NotificationSoundName> name_;
};

struct NotificationContent {
    std::string title;
    std::string subtitle;
    std::string body;
    std::optional<NotificationSound> sound;   // none: silent
    friend bool operator==(const NotificationContent&, const NotificationContent&) = default;
};

// Fires when the current calendar next shows every field set in `dateMatching`.
struct CalendarNotificationTrigger {
    DateComponents dateMatching;
    bool repeats = false;

    // The first instant after `after` that matches, in the user's calendar and
    // time zone as they are now; none when no such instant exists.
    std::optional<Date> nextTriggerDate(Date after) const;

    friend bool operator==(const CalendarNotificationTrigger&, const CalendarNotificationTrigger&) = default;
};

struct NotificationRequest {
    std::string identifier;
    NotificationContent content;
    std::optional<CalendarNotificationTrigger> trigger;   // none: deliver at once
    friend bool operator==(const NotificationRequest&, const NotificationRequest&) = default;
};

struct Notification {
    NotificationRequest request;
    Date date;   // when it was delivered
};

struct NotificationError {
    std::string localizedDescription;
};

// What the program asks leave for.
enum class AuthorizationOption : std::uint32_t { badge = 1, sound = 2, alert = 4 };
using AuthorizationOptions = OptionSet<AuthorizationOption>;

// How a notification that arrives while the program runs is shown.
enum class PresentationOption : std::uint32_t { badge = 1, sound = 2, alert = 4, list = 8, banner = 16 };
using PresentationOptions = OptionSet<PresentationOption>;

} // namespace platform
