#pragma once

namespace norvane {

// Ctrl+C (SIGINT) and SIGTERM as a request to stop: the commands without a window end their run
// cleanly at their next step, with their summary and their files complete. The handler only
// sets a flag; the run polls stopRequested().
void catchStopSignals();
bool stopRequested();
// Forgets a request (a test's second run in one process).
void clearStopRequest();

} // namespace norvane
