// Every command refuses an argument it does not take before doing anything else: the reason and
// the usage on standard error, exit status 2, with no display to open a window on.

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace norvane::test {
namespace {

struct Refusal {
    int exitCode = -1;
    std::string errors; // standard error only
};

Refusal runWithoutDisplay(const std::string& program, const std::string& arguments)
{
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + program + "' " +
                                arguments + " 2>&1 >/dev/null";
    Refusal result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char chunk[512];
    while (std::fgets(chunk, sizeof chunk, pipe))
        result.errors += chunk;
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TEST(StrictCommandLines, UnknownOptionsAndMissingValuesExitTwoWithTheReasonAndTheUsage)
{
    const struct {
        const char* program;
        const char* arguments;
        const char* reason;
    } cases[] = {
#ifdef NORVANE_COMMAND
        {NORVANE_COMMAND, "--bogus", "norvane: unknown option: --bogus"},
        {NORVANE_COMMAND, "--list-ports extra", "norvane: unknown option: extra"},
        // The toolkit's own options are not taken either.
        {NORVANE_COMMAND, "-platform offscreen", "norvane: unknown option: -platform"},
#endif
        {NORVANE_SIM_COMMAND, "--bogus", "norvane-sim: unknown option: --bogus"},
        {NORVANE_SIM_COMMAND, "--seed", "norvane-sim: --seed needs a value"},
        {NORVANE_TTFF_COMMAND, "--port COM5 --bogus", "norvane-ttff: unknown option: --bogus"},
        {NORVANE_TTFF_COMMAND, "--port COM5 --cycles", "norvane-ttff: --cycles needs a value"},
    };
    for (const auto& c : cases) {
        const Refusal refusal = runWithoutDisplay(c.program, c.arguments);
        const std::string name = std::string(c.reason).substr(0, std::string(c.reason).find(':'));
        EXPECT_EQ(refusal.exitCode, 2) << c.program << ' ' << c.arguments << '\n' << refusal.errors;
        EXPECT_TRUE(refusal.errors.starts_with(std::string(c.reason) + "\nUsage: " + name + ' '))
            << c.arguments << '\n'
            << refusal.errors;
    }
}

} // namespace
} // namespace norvane::test
