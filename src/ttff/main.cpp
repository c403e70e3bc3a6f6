#include "serial/clock.h"
#include "serial/serial_link.h"
#include "serial/stop_request.h"
#include "ttff/command_line.h"
#include "ttff/headless_run.h"

#include <iostream>
#include <memory>

int main(int argc, char** argv)
{
    using namespace norvane::ttff;
    const CommandLine command = parseCommandLine({argv + 1, argv + argc});
    if (const auto status = norvane::answerCommonArguments(command, "norvane-ttff", usageText(), std::cout, std::cerr))
        return *status;
    norvane::catchStopSignals();
    // NORVANE_TTFF_SPEED=X runs every wait, limit, TTFF and command time on a clock X times
    // faster than real time, to match a simulated receiver started with --speed X.
    const auto scaled = norvane::scaledClockFromEnvironment("NORVANE_TTFF_SPEED");
    norvane::TtffLab::UtcClock utcClock = norvane::systemUtcMs;
    if (scaled) {
        norvane::setClock(scaled.get());
        // The command times then run at the same speed from the real time of the start, so
        // that they agree with the TTFFs and waits beside them.
        const std::int64_t startUtc = norvane::systemUtcMs();
        const std::int64_t startMs = scaled->nowMs();
        utcClock = [startUtc, startMs, &scaled] { return startUtc + scaled->nowMs() - startMs; };
    }
    norvane::SerialLink link;
    const int code = runHeadless(command.options, link, std::cout, std::cerr, utcClock,
                                 norvane::stopRequested);
    norvane::setClock(nullptr);
    return code;
}
