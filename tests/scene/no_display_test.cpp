// The program started where it can reach no display: one clear line that
// names the cause and a non-zero status, never an abort. The program itself is
// run.

#include "scene/display_check.h"

#include "program_run.h"

#include <QDir>
#include <QLibraryInfo>

#include <gtest/gtest.h>

namespace {

using testsupport::ProgramRun;
using testsupport::runProgram;

void expectOneClearLine(const ProgramRun& run, const QString& line = QString::fromLatin1(scene::noDisplayLine)) {
    EXPECT_EQ(run.status, QProcess::NormalExit) << "no abort";
    EXPECT_EQ(run.exitCode, scene::noDisplayStatus);
    EXPECT_EQ(run.err.toStdString(), line.toStdString() + '\n');
    EXPECT_EQ(run.out.toStdString(), "");
}

const QStringList displayVariables{QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"),
                                   QStringLiteral("QT_QPA_PLATFORM")};

TEST(NoDisplay, NoneNamedAtAll) {
    expectOneClearLine(runProgram({}, displayVariables));
}

TEST(NoDisplay, X11NamedButNotThereIsNamed) {
    const QString line = QStringLiteral(
        "Vadididod: cannot open display :97; check DISPLAY, or set QT_QPA_PLATFORM=offscreen to run headless.");
    expectOneClearLine(runProgram({{QStringLiteral("DISPLAY"), QStringLiteral(":97")}}, displayVariables), line);
    expectOneClearLine(runProgram({{QStringLiteral("DISPLAY"), QStringLiteral(":97")},
                                   {QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")}},
                                  displayVariables),
                       line);
}

// The platforms available are those whose plugins Qt's own folder holds.
TEST(NoDisplay, AnUnknownPlatformIsNamedWithThoseAvailable) {
    const QDir folder(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
    QStringList available;
    for (const QString& file : folder.entryList({QStringLiteral("libq*.so")}, QDir::Files, QDir::Name)) {
        available << file.sliced(4).chopped(3);
    }
    ASSERT_TRUE(available.contains(QStringLiteral("offscreen"))) << folder.path().toStdString();

    const ProgramRun run = runProgram({{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("nosuch")}}, displayVariables);
    const QString lead = QStringLiteral("Vadididod: unknown platform \"nosuch\"; available platforms: ");
    ASSERT_TRUE(run.err.startsWith(lead) && run.err.endsWith(QStringLiteral(".\n"))) << run.err.toStdString();
    QStringList listed = run.err.sliced(lead.size()).chopped(2).split(QStringLiteral(", "));
    listed.sort();
    EXPECT_EQ(listed, available);
    expectOneClearLine(run, run.err.chopped(1));
}

TEST(NoDisplay, X11AskedForWithoutADisplay) {
    expectOneClearLine(runProgram({{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")}}, displayVariables));
}

TEST(NoDisplay, HeadlessAsTheLineSays) {
    const ProgramRun run = runProgram({{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")},
                                {QStringLiteral("VADIDIDOD_QUIT_AFTER_FIRST_SHOW"), QStringLiteral("1")}},
                               displayVariables);
    EXPECT_EQ(run.status, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
}

} // namespace
