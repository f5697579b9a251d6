// Handing a web address to the desktop: a stand-in xdg-open on the PATH shows
// that a failure status (no browser found) is reported and a success is not.

#include "app/web_address.h"

#include "support/qt_test_application.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class StandInOpener {
public:
    // An xdg-open that writes the address it was given and ends with `status`.
    explicit StandInOpener(int status) : path_(qgetenv("PATH")) {
        QFile script(dir_.filePath(QStringLiteral("xdg-open")));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\necho \"$1\" > '" + dir_.filePath(QStringLiteral("opened")).toLocal8Bit() + "'\nexit " +
                     QByteArray::number(status) + "\n");
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        script.close();
        qputenv("PATH", dir_.path().toLocal8Bit());
    }
    ~StandInOpener() { qputenv("PATH", path_); }

    QString opened() const {
        QFile file(dir_.filePath(QStringLiteral("opened")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
    }

private:
    QTemporaryDir dir_;
    QByteArray path_;
};

const QUrl helpPage(QStringLiteral("https://www.tarnwick.com/vadididod.html"));

TEST(OpenWebAddress, ReportsThatTheDesktopsOpenerFoundNoBrowser) {
    StandInOpener opener(3);
    QObject context;
    bool failed = false;
    app::openWebAddress(helpPage, &context, [&] { failed = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return failed; }, 10000));
    EXPECT_EQ(opener.opened(), helpPage.toString());
}

TEST(OpenWebAddress, AnAddressTheOpenerTookIsNotReported) {
    StandInOpener opener(0);
    QObject context;
    bool failed = false;
    app::openWebAddress(helpPage, &context, [&] { failed = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !opener.opened().isEmpty(); }, 10000));
    QTest::qWait(200);   // its end reaches the event loop
    EXPECT_FALSE(failed);
}

} // namespace
