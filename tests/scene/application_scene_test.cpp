// The program's scene: one main window with the main content, the theme applied
// and the preferences saved when it first shows, the theme applied again on
// every change, and a Help menu with its one command.

#include "scene/application_scene.h"

#include "app/file_replacement.h"
#include "app/global_model.h"
#include "app/settings_store.h"
#include "app/user_settings.h"
#include "mainwindow/content_view.h"
#include "support/failing_writes.h"
#include "support/qt_test_application.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

namespace {

using app::GlobalModel;
using app::UserSettings;
using scene::ApplicationScene;

app::SettingsStore::Values store() {
    auto opened = app::SettingsStore::open();
    return opened ? opened->values() : app::SettingsStore::Values{};
}

bool looksDark() { return QApplication::palette().color(QPalette::Window).lightness() < 128; }

// One scene for the whole binary: the shared settings live as long as the process.
class Scene : public testing::Test {
protected:
    static void SetUpTestSuite() {
        app::resetDefaults();
        scene = new ApplicationScene;
        scene->setOpenURL([](const QUrl& url, QObject*, const std::function<void()>& failed) {
            opened.push_back(url);
            failures.push_back(failed);
        });
        QObject::connect(scene, &ApplicationScene::firstAppeared, [] { storeAtFirstAppearance = store().size(); });
        scene->launch();
        const bool shown = QTest::qWaitFor([] { return scene->window() && scene->window()->isVisible(); }, 5000);
        if (!shown) ADD_FAILURE() << "the window did not show";
    }
    static void TearDownTestSuite() {
        delete scene;
        scene = nullptr;
    }
    void SetUp() override {
        opened.clear();
        failures.clear();
    }

public:
    static inline ApplicationScene* scene = nullptr;

protected:
    static inline std::vector<QUrl> opened;
    // Each opening's report that no browser took the address, to be called
    // as the desktop's opener would, later.
    static inline std::vector<std::function<void()>> failures;
    static inline std::size_t storeAtFirstAppearance = 0;
};

TEST_F(Scene, OpensOneWindowWithTheMainContent) {
    ASSERT_NE(scene->window(), nullptr);
    EXPECT_TRUE(scene->window()->isVisible());
    EXPECT_EQ(scene->window()->windowTitle(), QStringLiteral("Vadididod"));
    EXPECT_EQ(scene->window()->centralWidget(), scene->content());
    EXPECT_NE(&scene->content()->userSettings(), &UserSettings::shared());
    EXPECT_EQ(&scene->global(), &GlobalModel::shared());
    EXPECT_EQ(&scene->userSettings(), &UserSettings::shared());
}

TEST_F(Scene, TheAppDelegateServesTheNotificationCentre) {
    EXPECT_EQ(platform::NotificationCenter::current().delegate(), &scene->appDelegate());
}

TEST_F(Scene, AtFirstAppearanceTheStoreHoldsTheMarkerAndTheSixteenPreferences) {
    EXPECT_EQ(storeAtFirstAppearance, 17u);
    EXPECT_EQ(store().at("havePrefs"), "100");
    for (const char* key : app::userSettingsKeys) EXPECT_TRUE(store().count(QLatin1String(key))) << key;
}

TEST_F(Scene, TheHelpMenuHoldsOnlyHelpOnWebsiteWithAQuestionMarkIcon) {
    QList<QMenu*> menus = scene->window()->menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus.front()->title().remove(QLatin1Char('&')), QStringLiteral("Help"));
    const QList<QAction*> actions = menus.front()->actions();
    ASSERT_EQ(actions.size(), 1);
    EXPECT_EQ(actions.front(), scene->helpOnWebsiteAction());
    EXPECT_EQ(actions.front()->text(), QStringLiteral("Help on website"));
    EXPECT_FALSE(actions.front()->icon().isNull());
}

TEST_F(Scene, HelpOnWebsiteOpensTheHelpPage) {
    scene->helpOnWebsiteAction()->trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened.front(), QUrl(QStringLiteral("https://www.tarnwick.com/vadididod.html")));
}

