#pragma once
// What the sheets' tests share: the QApplication of every Qt test binary, the
// shared preferences and observer position put back to a known state, a
// refresh flag that counts its changes, and a URL opener that only records.

#include "app/web_address.h"
#include "platform/core/date.h"
#include "sheets/binding.h"

#include <QString>
#include <QUrl>

#include <functional>
#include <vector>

namespace sheets {
class ReformCalendarWidget;
}

namespace testsupport {

// The store emptied and the shared preferences set to their first-start
// values; the observer position set to `latitude`, `longitude`.
void resetSharedState(double latitude = 11.0, double longitude = 22.0);

// Lets the event loop run what is queued (deferred deletes, single shots).
void settle();

// As a user does: opens the calendar's year field from its button, types
// `year` over what it holds and presses Enter.
void typeYear(sheets::ReformCalendarWidget& calendar, const QString& year);

// The flag a sheet inverts, with every value it was given, in order.
struct RefreshFlag {
    bool value = false;
    std::vector<bool> writes;
    sheets::Binding<bool> binding() {
        return {[this] { return value; },
                [this](bool v) {
                    value = v;
                    writes.push_back(v);
                }};
    }
};

struct SelectedDate {
    platform::Date value;
    int writes = 0;
    sheets::Binding<platform::Date> binding() {
        return {[this] { return value; },
                [this](platform::Date v) {
                    value = v;
                    ++writes;
                }};
    }
};

// Keeps each opening's report that no browser took the address, for a test
// to call as the desktop's opener would, later.
struct RecordingOpener {
    std::vector<QUrl> opened;
    std::vector<std::function<void()>> failures;
    app::WebAddressOpener opener() {
        return [this](const QUrl& url, QObject*, std::function<void()> failed) {
            opened.push_back(url);
            failures.push_back(std::move(failed));
        };
    }
};

} // namespace testsupport
