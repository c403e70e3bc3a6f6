// norvane-survey --log against the receive-loop core alone, on the same 50 MB of NMEA: a noisy
// simulated receiver's output (GGA, GSA, GSV, RMC and GST every second) written to a file once.
//
//   bench_survey_log_bench --benchmark_counters_tabular=true
#include "decode/quiet_receive_sink.h"
#include "decode/receive_loop.h"
#include "sim/receiver_model.h"
#include "sim/utc_clock.h"
#include "support/file_contents.h"
#include "survey_command/headless_survey.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace norvane::test {
namespace {

constexpr std::size_t kLogBytes = 50u * 1000 * 1000;

const std::string& recordingPath()
{
    static const std::string path = [] {
        const auto file = std::filesystem::temp_directory_path() / "norvane-survey-bench.nmea";
        if (std::filesystem::exists(file) && std::filesystem::file_size(file) >= kLogBytes)
            return file.string();
        sim::SimulatorOptions options;
        options.gst = true;
        sim::parseNoise("2", options.noise);
        sim::ReceiverModel model(options, *sim::parseUtcTime(options.startTime), std::nullopt);
        std::ofstream out(file, std::ios::binary);
        std::size_t written = 0;
        for (long second = 0; written < kLogBytes; ++second)
            for (const std::string& line : model.burst(second)) {
                out << line;
                written += line.size();
            }
        return file.string();
    }();
    return path;
}

// Framing, checksums and decoding of every sentence, nothing shown: what any face of the
// program spends on the bytes before it measures anything.
void receiveLoopCore(benchmark::State& state)
{
    const std::string bytes = fileContents(recordingPath());
    for (auto _ : state) {
        SerialLink link;
        Receiver receiver;
        ReceiveBuffer buffer{};
        QuietReceiveSink sink;
        ReceiveLoop loop(link, receiver, buffer, sink);
        loop.processBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(receiveLoopCore)->Unit(benchmark::kMillisecond)->UseRealTime();

// The command's whole work: reading the file in pieces, the same core, the survey of every
// epoch, the CSV row of each, the final figures and the summary.
void surveyLog(benchmark::State& state)
{
    survey::SurveyOptions options;
    options.logPath = recordingPath();
    options.csvPath = (std::filesystem::temp_directory_path() / "norvane-survey-bench.csv").string();
    std::size_t bytes = std::filesystem::file_size(options.logPath);
    for (auto _ : state) {
        std::ostringstream out, err;
        if (survey::runSurvey(options, out, err) != survey::kAllFixed)
            state.SkipWithError(err.str().c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(surveyLog)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace norvane::test

BENCHMARK_MAIN();