TEST_F(Scene, HelpOnWebsiteSaysSoWhereNoBrowserOpensThePage) {
    scene->helpOnWebsiteAction()->trigger();
    EXPECT_EQ(scene->window()->findChild<QMessageBox*>(), nullptr);

    ASSERT_EQ(failures.size(), 1u);
    failures.front()();
    QPointer<QMessageBox> message = scene->window()->findChild<QMessageBox*>();
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->isVisible());
    EXPECT_TRUE(message->text().contains(QStringLiteral("No web browser could open the help page")));
    EXPECT_TRUE(message->text().endsWith(QStringLiteral("https://www.tarnwick.com/vadididod.html")));
    EXPECT_TRUE(message->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
    message->accept();
    EXPECT_TRUE(QTest::qWaitFor([&] { return message.isNull(); }, 1000));
}

// The opener reports later: three presses can all fail before the first
// message is up.
TEST_F(Scene, ThreeFailedOpeningsShowOneMessage) {
    for (int press = 0; press < 3; ++press) scene->helpOnWebsiteAction()->trigger();
    ASSERT_EQ(failures.size(), 3u);
    for (const auto& fail : failures) fail();
    const QList<QMessageBox*> messages = scene->window()->findChildren<QMessageBox*>();
    ASSERT_EQ(messages.size(), 1);
    QPointer<QMessageBox> message = messages.front();
    message->accept();
    EXPECT_TRUE(QTest::qWaitFor([&] { return message.isNull(); }, 1000));
}

TEST_F(Scene, AnAddressThatIsNoWebAddressDoesNothing) {
    const QString kept = GlobalModel::shared().websiteHelp();
    for (const QString& address : {QStringLiteral("not an address"), QStringLiteral("javascript:alert(1)"),
                                   QStringLiteral("file:///etc/passwd"), QStringLiteral(""),
                                   QStringLiteral("https://exa mple.com/"), QStringLiteral("http://")}) {
        GlobalModel::shared().setWebsiteHelp(address);
        scene->helpOnWebsiteAction()->trigger();
    }
    GlobalModel::shared().setWebsiteHelp(kept);
    EXPECT_TRUE(opened.empty());
}

TEST_F(Scene, ChangingTheThemeAppliesItAtOnce) {
    UserSettings::shared().setTheme(2);
    EXPECT_TRUE(looksDark());
    UserSettings::shared().setTheme(1);
    EXPECT_FALSE(looksDark());
    UserSettings::shared().setTheme(0);
    EXPECT_EQ(app::appliedInterfaceStyle(), app::InterfaceStyle::unspecified);
}

TEST_F(Scene, WritingTheThemeItHasAppliesNothingAgain) {
    UserSettings::shared().setTheme(2);
    ASSERT_TRUE(looksDark());
    // A look set from elsewhere stays until the theme really changes.
    QPalette marker = QApplication::palette();
    marker.setColor(QPalette::Window, QColor(1, 2, 3));
    QApplication::setPalette(marker);
    UserSettings::shared().setTheme(2);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(1, 2, 3));
    UserSettings::shared().setTheme(1);
    EXPECT_NE(QApplication::palette().color(QPalette::Window), QColor(1, 2, 3));
    UserSettings::shared().setTheme(0);
}

TEST_F(Scene, AChangeOfTheSharedModelsLetsTheContentReadTheStoreAgain) {
    UserSettings::shared().setNotifyDaysBefore(5);
    EXPECT_EQ(scene->content()->userSettings().notifyDaysBefore(), 5);
    UserSettings::shared().setNotifyDaysBefore(2);

    const platform::Date selected = scene->content()->selectedDate();
    GlobalModel::shared().setLatitude(-33.87);
    EXPECT_EQ(scene->content()->selectedDate(), selected) << "the selected date is the view's own state";
    GlobalModel::shared().setLatitude(0.0);
}

