#pragma once

#include "control/ttff_lab.h"
#include "ttff/command_line.h"

#include <functional>
#include <iosfwd>

namespace norvane {
class SerialLink;
}

namespace norvane::ttff {

enum ExitCode { kAllFixed = 0, kTimedOut = 1, kFailed = 2, kInterrupted = 130 };

// Asked between steps of the run; true once the run is to end early.
using StopRequest = std::function<bool()>;

// The restart test without a window: opens the port, waits for the receiver's fix, then runs
// the cycles through the same restart commands, receive-loop core and TTFF lab as the window.
// Cycle lines and the summary go to out, problems to err. A stop request ends the run after the
// step in progress, with the summary of the cycles finished; a cycle it cuts short is left out,
// as it measured nothing of the receiver. Returns the exit code.
int runHeadless(const RunOptions& options, SerialLink& link, std::ostream& out, std::ostream& err,
                TtffLab::UtcClock utcClock = systemUtcMs, StopRequest stopRequested = {});

} // namespace norvane::ttff
