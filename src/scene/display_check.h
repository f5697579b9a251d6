#pragma once
// The program needs a display to open its window. Without one, Qt's start-up
// ends the process with an abort and a page about platform plugins; instead,
// the program says in one line what is missing and ends with status 2:
//   "Vadididod: no display found; set DISPLAY, or QT_QPA_PLATFORM=offscreen to run headless."

#include <QApplication>

#include <optional>

namespace scene {

inline constexpr const char* noDisplayLine =
    "Vadididod: no display found; set DISPLAY, or QT_QPA_PLATFORM=offscreen to run headless.";
inline constexpr int noDisplayStatus = 2;

// Makes the application object, or ends the process with the line above on
// standard error when no display can be reached: when the environment names
// none for the window system Qt would choose, or when Qt cannot reach the one
// it names. What Qt says while it tries is held back, and written as usual
// once it has succeeded.
void makeApplicationWithDisplay(std::optional<QApplication>& application, int& argc, char* argv[]);

} // namespace scene