TEST_F(Scene, TheFirstAppearanceRunsOnce) {
    int appeared = 0;
    auto connection = QObject::connect(scene, &ApplicationScene::firstAppeared, [&] { ++appeared; });
    scene->window()->hide();
    scene->window()->show();
    QTest::qWait(20);
    QObject::disconnect(connection);
    EXPECT_EQ(appeared, 0);
}

// Run under UBSan these two catch a scene that still looks at its window while
// the window is being destroyed (it is no QMainWindow by then).
TEST(SceneTeardown, AWindowDestroyedBeforeItsSceneIsLeftAlone) {
    {
        ApplicationScene other;
        other.launch();
        ASSERT_TRUE(QTest::qWaitFor([&] { return other.window() && other.window()->isVisible(); }, 5000));
        delete other.window();
        EXPECT_EQ(other.window(), nullptr);
    }
    // The scene of the other tests serves the notification centre again.
    if (Scene::scene) Scene::scene->appDelegate().applicationWillFinishLaunching();
}

TEST(SceneTeardown, ASceneDestroyedWithItsWindowShownLeavesNothingBehind) {
    QPointer<QMainWindow> window;
    {
        ApplicationScene other;
        other.launch();
        window = other.window();
        ASSERT_TRUE(QTest::qWaitFor([&] { return window && window->isVisible(); }, 5000));
    }
    EXPECT_TRUE(window.isNull());
    if (Scene::scene) Scene::scene->appDelegate().applicationWillFinishLaunching();
}

// An opener may report that no browser took the page after the window that
// asked is gone: nothing is told then.
TEST(SceneTeardown, AFailureReportedOnceTheWindowIsGoneIsNotTold) {
    std::function<void()> failed;
    {
        ApplicationScene other;
        other.setOpenURL([&](const QUrl&, QObject*, const std::function<void()>& report) { failed = report; });
        other.launch();
        other.openHelpPage();
        delete other.window();
    }
    ASSERT_TRUE(failed);
    failed();
    for (QWidget* widget : QApplication::topLevelWidgets()) EXPECT_EQ(qobject_cast<QMessageBox*>(widget), nullptr);
    if (Scene::scene) Scene::scene->appDelegate().applicationWillFinishLaunching();
}

// The one message over `window` that is up (waiting a while for it), when it
// names `file`; null when there is none, or more than one.
QMessageBox* messageNaming(QWidget* window, const QString& file) {
    QList<QMessageBox*> messages;
    if (!QTest::qWaitFor([&] { return !(messages = window->findChildren<QMessageBox*>()).isEmpty(); }, 5000)) {
        return nullptr;
    }
    return messages.size() == 1 && messages.front()->isVisible() && messages.front()->text().contains(file)
               ? messages.front()
               : nullptr;
}

void close(QMessageBox* message) {
    QPointer<QMessageBox> closing = message;
    message->accept();
    EXPECT_TRUE(QTest::qWaitFor([&] { return closing.isNull(); }, 1000));
}

