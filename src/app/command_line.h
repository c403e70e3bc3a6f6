#pragma once

#include <optional>
#include <ostream>

namespace norvane {

// The options answered on the terminal, before any window or display is needed: --help,
// --version and --list-ports. Gives the exit status when one of them was asked for; nothing
// when the windows are to open (every other argument is left to the toolkit).
std::optional<int> answerOnTerminal(int argc, char** argv, std::ostream& out, std::ostream& err);

// The options that shape a run with windows.
struct WindowOptions {
    bool noSettings = false; // --no-settings: remembered settings are neither read nor written
};
WindowOptions windowOptions(int argc, char** argv);

} // namespace norvane
