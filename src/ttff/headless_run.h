#pragma once

#include "control/ttff_lab.h"
#include "ttff/command_line.h"

#include <iosfwd>

namespace norvane {
class SerialLink;
}

namespace norvane::ttff {

enum ExitCode { kAllFixed = 0, kTimedOut = 1, kFailed = 2 };

// The restart test without a window: opens the port, waits for the receiver's fix, then runs
// the cycles through the same restart commands, receive-loop core and TTFF lab as the window.
// Cycle lines and the summary go to out, problems to err. Returns the exit code.
int runHeadless(const RunOptions& options, SerialLink& link, std::ostream& out, std::ostream& err,
                TtffLab::UtcClock utcClock = systemUtcMs);

} // namespace norvane::ttff
