#include "support/sim_process.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace norvane::test {

namespace {

// Forks and execs the command with its standard output on a pipe; -1 on failure.
pid_t spawn(const std::vector<std::string>& arguments, int& output)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    std::string program = SimProcess::executable();
    std::vector<char*> argv{program.data()};
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(fds[1]);
    output = fds[0];
    return pid;
}

int exitStatus(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

SimProcess::SimProcess(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {}

SimProcess::~SimProcess()
{
    terminate();
}

std::string SimProcess::executable()
{
    if (const char* path = std::getenv("NORVANE_SIM"))
        return path;
    namespace fs = std::filesystem;
    fs::path here = fs::read_symlink("/proc/self/exe").parent_path();
    for (fs::path dir = here; !dir.empty() && dir != dir.root_path(); dir = dir.parent_path())
        if (fs::exists(dir / "norvane-sim"))
            return (dir / "norvane-sim").string();
    return "norvane-sim";
}

bool SimProcess::start(std::chrono::milliseconds limit)
{
    pid_ = spawn(arguments_, output_);
    if (pid_ < 0)
        return false;
    auto deadline = std::chrono::steady_clock::now() + limit;
    std::string line;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd p{output_, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0)
            continue;
        char c = 0;
        if (read(output_, &c, 1) != 1)
            return false;
        if (c == '\n') {
            devicePath_ = line;
            return !line.empty();
        }
        line += c;
    }
    return false;
}

int SimProcess::terminate()
{
    if (pid_ < 0)
        return -1;
    kill(pid_, SIGTERM);
    int status = exitStatus(pid_);
    pid_ = -1;
    if (output_ >= 0)
        close(output_);
    output_ = -1;
    return status;
}

CommandResult runSimCommand(const std::vector<std::string>& arguments)
{
    CommandResult result;
    int output = -1;
    pid_t pid = spawn(arguments, output);
    if (pid < 0)
        return result;
    char buffer[4096];
    ssize_t n;
    while ((n = read(output, buffer, sizeof buffer)) > 0)
        result.output.append(buffer, static_cast<std::size_t>(n));
    close(output);
    result.exitCode = exitStatus(pid);
    return result;
}

} // namespace norvane::test
