#pragma once
// The signals that ask a program to end, SIGTERM (the session, `kill`), SIGINT
// (Ctrl+C in its terminal) and SIGHUP (its terminal gone), end this one as
// quitting does: the event loop returns and every destructor runs, so that
// what the program made for its run alone goes with it (the ephemeris bridge's
// private folder). Their default action would end the process on the spot. A
// signal the program was started with ignored stays ignored.

namespace scene {

// For the QCoreApplication that exists; a second call does nothing.
void quitOnEndingSignals();

} // namespace scene
