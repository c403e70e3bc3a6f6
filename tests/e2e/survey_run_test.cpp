// norvane-survey as a user starts it, against simulated receivers with position noise: the
// figures against the Rayleigh values of that noise and against a recomputation from the run's
// own CSV, two receivers at once, an interrupted run, logs that are not logs, and the signal
// strength of a dual-band recording.
#include "sim/simulator.h"
#include "support/command_folder.h"
#include "support/file_contents.h"

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <numeric>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace norvane::test {
namespace {

namespace fs = std::filesystem;

constexpr double kSurveySpeed = 20;
// The simulator's position: 2459.2057 N 12130.1234 E, 56.3 m above sea level plus 15.2 m.
constexpr const char* kTruth = "24.986761667,121.502056667,71.5";

// The numbers of a JSON line up to its one nested object, "systems", which ends it; null values
// are left out.
std::map<std::string, double> jsonNumbers(const std::string& line)
{
    std::map<std::string, double> numbers;
    const std::string flat = line.substr(1, std::min(line.find(",\"systems\":"), line.size() - 1) - 1);
    for (const std::string& member : splitText(flat, ',')) {
        const auto colon = member.find(':');
        const std::string value = member.substr(colon + 1);
        if (value != "null" && value.front() != '"')
            numbers[member.substr(1, colon - 2)] = std::stod(value);
    }
    return numbers;
}

// PERCENTILE.INC, written out again from its definition.
double percentileInc(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const double h = (values.size() - 1) * p;
    const auto low = static_cast<std::size_t>(h);
    const double next = low + 1 < values.size() ? values[low + 1] : values[low];
    return values[low] + (h - low) * (next - values[low]);
}

double sampleDeviation(const std::vector<double>& values)
{
    const double mean = std::accumulate(values.begin(), values.end(), 0.0) / values.size();
    double squares = 0;
    for (double value : values)
        squares += (value - mean) * (value - mean);
    return std::sqrt(squares / (values.size() - 1));
}

class SurveyRun : public ::testing::Test {
protected:
    void TearDown() override
    {
        simulators_.clear();
        for (const char* name : {"NORVANE_COM77", "NORVANE_COM78"})
            unsetenv(name);
    }

    // A simulated receiver at 115200 baud on COM77 or COM78, `rate` fixes a second.
    void startSimulator(const char* com, const std::string& noise, int rate, unsigned seed)
    {
        sim::SimulatorOptions options;
        options.rate = 115200;
        options.speed = kSurveySpeed;
        options.fixRate = rate;
        options.gst = true;
        options.seed = seed;
        options.banners = false;
        ASSERT_TRUE(sim::parseNoise(noise, options.noise));
        simulators_.push_back(std::make_unique<sim::Simulator>(options));
        ASSERT_TRUE(simulators_.back()->start()) << simulators_.back()->lastError();
        setenv((std::string("NORVANE_") + com).c_str(), simulators_.back()->devicePath().c_str(), 1);
    }

    std::string shellCommand(const std::string& arguments) const
    {
        return folder_.shellLine("NORVANE_SURVEY_SPEED=" + std::to_string(static_cast<int>(kSurveySpeed)),
                                 NORVANE_SURVEY_COMMAND, arguments);
    }

    // Runs the command in the test's folder; its standard output (and errors when asked).
    int run(const std::string& arguments, std::string& output, bool withErrors = true) const
    {
        return runShell(shellCommand(arguments) + (withErrors ? " 2>&1" : " 2>/dev/null"), output);
    }

    std::vector<std::vector<std::string>> csvRows(const fs::path& path) const
    {
        std::vector<std::string> lines = splitText(fileContents(path.string()), '\n');
        if (!lines.empty() && lines.back().empty())
            lines.pop_back();
        std::vector<std::vector<std::string>> rows;
        for (const std::string& line : lines)
            rows.push_back(splitText(line, ','));
        return rows;
    }

    const CommandFolder folder_{std::string("survey-run-") +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    const fs::path& directory_ = folder_.path();
    std::vector<std::unique_ptr<sim::Simulator>> simulators_;
};

TEST_F(SurveyRun, NoiseOfTwoMetresGivesTheRayleighFiguresAndTheCsvRecomputesThem)
{
    startSimulator("COM77", "2", 10, 11);
    std::string output;
    ASSERT_EQ(run(std::string("--port COM77 --rate 115200 --epochs 1000 --json --csv noise.csv --reference ") + kTruth,
                  output, false),
              0)
        << output;
    const auto lines = splitText(output, '\n');
    ASSERT_GE(lines.size(), 1u) << output;
    EXPECT_TRUE(lines[0].starts_with("{\"port\":\"COM77\",\"epochs\":1000,")) << lines[0];
    const auto json = jsonNumbers(lines[0]);
    // The Rayleigh distribution of sigma 2 m: median 2 sqrt(2 ln 2), 95 % at 2 sqrt(2 ln 20).
    EXPECT_NEAR(json.at("cep50_m"), 2.355, 0.2355);
    EXPECT_NEAR(json.at("r95_m"), 4.895, 0.4895);
    EXPECT_NEAR(json.at("gst_sigma_lat_m"), 2.0, 1e-9);
    EXPECT_NEAR(json.at("gst_sigma_alt_m"), 3.0, 1e-9);

    // Every figure again from the CSV's columns (east, north and up about the given reference).
    const auto rows = csvRows(directory_ / "noise.csv");
    ASSERT_EQ(rows.size(), 1001u);
    EXPECT_EQ(rows[0].size(), 11u);
    std::vector<double> east, north, up, radius, height, hdop, sats;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto& row = rows[i];
        ASSERT_EQ(row.size(), 11u) << i;
        if (row[4].empty())
            continue;
        east.push_back(std::stod(row[7]));
        north.push_back(std::stod(row[8]));
        up.push_back(std::stod(row[9]));
        radius.push_back(std::stod(row[10]));
        hdop.push_back(std::stod(row[3]));
        sats.push_back(std::stod(row[2]));
    }
    ASSERT_EQ(static_cast<double>(east.size()), json.at("fixes"));
    std::vector<double> absoluteUp, squares;
    for (std::size_t i = 0; i < east.size(); ++i) {
        absoluteUp.push_back(std::fabs(up[i]));
        squares.push_back(radius[i] * radius[i]);
    }
    const auto mean = [](const std::vector<double>& v) { return std::accumulate(v.begin(), v.end(), 0.0) / v.size(); };
    // The CSV rounds to millimetres; the figures come from the unrounded positions.
    const struct {
        const char* key;
        double recomputed;
    } figures[] = {
        {"bias_e_m", mean(east)},
        {"bias_n_m", mean(north)},
        {"bias_u_m", mean(up)},
        {"sigma_e_m", sampleDeviation(east)},
        {"sigma_n_m", sampleDeviation(north)},
        {"sigma_u_m", sampleDeviation(up)},
        {"cep50_m", percentileInc(radius, 0.5)},
        {"r95_m", percentileInc(radius, 0.95)},
        {"r99_m", percentileInc(radius, 0.99)},
        {"max_m", *std::max_element(radius.begin(), radius.end())},
        {"drms2_m", 2 * std::sqrt(mean(squares))},
        {"v50_m", percentileInc(absoluteUp, 0.5)},
        {"v95_m", percentileInc(absoluteUp, 0.95)},
        {"cep_formula_m", 0.589 * (sampleDeviation(east) + sampleDeviation(north))},
        {"hdop_mean", mean(hdop)},
        {"sats_used_mean", mean(sats)},
        {"availability", 100.0 * east.size() / (rows.size() - 1)},
        {"duration_s", 99.9}, // 1000 fixes ten a second
    };
    for (const auto& f : figures)
        EXPECT_NEAR(json.at(f.key), f.recomputed, 0.002) << f.key;
}

TEST_F(SurveyRun, TwoReceiversAtOnceEachWithItsOwnCsvAndSummary)
{
    startSimulator("COM77", "1", 5, 21);
    startSimulator("COM78", "3", 5, 22);
    std::string output;
    ASSERT_EQ(run("--port COM77 --rate 115200 --port COM78 --rate 115200 --duration 30", output), 0) << output;
    // Both summaries, then the side-by-side table headed by the two ports.
    EXPECT_NE(output.find("COM77 at 115200 baud\n"), std::string::npos) << output;
    EXPECT_NE(output.find("COM78 at 115200 baud\n"), std::string::npos) << output;
    const auto table = output.find("  COM77  ");
    ASSERT_NE(table, std::string::npos) << output;
    EXPECT_NE(output.find("COM78", table), std::string::npos);
    const auto files = folder_.csvFiles();
    ASSERT_EQ(files.size(), 2u) << output;
    EXPECT_TRUE(files[0].filename().string().ends_with("-COM77.csv")) << files[0];
    EXPECT_TRUE(files[1].filename().string().ends_with("-COM78.csv")) << files[1];
    // 30 s of 5 fixes a second each, read over the same period; the mean as the reference.
    std::vector<double> cep50;
    for (const fs::path& file : files) {
        const auto rows = csvRows(file);
        EXPECT_GE(rows.size(), 140u) << file;
        EXPECT_LE(rows.size(), 160u) << file;
        std::vector<double> radius;
        for (std::size_t i = 1; i < rows.size(); ++i)
            radius.push_back(std::stod(rows[i][10]));
        cep50.push_back(percentileInc(radius, 0.5));
    }
    EXPECT_LT(cep50[0] * 2, cep50[1]); // sigma 1 against sigma 3
}

TEST_F(SurveyRun, InterruptedRunPrintsItsSummaryAndKeepsItsCsv)
{
    startSimulator("COM77", "2", 1, 31);
    const std::string command = shellCommand("--port COM77 --rate 115200 --duration 100000 --csv cut.csv") + " > " +
                                (directory_ / "out.txt").string() + " 2>&1";
    const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500)); // 30 fixes at the simulator's speed
    kill(pid, SIGINT);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::string out = fileContents((directory_ / "out.txt").string());
    EXPECT_NE(out.find("CEP50"), std::string::npos) << out;
    EXPECT_NE(out.find("CSV: cut.csv"), std::string::npos) << out;
    const auto rows = csvRows(directory_ / "cut.csv");
    ASSERT_GE(rows.size(), 5u) << out;
    for (const auto& row : rows)
        EXPECT_EQ(row.size(), 11u);
}

