// The program started where it can reach no display: one clear line and a
// non-zero status, never an abort. The program itself is run.

#include "scene/display_check.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct ProgramRun {
    QProcess::ExitStatus status = QProcess::CrashExit;
    int exitCode = -1;
    QString out;
    QString err;
};

ProgramRun runProgram(const std::vector<std::pair<QString, QString>>& set, const QStringList& unset) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : unset) environment.remove(name);
    for (const auto& [name, value] : set) environment.insert(name, value);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VADIDIDOD_PROGRAM), {});
    ProgramRun run;
    if (!program.waitForFinished(20000)) {
        program.kill();
        program.waitForFinished();
        return run;
    }
    run.status = program.exitStatus();
    run.exitCode = program.exitCode();
    run.out = QString::fromLocal8Bit(program.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(program.readAllStandardError());
    return run;
}

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
