// The program started where it can reach no display: one clear line and a
// non-zero status, never an abort. The program itself is run.

#include "scene/display_check.h"

#include "program_run.h"

#include <gtest/gtest.h>

namespace {

using testsupport::ProgramRun;
using testsupport::runProgram;

void expectOneClearLine(const ProgramRun& run) {
    EXPECT_EQ(run.status, QProcess::NormalExit) << "no abort";
    EXPECT_EQ(run.exitCode, scene::noDisplayStatus);
    EXPECT_EQ(run.err, QString::fromLatin1(scene::noDisplayLine) + QLatin1Char('\n'));
    EXPECT_EQ(run.out, QString());
}

const QStringList displayVariables{QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"),
                                   QStringLiteral("QT_QPA_PLATFORM")};

TEST(NoDisplay, NoneNamedAtAll) {
    expectOneClearLine(runProgram({}, displayVariables));
}

TEST(NoDisplay, X11NamedButNotThere) {
    expectOneClearLine(runProgram({{QStringLiteral("DISPLAY"), QStringLiteral(":97")}}, displayVariables));
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
