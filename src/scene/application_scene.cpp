#include "scene/application_scene.h"

#include "app/application_version.h"
#include "app/fixed_values.h"
#include "app/global_model.h"
#include "app/help_page.h"
#include "app/settings_store.h"
#include "app/user_settings.h"
#include "app/warning_message.h"
#include "mainwindow/content_view.h"
#include "mainwindow/sheet_buttons.h"
#include "platform/core/swiss_ephemeris.h"
#include "platform/desktop/single_instance.h"
#include "scene/display_check.h"
#include "scene/ending_signals.h"
#include "sheets/calendar_view.h"
#include "sheets/preferences_view.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include <string_view>
#include <utility>

namespace scene {

using app::GlobalModel;
using app::UserSettings;

namespace {

// Where copies of the program meet: its name on the session bus and its lock
// file in the user's runtime folder.
platform::SingleInstance::Names meetingPlaces() {
    return {QStringLiteral("com.tarnwick.Vadididod"), QStringLiteral("/com/tarnwick/Vadididod"),
            QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/vadididod.lock")};
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

int ApplicationScene::main(int argc, char* argv[]) {
    std::optional<QApplication> application;
    makeApplicationWithDisplay(application, argc, argv);
    QApplication::setApplicationName(fromUtf8(app::AppName));
    QApplication::setOrganizationName(fromUtf8(app::CompanyName));
    QApplication::setApplicationVersion(app::application::version());
    QGuiApplication::setDesktopFileName(QStringLiteral("vadididod"));
    quitOnEndingSignals();

    // Before any preference is read: two copies would write over each other's.
    platform::SingleInstance instance(meetingPlaces());
    switch (instance.claim()) {
    case platform::SingleInstance::Claim::handedOver:
        return 0;
    case platform::SingleInstance::Claim::refused:
        return 1;
    case platform::SingleInstance::Claim::first:
        break;
    }
    // No other copy saves now: what a save killed midway left can go.
    app::removeUnfinishedSaves();
    // So can the ephemeris's private folders of runs killed outright.
    swisseph::removeLeftoverFolders();

    ApplicationScene scene;
    connect(&instance, &platform::SingleInstance::activationRequested, &scene, &ApplicationScene::raiseWindow);
    const QByteArray quit = qgetenv("VADIDIDOD_QUIT_AFTER_FIRST_SHOW");
    scene.setQuitAfterFirstShow(quit == "sheets" || quit.toInt() != 0, quit == "sheets");
    scene.launch();
    QApplication::exec();
    return 0;
}

ApplicationScene::ApplicationScene() : global_(GlobalModel::shared()) {}

ApplicationScene::~ApplicationScene() {
    // The window must not call back into the scene while it is being torn down:
    // by then it is no longer a QMainWindow.
    if (window_) {
        window_->removeEventFilter(this);
        delete window_.data();
    }
}

QMainWindow* ApplicationScene::window() const { return window_; }
mainwindow::ContentView* ApplicationScene::content() const { return content_; }
QAction* ApplicationScene::helpOnWebsiteAction() const { return helpOnWebsite_; }

UserSettings& ApplicationScene::userSettings() {
    if (!userSettings_) userSettings_ = &UserSettings::shared();
    return *userSettings_;
}

void ApplicationScene::launch() {
    appDelegate_.applicationWillFinishLaunching();
    // Queued: both come in the midst of a read or a save, from whichever thread
    // made it. Before the preferences are first read, whose save may fail.
    connect(&app::StoreNotifier::shared(), &app::StoreNotifier::storeSetAside, this,
            &ApplicationScene::keepPreferencesSetAside, Qt::QueuedConnection);
    connect(&app::StoreNotifier::shared(), &app::StoreNotifier::saveFailed, this,
            &ApplicationScene::tellSaveFailed, Qt::QueuedConnection);
    UserSettings& settings = userSettings();
    // What that first read set aside has no preferences of this run to keep:
    // they start from their defaults.
    for (const QString& path : app::takeSetAsideStores()) setAsideAtStart_.append(path);
    buildBody();

    connect(&settings, &UserSettings::themeChanged, this, [this] { utilities_.overrideDisplayMode(); });
    connect(&settings, &UserSettings::changed, this, [this] {
        if (content_) content_->reevaluate();
    });
    connect(&global_, &GlobalModel::changed, this, [this] {
        if (content_) content_->reevaluate();
    });
    window_->show();
}

void ApplicationScene::buildBody() {
    window_ = new QMainWindow;
    window_->setWindowTitle(global_.appName());
    window_->setWindowIcon(QIcon::fromTheme(QStringLiteral("vadididod")));
    window_->resize(480, 720);

    content_ = new mainwindow::ContentView;
    window_->setCentralWidget(content_);
    window_->installEventFilter(this);

    // The Help menu holds this one command and nothing else.
    QMenu* help = window_->menuBar()->addMenu(tr("&Help"));
    helpOnWebsite_ = help->addAction(window_->style()->standardIcon(QStyle::SP_MessageBoxQuestion),
                                     tr("Help on website"));
    connect(helpOnWebsite_, &QAction::triggered, this, &ApplicationScene::openHelpPage);
}

// Only the first Show matters, so the filter goes once it has been seen. The
// event's type is looked at before the window is: a window that is being
// destroyed elsewhere still sends events, and is then no QMainWindow any more.
bool ApplicationScene::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && !appeared_ && window_ && watched == window_.data()) {
        appeared_ = true;
        watched->removeEventFilter(this);
        firstAppearance();
    } else if (event->type() == QEvent::Expose && watched == awaitedWindow_.data()) {
        watched->removeEventFilter(this);
        QTimer::singleShot(0, this, &ApplicationScene::showWaitingMessages);
    }
    return QObject::eventFilter(watched, event);
}

void ApplicationScene::firstAppearance() {
    utilities_.overrideDisplayMode();
    userSettings().save();
    if (!setAsideAtStart_.isEmpty()) {
        tellOverWindow(tr("The preferences file could not be read, so the preferences start again from their "
                          "defaults. The old file was kept as:") +
                       QStringLiteral("\n\n") + std::exchange(setAsideAtStart_, {}).join(QLatin1Char('\n')));
    }
    keepPreferencesSetAside();   // those set aside before the scene listened
    showWaitingMessages();
    emit firstAppeared();
    if (!quitAfterFirstShow_) return;
    if (!quitThroughSheets_) {
        QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        return;
    }
    showSheetsThenQuit({[this] { return mainwindow::presentCalendar(*content_); },
                        [this] { return mainwindow::presentPreferences(*content_); }});
}

// Each sheet opens from the event loop, is drawn whole at the loop's next
// turn, and closes before the next one opens.
void ApplicationScene::showSheetsThenQuit(std::vector<std::function<QDialog*()>> sheets) {
    if (sheets.empty() || !content_) {
        QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        return;
    }
    QTimer::singleShot(0, this, [this, sheets = std::move(sheets)]() mutable {
        QDialog* sheet = sheets.front()();
        sheets.erase(sheets.begin());
        QTimer::singleShot(0, sheet, [this, sheet, rest = std::move(sheets)]() mutable {
            static_cast<void>(sheet->grab());
            sheet->close();
            showSheetsThenQuit(std::move(rest));
        });
    });
}

// A store set aside after the first read of the preferences: the shared
// settings, which the window shows and the sheet changes, hold this run's
// preferences. Whichever read found the file unusable began a new one (a read
// of its own begins it with the defaults), so they are saved to it, and the
// content reads them again.
void ApplicationScene::keepPreferencesSetAside() {
    const std::vector<QString> aside = app::takeSetAsideStores();
    if (aside.empty()) return;
    userSettings().save();
    if (content_) content_->reevaluate();
    const QStringList paths(aside.begin(), aside.end());
    tellOverWindow(tr("The preferences file could not be read. The preferences in use are kept and saved to a new "
                      "file in its place; the unreadable file was kept as:") +
                   QStringLiteral("\n\n") + paths.join(QLatin1Char('\n')));
}

// The store tells only the first failure of a run of failures of one cause.
void ApplicationScene::tellSaveFailed(const QString& path, const QString& reason) {
    tellOverWindow(tr("The preferences could not be saved to %1 (%2).").arg(path, reason) + QStringLiteral("\n\n") +
                   tr("The program goes on with them as you set them. Until a later change can be saved, the file "
                      "keeps the preferences it held."));
}

void ApplicationScene::tellOverWindow(const QString& text) {
    waitingMessages_.append(text);
    showWaitingMessages();
}

// Not waited for, like any message over the window. The window manager places
// the window only once it is shown: a message opened before that would stay
// where the window was then, at the screen's edge, so messages wait for the
// window to be on the screen.
void ApplicationScene::showWaitingMessages() {
    if (!appeared_ || !window_) return;   // the first appearance shows those of before
    QWindow* shown = window_->windowHandle();
    if (!shown || !shown->isExposed()) {
        awaitedWindow_ = shown;
        if (shown) shown->installEventFilter(this);
        return;
    }
    // Titled with the word of the window's button for the preferences sheet.
    for (const QString& text : std::exchange(waitingMessages_, {})) {
        app::openWarningMessage(tr("Settings"), text, window_);
    }
}

void ApplicationScene::raiseWindow(const QString& activationToken) {
    if (!window_) return;
    // Qt's Wayland support reads the token from here when it asks for the focus.
    if (!activationToken.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    window_->setWindowState((window_->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void ApplicationScene::openHelpPage() { app::openHelpPage(global_.websiteHelp(), window_, openURL_); }

} // namespace scene
