// Every command refuses an argument it does not take before doing anything else: the reason and
// the usage on standard error, exit status 2, with no display to open a window on.

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace norvane::test {
namespace {

TEST(StrictCommandLines, UnknownOptionsAndMissingValuesExitTwoWithTheReasonAndTheUsage)
{
    const struct {
        const char* program;
        const char* arguments;
        const char* reason;
        const char* usage;
    } cases[] = {
#ifdef NORVANE_COMMAND
        {NORVANE_COMMAND, "--bogus", "norvane: unknown option: --bogus", "Usage: norvane "},
        {NORVANE_COMMAND, "--list-ports extra", "norvane: unknown option: extra", "Usage: norvane "},
        // The toolkit's own options are not taken either.
        {NORVANE_COMMAND, "-platform offscreen", "norvane: unknown option: -platform", "Usage: norvane "},
#endif
        {NORVANE_SIM_COMMAND, "--bogus", "norvane-sim: unknown option: --bogus", "Usage: norvane-sim "},
        {NORVANE_SIM_COMMAND, "--seed", "norvane-sim: --seed needs a value", "Usage: norvane-sim "},
        {NORVANE_TTFF_COMMAND, "--port COM5 --bogus", "norvane-ttff: unknown option: --bogus", "Usage: norvane-ttff "},
        {NORVANE_TTFF_COMMAND, "--port COM5 --cycles", "norvane-ttff: --cycles needs a value", "Usage: norvane-ttff "},
    };
    for (const auto& c : cases) {
        // Standard error alone comes through the pipe.
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                                    std::string(c.program) + "' " + c.arguments + " 2>&1 >/dev/null";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string errors;
        char chunk[512];
        while (std::fgets(chunk, sizeof chunk, pipe))
            errors += chunk;
        const int status = pclose(pipe);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << command << '\n' << errors;
        EXPECT_TRUE(errors.starts_with(std::string(c.reason) + '\n' + c.usage)) << command << '\n' << errors;
    }
}

} // namespace
} // namespace norvane::test
