#pragma once
// Test support: a QApplication for the whole test binary (offscreen, set up
// before the first test), and a way to read what a piece of code wrote to the
// console.

#include <functional>
#include <string>

namespace testsupport {

// Everything `work` writes to standard output.
std::string consoleOutputOf(const std::function<void()>& work);

} // namespace testsupport
