#include "serial/stop_request.h"

#include <csignal>

namespace norvane {

namespace {

volatile std::sig_atomic_t requested = 0;

extern "C" void noteStopSignal(int)
{
    requested = 1;
}

} // namespace

void catchStopSignals()
{
    std::signal(SIGINT, noteStopSignal);
    std::signal(SIGTERM, noteStopSignal);
}

bool stopRequested()
{
    return requested != 0;
}

void clearStopRequest()
{
    requested = 0;
}

} // namespace norvane
