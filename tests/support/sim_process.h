// Runs the norvane-sim command as a child process, for tests that want the simulator exactly as
// a user starts it.
#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace norvane::test {

class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> arguments = {});
    ~SimProcess(); // terminates the command if it still runs
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Starts the command and reads the device path from its first line; false when it does not
    // come within `limit` (a safety net, not a speed requirement).
    bool start(std::chrono::milliseconds limit = std::chrono::seconds(20));
    const std::string& devicePath() const { return devicePath_; }
    // SIGTERM, then waits; the exit status, or -1 when it did not end normally.
    int terminate();

    // The command: $NORVANE_SIM when set, otherwise norvane-sim in the build tree above the
    // running test program.
    static std::string executable();

private:
    std::vector<std::string> arguments_;
    pid_t pid_ = -1;
    int output_ = -1;
    std::string devicePath_;
};

struct CommandResult {
    int exitCode = -1;
    std::string output; // standard output
};

// For invocations that end by themselves (--help, bad options).
CommandResult runSimCommand(const std::vector<std::string>& arguments);

} // namespace norvane::test
