#pragma once
// The program itself, run from a test with some variables set and others
// removed from the test's own environment; a run that does not end within its
// time is killed and reads as a crash.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace testsupport {

struct ProgramRun {
    QProcess::ExitStatus status = QProcess::CrashExit;
    int exitCode = -1;
    QString out;
    QString err;
};

inline ProgramRun runProgram(const std::vector<std::pair<QString, QString>>& set, const QStringList& unset,
                             int timeoutMs = 20000) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : unset) environment.remove(name);
    for (const auto& [name, value] : set) environment.insert(name, value);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VADIDIDOD_PROGRAM), {});
    ProgramRun run;
    if (!program.waitForFinished(timeoutMs)) {
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

} // namespace testsupport
