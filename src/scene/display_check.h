#pragma once
// The program needs a display to open its window. Without one, Qt's start-up
// ends the process with an abort and a page about platform plugins; instead,
// the program says in one line why it cannot show a window and ends with
// status 2. When nothing names a display:
//   "Vadididod: no display found; set DISPLAY, or QT_QPA_PLATFORM=offscreen to run headless."
// When an X display is named but does not answer:
//   "Vadididod: cannot open display :99; check DISPLAY, or set QT_QPA_PLATFORM=offscreen to run headless."
// When the platform asked for (QT_QPA_PLATFORM, -platform) is none Qt has, with
// those it has, as Qt lists them:
//   "Vadididod: unknown platform "nosuch"; available platforms: minimal, offscreen, xcb."

#include <QApplication>

#include <optional>

namespace scene {

inline constexpr const char* noDisplayLine =
    "Vadididod: no display found; set DISPLAY, or QT_QPA_PLATFORM=offscreen to run headless.";
inline constexpr int noDisplayStatus = 2;

// Makes the application object, or ends the process with one of the lines
// above on standard error when no display can be reached: when the environment
// names none for the window system Qt would choose, or when Qt cannot start the
// platform it names. What Qt says while it tries is held back (the cause is
// read from it), and written as usual once it has succeeded.
void makeApplicationWithDisplay(std::optional<QApplication>& application, int& argc, char* argv[]);

} // namespace scene
