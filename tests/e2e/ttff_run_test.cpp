// Headless TTFF runs against the simulator: the run itself in this process on the simulator's
// speed, and the norvane-ttff command as a user starts it, with its output, CSV and exit codes.

#include "serial/clock.h"
#include "serial/serial_link.h"
#include "sim/simulator.h"
#include "support/command_folder.h"
#include "ttff/headless_run.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace norvane::test {
namespace {

namespace fs = std::filesystem;

constexpr double kTtffSpeed = 20;

std::vector<std::string> lines(std::istream&& in)
{
    std::vector<std::string> result;
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

// The words of a printed line, however many spaces apart.
std::vector<std::string> wordsOf(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// The cycle lines among the command's output, without its messages ("cycle 4: Hot Start fail.").
std::vector<std::string> cycleLinesOf(const std::string& output)
{
    std::vector<std::string> found;
    for (const std::string& line : lines(std::istringstream(output)))
        if (line.find(" hot ") != std::string::npos)
            found.push_back(line);
    return found;
}

// Each CSV row after the header is the cycle line printed for it:
// "    1 hot  2026-...Z ttff    4.2 s  fix lost 1  ok      sats 10  hdop  1.00  24.98 121.50"
void expectRowsPrinted(const std::vector<std::string>& csv, const std::vector<std::string>& printed)
{
    ASSERT_EQ(printed.size() + 1, csv.size());
    for (std::size_t cycle = 1; cycle < csv.size(); ++cycle) {
        const auto row = splitText(csv[cycle], ',');
        const auto line = wordsOf(printed[cycle - 1]);
        ASSERT_EQ(line.size(), 16u) << printed[cycle - 1];
        const std::vector<std::string> fromLine{line[0], line[1],  line[2],  line[4],  line[8],
                                                line[9], line[11], line[13], line[14], line[15]};
        EXPECT_EQ(fromLine, row) << printed[cycle - 1];
    }
}

class TtffRun : public ::testing::Test {
protected:
    void TearDown() override
    {
        simulator.reset();
        unsetenv("NORVANE_COM76");
    }

    // The simulated receiver: hot restarts search 3 s, a tenth either way, then 1 s of 2D.
    void startSimulator()
    {
        sim::SimulatorOptions options;
        options.speed = kTtffSpeed;
        options.hotSeconds = 3;
        simulator = std::make_unique<sim::Simulator>(options);
        ASSERT_TRUE(simulator->start()) << simulator->lastError();
        setenv("NORVANE_COM76", simulator->devicePath().c_str(), 1);
    }

    // Runs the command in the test's folder; its standard output and exit code.
    int runCommand(const std::string& arguments, std::string& output) const
    {
        return runShell(folder_.shellLine("NORVANE_TTFF_SPEED=20", NORVANE_TTFF_COMMAND, arguments) + " 2>&1",
                        output);
    }

    // Starts the command in the test's folder with its output, errors included, on `pipe`;
    // gives its process id, which the shell prints before it becomes the command.
    pid_t startCommand(const std::string& arguments, FILE*& pipe) const
    {
        const std::string command =
            "echo $$ && " + folder_.shellLine("NORVANE_TTFF_SPEED=20", NORVANE_TTFF_COMMAND, arguments) +
            " 2>&1";
        pipe = popen(command.c_str(), "r");
        char line[32] = {};
        if (!pipe || !std::fgets(line, sizeof line, pipe))
            return -1;
        return static_cast<pid_t>(std::atol(line));
    }

    const CommandFolder folder_{std::string("ttff-run-") +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    const fs::path& directory_ = folder_.path();
    std::unique_ptr<sim::Simulator> simulator;
};

TEST_F(TtffRun, ThreeHotCyclesGiveAHeaderAndThreeRowsWithinTheSimulatorsTimes)
{
    startSimulator();
    ScaledClock fast(kTtffSpeed);
    ClockOverride useClock(fast);
    ttff::RunOptions options;
    options.port = "COM76";
    options.cycles = 3;
    options.waitSeconds = 1;
    options.csvPath = (directory_ / "hot.csv").string();
    SerialLink link;
    std::ostringstream out, err;

    EXPECT_EQ(ttff::runHeadless(options, link, out, err), ttff::kAllFixed) << out.str() << err.str();

    const auto csv = lines(std::ifstream(options.csvPath));
    ASSERT_EQ(csv.size(), 4u) << out.str();
    EXPECT_EQ(csv[0], "cycle,start,command_utc,ttff_s,fix_lost,result,sats_used,hdop,latitude,longitude");
    for (int cycle = 1; cycle <= 3; ++cycle) {
        const auto row = splitText(csv[cycle], ',');
        ASSERT_EQ(row.size(), 10u) << csv[cycle];
        EXPECT_EQ(row[0], std::to_string(cycle));
        EXPECT_EQ(row[1], "hot");
        EXPECT_EQ(row[4], "1");
        EXPECT_EQ(row[5], "ok");
        // 2.7 to 3.3 s of searching, 1 s of 2D, and the 3D fix comes with the next whole-second
        // burst, decoded once its last sentence has crossed the line.
        const double ttff = std::stod(row[3]);
        EXPECT_GE(ttff, 3.6) << csv[cycle];
        EXPECT_LE(ttff, 6.0) << csv[cycle];
        EXPECT_EQ(row[8], "24.986762");
        EXPECT_EQ(row[9], "121.502057");
    }
    EXPECT_EQ(simulator->restartsSeen(), 3);
    EXPECT_NE(out.str().find("hot       3         0"), std::string::npos) << out.str();
}

TEST_F(TtffRun, CommandPrintsTheRowsItWritesAndExitsZero)
{
    startSimulator();
    std::string output;
    ASSERT_EQ(runCommand("--port COM76 --rate 9600 --family 1 --start hot --cycles 5 --wait 1", output), 0)
        << output;

    const auto files = folder_.csvFiles();
    ASSERT_EQ(files.size(), 1u) << output;
    EXPECT_TRUE(files[0].filename().string().starts_with("norvane-ttff-")) << files[0];
    const auto csv = lines(std::ifstream(files[0]));
    ASSERT_EQ(csv.size(), 6u);
    expectRowsPrinted(csv, cycleLinesOf(output));
    EXPECT_NE(output.find("hot       5         0"), std::string::npos) << output;
    EXPECT_NE(output.find("CSV: " + files[0].filename().string()), std::string::npos) << output;
}

// Ctrl+C or SIGTERM after three cycles: they are printed, summed up and kept in the CSV; the
// cycle the signal cut short is neither a row nor a failure.
TEST_F(TtffRun, SignalAfterAFewCyclesKeepsTheirSummaryAndCsvAndExits130)
{
    startSimulator();
    // The signal comes after the third cycle's line, once the receiver has had `restarts`: the
    // fourth cycle is then under way, or with a wait of 20 s (1 s here) none has begun.
    const struct {
        int signal;
        const char* wait;
        int restarts;
    } cases[] = {{SIGINT, "0", 4}, {SIGTERM, "20", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.signal);
        const int restartsBefore = simulator->restartsSeen();
        const fs::path csvPath = directory_ / ("signal-" + std::to_string(c.signal) + ".csv");
        FILE* pipe = nullptr;
        const pid_t pid = startCommand(
            "--port COM76 --cycles 50 --wait " + std::string(c.wait) + " --csv '" + csvPath.string() + "'", pipe);
        ASSERT_GT(pid, 0);
        std::string output;
        char chunk[512];
        for (int cyclesSeen = 0; cyclesSeen < 3 && std::fgets(chunk, sizeof chunk, pipe);) {
            output += chunk;
            if (std::string(chunk).find(" hot ") != std::string::npos)
                ++cyclesSeen;
        }
        for (int ms = 0; ms < 10000 && simulator->restartsSeen() - restartsBefore < c.restarts; ++ms)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ::kill(pid, c.signal);
        while (std::fgets(chunk, sizeof chunk, pipe))
            output += chunk;
        const int status = pclose(pipe);
        ASSERT_TRUE(WIFEXITED(status)) << output;
        EXPECT_EQ(WEXITSTATUS(status), 130) << output;

        EXPECT_NE(output.find("norvane-ttff: interrupted, cycles finished: 3\n"), std::string::npos) << output;
        EXPECT_NE(output.find("hot       3         0"), std::string::npos) << output;
        EXPECT_NE(output.find("CSV: " + csvPath.string()), std::string::npos) << output;
        const auto csv = lines(std::ifstream(csvPath));
        EXPECT_EQ(csv.size(), 4u) << output;
        expectRowsPrinted(csv, cycleLinesOf(output));
        // A stop during the wait sends no further restart.
        EXPECT_EQ(simulator->restartsSeen() - restartsBefore, c.restarts);
    }
}

// A CSV that cannot be written stops the run before its first restart; the device stays.
TEST_F(TtffRun, UnwritableCsvExitsTwoBeforeAnyRestart)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    startSimulator();
    std::string output;
    EXPECT_EQ(runCommand("--port COM76 --cycles 2 --csv /dev/full", output), 2) << output;
    EXPECT_NE(output.find("norvane-ttff: cannot write to /dev/full"), std::string::npos) << output;
    EXPECT_EQ(simulator->restartsSeen(), 0);
    EXPECT_TRUE(fs::exists("/dev/full"));
}

TEST_F(TtffRun, PortAndArgumentErrorsExitTwoWithAMessageAndLeaveNoFile)
{
    setenv("NORVANE_COM76", (directory_ / "no-such-device").c_str(), 1);
    const struct {
        const char* arguments;
        const char* message;
    } cases[] = {
        {"--port COM76 --cycles 2", "norvane-ttff: cannot open COM76 at 9600 baud"},
        {"--port COM76 --start lukewarm", "norvane-ttff: not a value for --start: lukewarm"},
        {"--port COM76 --cycles 0", "norvane-ttff: not a value for --cycles: 0"},
        {"--cycles 3", "norvane-ttff: --port is needed"},
    };
    for (const auto& c : cases) {
        std::string output;
        EXPECT_EQ(runCommand(c.arguments, output), 2) << c.arguments;
        EXPECT_NE(output.find(c.message), std::string::npos) << output;
        EXPECT_TRUE(folder_.csvFiles().empty()) << c.arguments;
    }
    std::string output;
    EXPECT_EQ(runCommand("--version", output), 0);
    EXPECT_TRUE(output.starts_with("norvane-ttff ")) << output;
}

} // namespace
} // namespace norvane::test
