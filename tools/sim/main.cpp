// norvane-sim: a simulated GPS receiver on a pseudo-terminal, for trying the program without
// hardware.
#include "sim/command_line.h"
#include "sim/simulator.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <pthread.h>

int main(int argc, char** argv)
{
    using namespace norvane::sim;
    CommandLine command = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto status = norvane::answerCommonArguments(command, "norvane-sim", usageText(), std::cout, std::cerr))
        return *status;
    // Blocked before the simulator's thread exists, so only sigwait below sees them.
    sigset_t endSignals;
    sigemptyset(&endSignals);
    sigaddset(&endSignals, SIGINT);
    sigaddset(&endSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);

    Simulator simulator(command.options);
    if (!simulator.start()) {
        std::cerr << "norvane-sim: " << simulator.lastError() << "\n";
        return 1;
    }
    std::cout << simulator.devicePath() << std::endl;
    int received = 0;
    sigwait(&endSignals, &received);
    simulator.stop();
    return 0;
}
