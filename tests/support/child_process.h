#pragma once
// Test support: a piece of a test run in a child process of its own, forked
// from the test, for what must not touch the test's process (a mount namespace,
// a process killed outright, a folder left behind). The child writes its
// findings as text, which the test then checks; it asserts nothing itself.

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace testsupport {

struct ChildRun {
    std::string output;   // what `body` gave
    pid_t pid = -1;
    int status = 0;       // as waitpid gives it
};

// Runs `body` in a child and waits for it; the child ends with _exit(0) once
// `body` returns. The test's process should have no other thread running.
inline ChildRun runInChild(const std::function<std::string()>& body) {
    ChildRun run;
    int pipe[2];
    if (::pipe(pipe) != 0) return run;
    run.pid = ::fork();
    if (run.pid == 0) {
        ::close(pipe[0]);
        const std::string output = body();
        for (std::size_t at = 0; at < output.size();) {
            const ssize_t written = ::write(pipe[1], output.data() + at, output.size() - at);
            if (written <= 0) ::_exit(1);
            at += static_cast<std::size_t>(written);
        }
        ::_exit(0);
    }
    ::close(pipe[1]);
    char buffer[4096];
    for (ssize_t got; run.pid > 0 && (got = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
        run.output.append(buffer, static_cast<std::size_t>(got));
    ::close(pipe[0]);
    if (run.pid > 0) ::waitpid(run.pid, &run.status, 0);
    return run;
}

} // namespace testsupport
