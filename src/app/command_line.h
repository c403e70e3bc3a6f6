#pragma once

#include <optional>
#include <ostream>

namespace norvane {

// The options answered on the terminal, before any window or display is needed: --help,
// --version and --list-ports. Gives the exit status when one of them was asked for; nothing
// when the windows are to open (every other argument is left to the toolkit).
std::optional<int> answerOnTerminal(int argc, char** argv, std::ostream& out, std::ostream& err);

} // namespace norvane
