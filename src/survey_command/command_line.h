#pragma once

#include "survey/geodesy.h"
#include "text/command_arguments.h"

#include <optional>
#include <string>
#include <vector>

namespace norvane::survey {

// One receiver to survey: its port and line rate.
struct PortChoice {
    std::string port;          // "COM5"
    std::string rate = "9600"; // bits per second
};

// What one headless survey is asked to do: receivers on ports for a time or a number of
// epochs, or a recorded log read to its end.
struct SurveyOptions {
    std::vector<PortChoice> ports;
    std::string logPath;
    std::optional<double> durationSeconds;
    std::optional<long> epochs;
    std::optional<Geodetic> reference;
    std::string csvPath; // empty: norvane-survey-YYYYMMDD-hhmmss[-PORT].csv
    bool json = false;
    // Set while reading the arguments, for the message of a refused one.
    std::string referenceError;
    bool rateBeforePort = false;
};

using CommandLine = CommandArguments<SurveyOptions>;

// The arguments after the program name.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);
std::string usageText();

} // namespace norvane::survey
