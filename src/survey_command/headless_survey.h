#pragma once

#include "survey_command/command_line.h"

#include <iosfwd>

namespace norvane::survey {

enum ExitCode { kAllFixed = 0, kNoFix = 1, kFailed = 2 };

// The survey without a window: receivers on their ports, each through its own serial link,
// receive-loop core and survey, polled in one loop for the duration or the epochs asked; or a
// recorded log streamed through the same core. Ends early and cleanly on Ctrl+C or SIGTERM
// (catchStopSignals()). Progress lines and problems go to err, summaries or JSON lines to out.
// Returns the exit code.
int runSurvey(const SurveyOptions& options, std::ostream& out, std::ostream& err);

} // namespace norvane::survey
