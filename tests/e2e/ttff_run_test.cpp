// Headless TTFF runs against the simulator: the run itself in this process on the simulator's
// speed, and the norvane-ttff command as a user starts it, with its output, CSV and exit codes.

#include "serial/clock.h"
#include "serial/serial_link.h"
#include "sim/simulator.h"
#include "ttff/headless_run.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace norvane::test {
namespace {

namespace fs = std::filesystem;

constexpr double kSpeed = 20;

std::vector<std::string> lines(std::istream&& in)
{
    std::vector<std::string> result;
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

std::vector<std::string> fields(const std::string& row, char separator)
{
    std::vector<std::string> result;
    std::istringstream in(row);
    if (separator == ' ') {
        for (std::string word; in >> word;)
            result.push_back(word);
        return result;
    }
    for (std::string field; std::getline(in, field, separator);)
        result.push_back(field);
    if (!row.empty() && row.back() == separator)
        result.emplace_back();
    return result;
}

class TtffRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        directory_ =
            fs::temp_directory_path() /
            ("ttff-run-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
             "-" + std::to_string(::getpid()));
        fs::create_directories(directory_);
    }

    void TearDown() override
    {
        simulator.reset();
        unsetenv("NORVANE_COM76");
        fs::remove_all(directory_);
    }

    // The simulated receiver: hot restarts search 3 s, a tenth either way, then 1 s of 2D.
    void startSimulator()
    {
        sim::SimulatorOptions options;
        options.speed = kSpeed;
        options.hotSeconds = 3;
        simulator = std::make_unique<sim::Simulator>(options);
        ASSERT_TRUE(simulator->start()) << simulator->lastError();
        setenv("NORVANE_COM76", simulator->devicePath().c_str(), 1);
    }

    // Runs the command in the test's directory; its standard output and exit code.
    int runCommand(const std::string& arguments, std::string& output) const
    {
        const std::string command = "cd '" + directory_.string() + "' && NORVANE_TTFF_SPEED=20 '" +
                                    NORVANE_TTFF_COMMAND + "' " + arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return -1;
        char chunk[512];
        while (std::fgets(chunk, sizeof chunk, pipe))
            output += chunk;
        const int status = pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::vector<fs::path> csvFiles() const
    {
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(directory_))
            if (entry.path().extension() == ".csv")
                found.push_back(entry.path());
        return found;
    }

    fs::path directory_;
    std::unique_ptr<sim::Simulator> simulator;
};

TEST_F(TtffRun, ThreeHotCyclesGiveAHeaderAndThreeRowsWithinTheSimulatorsTimes)
{
    startSimulator();
    ScaledClock fast(kSpeed);
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
        const auto row = fields(csv[cycle], ',');
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

    const auto files = csvFiles();
    ASSERT_EQ(files.size(), 1u) << output;
    EXPECT_TRUE(files[0].filename().string().starts_with("norvane-ttff-")) << files[0];
    const auto csv = lines(std::ifstream(files[0]));
    ASSERT_EQ(csv.size(), 6u);
    const auto printed = lines(std::istringstream(output));
    ASSERT_GE(printed.size(), 5u);
    // "    1 hot  2026-...Z ttff    4.2 s  fix lost 1  ok      sats 10  hdop  1.00  24.98 121.50"
    for (int cycle = 1; cycle <= 5; ++cycle) {
        const auto row = fields(csv[cycle], ',');
        const auto line = fields(printed[cycle - 1], ' ');
        ASSERT_EQ(line.size(), 16u) << printed[cycle - 1];
        const std::vector<std::string> fromLine{line[0], line[1],  line[2],  line[4],  line[8],
                                                line[9], line[11], line[13], line[14], line[15]};
        EXPECT_EQ(fromLine, row) << printed[cycle - 1];
    }
    EXPECT_NE(output.find("hot       5         0"), std::string::npos) << output;
    EXPECT_NE(output.find("CSV: " + files[0].filename().string()), std::string::npos) << output;
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
        EXPECT_TRUE(csvFiles().empty()) << c.arguments;
    }
    std::string output;
    EXPECT_EQ(runCommand("--version", output), 0);
    EXPECT_TRUE(output.starts_with("norvane-ttff ")) << output;
}

} // namespace
} // namespace norvane::test
