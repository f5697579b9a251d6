#include "scene/ending_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace scene {
namespace {

// A handler may do next to nothing: it writes a byte to a pipe, whose other end
// the event loop watches and which asks the application to quit.
int wakeUp[2] = {-1, -1};

extern "C" void onEndingSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up that has not been read: nothing is lost.
    [[maybe_unused]] const ssize_t written = ::write(wakeUp[1], &byte, 1);
    errno = saved;
}

} // namespace

void quitOnEndingSignals() {
    if (wakeUp[0] >= 0 || ::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char bytes[64];
        while (::read(wakeUp[0], bytes, sizeof bytes) > 0) {}
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        // One ignored from the start stays ignored: `nohup` keeps SIGHUP from ending the program.
        struct sigaction before {};
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            ::sigaction(signal, &action, nullptr);
    }
}

} // namespace scene
