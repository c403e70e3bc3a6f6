#include "serial/clock.h"
#include "serial/serial_link.h"
#include "ttff/command_line.h"
#include "ttff/headless_run.h"

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

// NORVANE_TTFF_SPEED=X runs every wait, limit, TTFF and command time on a clock X times faster
// than real time, to match a simulated receiver started with --speed X. Absent, real time.
std::unique_ptr<norvane::Clock> clockFromEnvironment()
{
    const char* text = std::getenv("NORVANE_TTFF_SPEED");
    if (!text || !*text)
        return nullptr;
    char* end = nullptr;
    const double speed = std::strtod(text, &end);
    if (*end != '\0' || !(speed > 0))
        return nullptr;
    return std::make_unique<norvane::ScaledClock>(speed);
}

volatile std::sig_atomic_t stopSignal = 0;

void noteStopSignal(int signal)
{
    stopSignal = signal;
}

// Ctrl+C or a SIGTERM ends the run after its current step, with the summary of what it measured.
// A signal ignored when the command started (nohup, a background job) stays ignored.
void stopOnSignals()
{
    for (const int signal : {SIGINT, SIGTERM}) {
        if (std::signal(signal, noteStopSignal) == SIG_IGN)
            std::signal(signal, SIG_IGN);
    }
}

} // namespace

int main(int argc, char** argv)
{
    using namespace norvane::ttff;
    const CommandLine command = parseCommandLine({argv + 1, argv + argc});
    if (const auto status = norvane::answerCommonArguments(command, "norvane-ttff", usageText(), std::cout, std::cerr))
        return *status;
    stopOnSignals();
    const auto scaled = clockFromEnvironment();
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
                                 [] { return stopSignal != 0; });
    norvane::setClock(nullptr);
    return code;
}