// The five-system dual-band recording gives the signal strength figures the expected-values
// script works out from its sentences, in the JSON line and in the summary.
TEST_F(SurveyRun, DualBandRecordingGivesTheSignalStrengthWorkedOutApart)
{
    std::map<std::string, std::vector<double>> expected; // key, or "system G", to its numbers
    for (const std::string& line : expectedLines(NORVANE_TEST_DATA_DIR "/sim_dual_band.signal")) {
        auto words = splitText(line, ' ');
        const std::size_t keyWords = words[0] == "system" ? 2 : 1;
        std::vector<double>& numbers = expected[words[0] + (keyWords == 2 ? " " + words[1] : "")];
        for (std::size_t i = keyWords; i < words.size(); ++i)
            numbers.push_back(std::stod(words[i]));
    }
    ASSERT_EQ(expected.size(), 10u);

    const std::string log = std::string(NORVANE_TEST_DATA_DIR) + "/sim_dual_band.nmea";
    std::string output;
    ASSERT_EQ(run("--log '" + log + "' --json", output, false), 0) << output;
    const auto json = jsonNumbers(output);
    for (const char* key : {"cn0_mean", "cn0_top4_mean", "cn0_l5_mean", "cn0_l5_top4_mean"})
        EXPECT_NEAR(json.at(key), expected.at(key).at(0), 0.05) << key;
    for (const char letter : std::string("GRECJ")) {
        const auto& numbers = expected.at(std::string("system ") + letter);
        const std::string head = std::string("\"") + letter + "\":{";
        const auto at = output.find(head);
        ASSERT_NE(at, std::string::npos) << letter << " in " << output;
        double inView = 0, used = 0, cn0 = 0;
        const char* format = "\"in_view_mean\":%lf,\"used_mean\":%lf,\"cn0_mean\":%lf";
        ASSERT_EQ(std::sscanf(output.c_str() + at + head.size(), format, &inView, &used, &cn0), 3)
            << output.substr(at);
        EXPECT_NEAR(inView, numbers[0], 0.05) << letter;
        EXPECT_NEAR(used, numbers[1], 0.05) << letter;
        EXPECT_NEAR(cn0, numbers[2], 0.05) << letter;
    }

    std::string summary;
    ASSERT_EQ(run("--log '" + log + "'", summary, false), 0) << summary;
    EXPECT_NE(summary.find("C/N0 top-4 mean (L1)               44.0 dB-Hz\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("  J  in view 5.0  used 3.0  C/N0 35.2 dB-Hz\n"), std::string::npos) << summary;
}

TEST_F(SurveyRun, LogsThatAreNotLogsAndArgumentErrorsGiveAMessageAndNoCrash)
{
    std::ofstream(directory_ / "empty.nmea").close();
    {
        std::ofstream binary(directory_ / "binary.bin", std::ios::binary);
        for (unsigned i = 0; i < 300000; ++i)
            binary.put(static_cast<char>((i * 7919u + i / 13) & 0xFFu));
    }
    fs::create_directories(directory_ / "folder");
    const struct {
        const char* arguments;
        int exitCode;
        const char* message;
    } cases[] = {
        {"--log empty.nmea", 1, "norvane-survey: empty.nmea is empty"},
        {"--log binary.bin", 1, "norvane-survey: binary.bin gave no fix (0 epochs)"},
        {"--log folder", 2, "norvane-survey: cannot read folder: it is a directory, not a recorded log"},
        {"--log missing.nmea", 2, "norvane-survey: cannot open missing.nmea: No such file or directory"},
        {"--port COM77", 2, "norvane-survey: --duration or --epochs is needed with --port"},
        {"--rate 9600 --port COM77 --epochs 5", 2, "norvane-survey: --rate gives the rate of the --port before it"},
        {"--log a --reference 91,0,0", 2, "norvane-survey: --reference: latitude must be a number from -90 to 90"},
        {"--port COM78 --epochs 5", 2, "norvane-survey: cannot open COM78 at 9600 baud"},
    };
    setenv("NORVANE_COM78", (directory_ / "no-such-device").c_str(), 1);
    for (const auto& c : cases) {
        std::string output;
        EXPECT_EQ(run(c.arguments, output), c.exitCode) << c.arguments << "\n" << output;
        EXPECT_NE(output.find(c.message), std::string::npos) << c.arguments << "\n" << output;
    }
    // Nothing left by a log without an epoch or a run that never began.
    EXPECT_TRUE(folder_.csvFiles().empty());
}

} // namespace
} // namespace norvane::test
