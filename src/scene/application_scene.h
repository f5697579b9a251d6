#pragma once
// The top of the program: the application object that holds the shared
// settings, the global model and the theme service, installs the application
// delegate, and builds the one main window with its Help menu.
//
// When the window is first shown the theme is applied, the shared preferences
// are saved once, and, once the window is on the screen, a message over it
// names where a preferences file that could not be read at start was set
// aside, if one was: the preferences start from their defaults. A file set
// aside later (by a read or a save) is told so when it is; the preferences in
// use are then kept, and saved to the new file. A save that fails is told over
// the window too, with the file's path and the reason, once for a run of
// failures of one cause (settings_store.h).
// Every change of the `theme` preference applies the theme again; every change
// of the shared settings or of the global model lets the main window's content
// read the store afresh.

#include "app/app_delegate.h"
#include "app/utilities.h"
#include "app/web_address.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <vector>

class QAction;
class QDialog;
class QMainWindow;
class QWindow;
namespace app {
class GlobalModel;
class UserSettings;
} // namespace app
namespace mainwindow {
class ContentView;
}

namespace scene {

class ApplicationScene : public QObject {
    Q_OBJECT

public:
    // The process entry: runs the program until its window closes, and gives
    // the process's exit status. A start while another copy runs asks that
    // copy to bring its window to the front and ends at once (0), or, when the
    // running copy cannot be reached, ends with a console line (1); either way
    // it touches no preference. Without a display it ends with one line on
    // standard error (2, display_check.h).
    static int main(int argc, char* argv[]);

    // Needs the QApplication to exist.
    ApplicationScene();
    ~ApplicationScene() override;

    // The launch, as the desktop would drive it: the delegate takes its role,
    // the shared settings are taken, the window is built and shown.
    void launch();

    app::AppDelegate& appDelegate() noexcept { return appDelegate_; }
    app::UserSettings& userSettings();   // the shared settings, taken on first need
    app::GlobalModel& global() noexcept { return global_; }
    app::Utilities& utilities() noexcept { return utilities_; }

    // The scene's window and its parts; null before `launch()`.
    QMainWindow* window() const;
    mainwindow::ContentView* content() const;
    QAction* helpOnWebsiteAction() const;

    // The desktop's way of opening an address (app::openWebAddress); tests put
    // their own in place.
    void setOpenURL(app::WebAddressOpener open) { openURL_ = std::move(open); }

    // Opens the help page as app::openHelpPage does, the message over the
    // window; before `launch()` it does nothing.
    void openHelpPage();

    // Brings the window to the front, out of the task bar if it was minimised,
    // as another start of the program asks. `activationToken`: the desktop's
    // leave to take the focus, when the other start was given one.
    void raiseWindow(const QString& activationToken = QString());

    // Quit as soon as the window has first been shown (for measuring start-up);
    // `throughSheets`: first open the calendar sheet and then the preferences
    // sheet, each drawn and closed again (for tests on a real display).
    void setQuitAfterFirstShow(bool quit, bool throughSheets = false) noexcept {
        quitAfterFirstShow_ = quit;
        quitThroughSheets_ = throughSheets;
    }

signals:
    void firstAppeared();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildBody();
    void firstAppearance();
    void keepPreferencesSetAside();
    void tellSaveFailed(const QString& path, const QString& reason);
    void tellOverWindow(const QString& text);
    void showWaitingMessages();
    void showSheetsThenQuit(std::vector<std::function<QDialog*()>> sheets);

    app::AppDelegate appDelegate_;
    app::UserSettings* userSettings_ = nullptr;
    app::GlobalModel& global_;
    app::WebAddressOpener openURL_ = app::openWebAddress;
    app::Utilities utilities_;

    QPointer<QMainWindow> window_;
    QPointer<mainwindow::ContentView> content_;
    QPointer<QAction> helpOnWebsite_;
    QPointer<QWindow> awaitedWindow_;   // the window's handle, while a message waits for it to be exposed
    QStringList setAsideAtStart_;       // stores the first read of the preferences set aside
    QStringList waitingMessages_;       // texts to show over the window once it is on the screen
    bool appeared_ = false;
    bool quitAfterFirstShow_ = false;
    bool quitThroughSheets_ = false;
};

} // namespace scene
