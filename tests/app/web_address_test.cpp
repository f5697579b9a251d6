// Handing a web address to the desktop: a stand-in xdg-open on the PATH shows
// that a failure status (no browser found) is reported and a success is not.

#include "app/web_address.h"

#include "platform/core/swiss_ephemeris.h"
#include "support/qt_test_application.h"
#include "support/stand_in_opener.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using testsupport::StandInOpener;

const QUrl helpPage(QStringLiteral("https://www.tarnwick.com/vadididod.html"));

TEST(OpenWebAddress, ReportsThatTheDesktopsOpenerFoundNoBrowser) {
    StandInOpener opener(3);
    QObject context;
    bool failed = false;
    app::openWebAddress(helpPage, &context, [&] { failed = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return failed; }, 10000));
    EXPECT_EQ(opener.opened(), QStringList{helpPage.toString()});
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

// While SE_EPHE_PATH names the data folders, the ephemeris bridge hands the
// library its private folder through the variable; the opener and the browser
// inherited that folder, whose links name descriptors of the program's own.
TEST(OpenWebAddress, TheOpenerGetsTheEphemerisPathTheUserSet) {
    const QByteArray installed = "/usr/share/libswe/ephe";
    qputenv("SE_EPHE_PATH", installed);
    ASSERT_TRUE(swisseph::setEphemerisPath(std::nullopt));   // the path applied with the variable
    StandInOpener opener(3, "\"${SE_EPHE_PATH-unset}\"");
    QObject context;
    bool ended = false;   // told as a failure: the stand-in ends with a failure status
    app::openWebAddress(helpPage, &context, [&] { ended = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return ended; }, 10000));
    EXPECT_EQ(opener.opened().join(QLatin1Char('\n')).toStdString(), installed.toStdString());
    qunsetenv("SE_EPHE_PATH");
    ASSERT_TRUE(swisseph::setEphemerisPath(std::nullopt));
}

} // namespace
