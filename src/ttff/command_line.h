#pragma once

#include "control/restart_kind.h"
#include "text/command_arguments.h"

#include <optional>
#include <string>
#include <vector>

namespace norvane::ttff {

// What one headless TTFF run is asked to do.
struct RunOptions {
    std::string port;          // "COM5"
    std::string rate = "9600"; // bits per second
    int family = 1;            // 1 "Vexa Series", 2 "Lumo Series"
    RestartKind start = RestartKind::Hot;
    int cycles = 1;
    double waitSeconds = 5;          // after each fix, before the next restart
    std::optional<int> limitSeconds; // default by start type
    std::string csvPath;             // empty: norvane-ttff-YYYYMMDD-hhmmss.csv
};

using CommandLine = CommandArguments<RunOptions>;

// The arguments after the program name.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);
std::string usageText();

} // namespace norvane::ttff
