#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace norvane {

// What the window is asked for at start: a recording to replay, at a speed.
struct WindowOptions {
    std::string replayFile;
    int replaySpeed = 1;
    bool speedGiven = false;
};

// The options answered on the terminal, before any window or display is needed: --help,
// --version and --list-ports, and a reason with the usage for a window option without its
// value. Gives the exit status when the program is to end there; nothing when the windows are
// to open, with `window` filled from --replay and --speed (every other argument is left to the
// toolkit).
std::optional<int> answerOnTerminal(int argc, char** argv, std::ostream& out, std::ostream& err,
                                    WindowOptions& window);

} // namespace norvane
