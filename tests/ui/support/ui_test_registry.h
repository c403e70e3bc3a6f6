#pragma once

// The window tests of the one window-test program, each under the name of its file.

#include <string>
#include <vector>

namespace norvane::uitest {

// Runs one test class with the application already made; returns Qt Test's exit status.
using UiTestRun = int (*)(int argc, char** argv);

struct UiTest {
    const char* scale; // QT_SCALE_FACTOR of its screen, set before the application is made
    UiTestRun run;
};

// Registers the test of `file` (a path, as __FILE__ gives it) under its name without folder and
// extension. Returns true, for a static initialiser to hold.
bool registerUiTest(const char* file, const char* scale, UiTestRun run);

// The test registered under `name`, or nullptr.
const UiTest* registeredUiTest(const std::string& name);

// Every registered name, sorted.
std::vector<std::string> registeredUiTestNames();

} // namespace norvane::uitest