// A store that cannot serve is set aside and a new one begun. Once the window
// is on the screen, where the window manager put it, a message over it says
// so, once, titled as the window's button for the sheet and naming where the
// old file went; a file set aside later is told when it is. The preferences
// in use were read before: they are kept, and the new file holds them with
// the first-start marker, whichever read found the damage.
TEST(SceneStore, AStoreSetAsideIsAnnouncedOverTheWindowWhenItIsSetAside) {
    UserSettings::shared().setNotifyDaysBefore(5);
    const QString path = app::settingsStorePath();
    QDir folder = QFileInfo(path).dir();
    for (const QString& old : folder.entryList({QStringLiteral("Vadididod.conf.damaged-*")})) folder.remove(old);
    const auto damage = [&] {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write("[General]\nhavePrefs=100\n[Gen") > 0;
    };
    QStringList told;
    const auto newlySetAside = [&] {
        QStringList aside = folder.entryList({QStringLiteral("Vadididod.conf.damaged-*")});
        for (const QString& before : told) aside.removeAll(before);
        told += aside;
        return aside.size() == 1 ? folder.filePath(aside.front()) : QString();
    };
    const QString kept = QStringLiteral("The preferences in use are kept and saved to a new file");
    ASSERT_TRUE(damage());
    ApplicationScene other;
    other.launch();
    other.window()->move(400, 200);   // as a window manager places a window it is shown
    QString aside = newlySetAside();
    ASSERT_FALSE(aside.isEmpty());
    QPointer<QMessageBox> message = messageNaming(other.window(), aside);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->windowTitle(), QStringLiteral("Settings"));
    EXPECT_TRUE(message->text().contains(kept)) << message->text().toStdString();
    EXPECT_TRUE(other.window()->frameGeometry().contains(message->frameGeometry().center()))
        << message->frameGeometry().x() << "," << message->frameGeometry().y();
    close(message);

    UserSettings::shared().setTheme(1);
    UserSettings::shared().setTheme(0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(other.window()->findChildren<QMessageBox*>().isEmpty()) << "told once";

    // A save that finds the file damaged after the start.
    ASSERT_TRUE(damage());
    UserSettings::shared().setTheme(1);
    aside = newlySetAside();
    ASSERT_FALSE(aside.isEmpty());
    message = messageNaming(other.window(), aside);
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->text().contains(kept)) << message->text().toStdString();
    close(message);
    EXPECT_EQ(store().at("theme"), "1");
    EXPECT_EQ(store().at("havePrefs"), "100");

    // A read of the window's content that finds it so (a new location, say):
    // that read begins the new file with the defaults, which the window does
    // not show.
    ASSERT_TRUE(damage());
    GlobalModel::shared().setLatitude(51.5);
    aside = newlySetAside();
    ASSERT_FALSE(aside.isEmpty());
    message = messageNaming(other.window(), aside);
    ASSERT_NE(message, nullptr);
    close(message);
    EXPECT_EQ(store().at("notifyDaysBefore"), "5");
    EXPECT_EQ(store().at("theme"), "1");
    EXPECT_EQ(other.content()->userSettings().notifyDaysBefore(), 5);
    GlobalModel::shared().setLatitude(0.0);
    UserSettings::shared().setTheme(0);
    UserSettings::shared().setNotifyDaysBefore(2);
}

// A save that fails is told over the window with the file's path and the
// reason, once for a run of failures of one cause: again for another cause,
// or after a save that succeeded.
TEST(SceneStore, AFailedSaveIsToldOverTheWindowOnceForARunOfOneCause) {
    ApplicationScene other;
    other.launch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return other.window()->isVisible(); }, 5000));
    const QString path = app::settingsStorePath();
    const auto assignWith = [](app::DiskCalls calls, qint64 theme) {
        app::useDiskCalls(calls);
        UserSettings::shared().setTheme(theme);
        app::useDiskCalls({});
    };
    const auto expectToldOf = [&](const QString& reason) {
        QMessageBox* message = messageNaming(other.window(), path);
        ASSERT_NE(message, nullptr) << reason.toStdString();
        EXPECT_EQ(message->windowTitle(), QStringLiteral("Settings"));
        EXPECT_TRUE(message->text().contains(path + QStringLiteral(" (") + reason + QLatin1Char(')')))
            << message->text().toStdString();
        close(message);
    };
    const auto expectNothingTold = [&] {
        QTest::qWait(50);
        EXPECT_TRUE(other.window()->findChildren<QMessageBox*>().isEmpty());
    };

    assignWith({testsupport::fullDiskWrite, ::fdatasync}, 1);
    expectToldOf(QStringLiteral("write: No space left on device"));
    assignWith({testsupport::fullDiskWrite, ::fdatasync}, 2);
    expectNothingTold();
    assignWith({testsupport::failingDiskWrite, ::fdatasync}, 1);
    expectToldOf(QStringLiteral("write: Input/output error"));
    assignWith({}, 2);
    expectNothingTold();
    EXPECT_EQ(store().at("theme"), "2");
    assignWith({testsupport::failingDiskWrite, ::fdatasync}, 0);
    expectToldOf(QStringLiteral("write: Input/output error"));
    assignWith({}, 0);
}

} // namespace
