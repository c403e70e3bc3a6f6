#include "norvane_version.h"
#include "serial/clock.h"
#include "serial/stop_request.h"
#include "survey_command/command_line.h"
#include "survey_command/headless_survey.h"

#include <iostream>

int main(int argc, char** argv)
{
    using namespace norvane::survey;
    const CommandLine command = parseCommandLine({argv + 1, argv + argc});
    if (const auto status =
            norvane::answerCommonArguments(command, "norvane-survey", usageText(), std::cout, std::cerr))
        return *status;
    // NORVANE_SURVEY_SPEED=X runs the duration and the progress lines on a clock X times faster
    // than real time, to match a simulated receiver started with --speed X.
    const auto scaled = norvane::scaledClockFromEnvironment("NORVANE_SURVEY_SPEED");
    if (scaled)
        norvane::setClock(scaled.get());
    norvane::catchStopSignals();
    const int code = runSurvey(command.options, std::cout, std::cerr);
    norvane::setClock(nullptr);
    return code;
}
