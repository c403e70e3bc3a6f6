// The options of the norvane-sim command.
#pragma once

#include "sim/simulator_options.h"
#include "text/command_arguments.h"

#include <string>
#include <vector>

namespace norvane::sim {

using CommandLine = CommandArguments<SimulatorOptions>;

// The arguments after the program name.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);
std::string usageText();

} // namespace norvane::sim
