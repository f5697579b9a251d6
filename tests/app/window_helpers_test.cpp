// The window, device and lifecycle helpers in Qt terms.

#include "app/window_helpers.h"

#include "support/qt_test_application.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

using app::DeviceOrientation;

TEST(WindowHelpers, HideKeyboardTakesTheFocusFromWhateverHoldsIt) {
    QWidget window;
    auto* field = new QLineEdit(&window);
    window.show();
    window.activateWindow();
    field->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }, 2000));
    app::hideKeyboard();
    EXPECT_FALSE(field->hasFocus());
    app::hideKeyboard();   // with nothing focused: nothing happens
}

TEST(WindowHelpers, ForegroundAndBackgroundFollowTheApplicationStateWhileTheViewLives) {
    auto view = std::make_unique<QWidget>();
    int cameToFront = 0;
    int wentBack = 0;
    app::onAppCameToForeground(view.get(), [&] { ++cameToFront; });
    app::onAppWentToBackground(view.get(), [&] { ++wentBack; });

    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    emit application->applicationStateChanged(Qt::ApplicationActive);
    emit application->applicationStateChanged(Qt::ApplicationInactive);
    emit application->applicationStateChanged(Qt::ApplicationHidden);
    emit application->applicationStateChanged(Qt::ApplicationActive);
    const int frontBefore = cameToFront;
    EXPECT_GE(cameToFront, 1);
    EXPECT_EQ(wentBack, 1);

    view.reset();
    emit application->applicationStateChanged(Qt::ApplicationInactive);
    emit application->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_EQ(cameToFront, frontBefore);
    EXPECT_EQ(wentBack, 1);
}

TEST(WindowHelpers, TheHostingWindowIsReportedLaterOnce) {
    QWidget window;
    auto* inner = new QWidget(&window);
    int calls = 0;
    QWidget* reported = nullptr;
    app::withHostingWindow(inner, [&](QWidget* w) {
        ++calls;
        reported = w;
    });
    EXPECT_EQ(calls, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 2000));
    QTest::qWait(20);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(reported, &window);
}

TEST(WindowHelpers, AViewGoneBeforeTheReportGetsNoWindow) {
    auto* view = new QWidget;
    bool called = false;
    QWidget* reported = view;
    app::withHostingWindow(view, [&](QWidget* w) {
        called = true;
        reported = w;
    });
    delete view;
    ASSERT_TRUE(QTest::qWaitFor([&] { return called; }, 2000));
    EXPECT_EQ(reported, nullptr);
}

TEST(WindowHelpers, RotationPassesTheOrientationReadWhenTheScreenTurns) {
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    auto view = std::make_unique<QWidget>();
    std::vector<DeviceOrientation> seen;
    app::onRotate(view.get(), [&](DeviceOrientation o) { seen.push_back(o); });
    emit screen->orientationChanged(Qt::InvertedPortraitOrientation);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.front(), app::currentDeviceOrientation()) << "read from the screen, not from the signal";
    view.reset();
    emit screen->orientationChanged(Qt::PortraitOrientation);
    EXPECT_EQ(seen.size(), 1u);
}

TEST(WindowHelpers, HiddenKeepsItsPlaceUnlessRemoved) {
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* first = new QWidget;
    auto* second = new QWidget;
    first->setFixedWidth(100);
    second->setFixedWidth(100);
    layout->addWidget(first);
    layout->addWidget(second);
    layout->addStretch();
    window.resize(400, 50);
    window.show();
    auto secondX = [&] {
        layout->activate();
        return second->geometry().x();
    };
    ASSERT_EQ(secondX(), 100);

    app::isHidden(first, true);
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(secondX(), 100) << "hidden, it still takes its place";

    app::isHidden(first, true, true);
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(secondX(), 0) << "removed, it takes none";

    app::isHidden(first, false, true);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(secondX(), 100);
}

} // namespace
