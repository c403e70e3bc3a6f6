#pragma once

#include "text/command_arguments.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace norvane {

// What norvane's command line asks of the program. Each option is one entry in the tables of
// command_line.cpp that fills a field here.
struct ProgramOptions {
    bool listPorts = false;
    std::string replayFile; // a recording to replay once the window shows
    int replaySpeed = 1;    // times the recording's own pace; kMaxReplaySpeed for "max"
    bool speedGiven = false;
};

using CommandLine = CommandArguments<ProgramOptions>;

// The arguments after the program name.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);
std::string usageText();

// What is answered on the terminal, before any window or display is needed: --help, --version,
// --list-ports, and an argument not understood (the reason and the usage on err, status 2).
// Gives the exit status when the command ends there; nothing when the windows are to open.
std::optional<int> answerOnTerminal(const CommandLine& command, std::ostream& out, std::ostream& err);

} // namespace norvane
