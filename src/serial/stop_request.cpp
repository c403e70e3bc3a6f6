#include "serial/stop_request.h"

#include <csignal>
#include <initializer_list>

namespace norvane {

namespace {

volatile std::sig_atomic_t requested = 0;

extern "C" void noteStopSignal(int)
{
    requested = 1;
}

} // namespace

// A signal ignored when the command started (nohup, a background job) stays ignored.
void catchStopSignals()
{
    for (const int signal : {SIGINT, SIGTERM}) {
        if (std::signal(signal, noteStopSignal) == SIG_IGN)
            std::signal(signal, SIG_IGN);
    }
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
