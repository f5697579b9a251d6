#pragma once
// The main window's content: it holds a settings object of its own (read from
// the store when the content is built, and read afresh at each re-evaluation),
// the shared global model, a sound player of its own, and the selected date,
// which starts at the moment the content is built and which it shows.

#include "platform/core/date.h"

#include <QWidget>

#include <memory>

class QLabel;
class QToolBar;

namespace app {
class AudioManager;
class GlobalModel;
class UserSettings;
} // namespace app

namespace mainwindow {

class ContentView : public QWidget {
    Q_OBJECT

public:
    explicit ContentView(QWidget* parent = nullptr);
    ~ContentView() override;

    // The content's own settings. A re-evaluation replaces the object, so ask
    // for it each time rather than keep it.
    app::UserSettings& userSettings() noexcept { return *userSettings_; }
    app::GlobalModel& global() noexcept { return global_; }
    app::AudioManager& audioManager() noexcept { return *audioManager_; }

    platform::Date selectedDate() const noexcept { return selectedDate_; }
    void setSelectedDate(platform::Date date);

    // The scene's content is evaluated again: the settings are read from the
    // store afresh; the selected date stays.
    void reevaluate();

    // The text the content shows for the selected date: the locale's full date,
    // followed by the era's name when it is not the present era ("... 500 BC").
    // The content is never narrower than the widest full date of the locale
    // with a year of four digits (the longest weekday and month names), so that
    // no date of the present era is cut at the window's smallest width.
    QString selectedDateText() const;

    // Inverted (by a date step or a sheet) to ask for a refresh; every change
    // refreshes what the content shows.
    bool refreshInfo() const noexcept { return refreshInfo_; }
    void setRefreshInfo(bool value);

    // Holds the buttons that open the calendar and the preferences sheet.
    QToolBar* toolbar() const noexcept { return toolbar_; }

signals:
    void selectedDateChanged(platform::Date date);
    void reevaluated();
    void refreshInfoChanged(bool value);

protected:
    void changeEvent(QEvent* event) override;

private:
    void showSelectedDate();
    void fitLongestDate();
    int dateLabelWidth(const QString& text) const;

    std::unique_ptr<app::UserSettings> userSettings_;
    app::GlobalModel& global_;
    std::unique_ptr<app::AudioManager> audioManager_;
    platform::Date selectedDate_;
    QLabel* dateLabel_ = nullptr;
    int longestDateWidth_ = 0;
    bool refreshInfo_ = false;
    QToolBar* toolbar_ = nullptr;
};

} // namespace mainwindow
