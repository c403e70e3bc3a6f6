// The options of the norvane-sim command.
#pragma once

#include "sim/simulator_options.h"

#include <string>
#include <vector>

namespace norvane::sim {

struct CommandLine {
    SimulatorOptions options;
    bool help = false;
    bool version = false;
    std::string error; // empty when every argument was understood
};

// The arguments after the program name.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);
std::string usageText();

} // namespace norvane::sim
