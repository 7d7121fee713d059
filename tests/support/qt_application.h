#pragma once

// The one QApplication of a GUI test program, for its global test environment to own.

#include <QApplication>
#include <memory>

namespace testsupport {

// Creates the application on the calling (main) thread, named programName, with the
// offscreen platform's notes about what it cannot do (window masks, raising, keyboard grabs)
// kept out of the test output. programName must outlive the application.
std::unique_ptr<QApplication> StartQtApplication(const char* programName);

}  // namespace testsupport
