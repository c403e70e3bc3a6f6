// The whole firmware download against the simulated receiver with production timing: ticks
// 300 ms apart, the 1000 ms waits of the rate switch, and the line paced at ten bit times a
// byte (the loader at 9600, the image at 115200). Takes about a minute.
//
//   bench_download_bench --benchmark_counters_tabular=true
#include "serial/serial_link.h"
#include "sim/simulator.h"
#include "upgrade/download_tick.h"
#include "upgrade/firmware_samples.h"
#include "upgrade/loader_file.h"
#include "upgrade/recording_upgrade_host.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace norvane {
namespace {

constexpr int kUserRate = 9600;
constexpr int kDownloadRate = 115200;
constexpr int kTickIntervalMs = 300;
constexpr int kLoaderLines = 65;

std::unique_ptr<UpgradeSession> loadedSession(const std::vector<std::uint8_t>& image)
{
    auto session = std::make_unique<UpgradeSession>();
    const std::string text = upgradetest::withCrLf(upgradetest::loaderRecords(kLoaderLines));
    LoaderLineSplitter splitter(session->loader);
    splitter.push(text.data(), text.size());
    splitter.finish();
    session->loader.fileSize = static_cast<int>(text.size());
    std::copy(image.begin(), image.end(), session->image.bytes.begin());
    session->image.size = static_cast<int>(image.size());
    session->image.checksum = upgradetest::byteSum(image);
    session->state = kStateSendRequest;
    return session;
}

// Seconds the bytes of the download need on the line at ten bits a byte, replies included.
double lineMinimumSeconds(const UpgradeSession& session)
{
    std::size_t atUserRate = 17 + 2 + 3; // request, "OK", "END"
    for (int i = 0; i < session.loader.count; ++i)
        atUserRate += std::strlen(session.loader.rows[static_cast<std::size_t>(i)].data()) + 1;
    const std::size_t blocks =
        (static_cast<std::size_t>(session.image.size) + kImageSlotSize - 1) / kImageSlotSize;
    const std::size_t atDownloadRate = 47 + static_cast<std::size_t>(session.image.size) + 2 * blocks + 3;
    return atUserRate * 10.0 / kUserRate + atDownloadRate * 10.0 / kDownloadRate;
}

void downloadFullImage(benchmark::State& state)
{
    const auto image = upgradetest::imageBytes(kImageCapacity);
    for (auto _ : state) {
        sim::SimulatorOptions options;
        options.rate = kUserRate;
        sim::Simulator simulator(options);
        if (!simulator.start()) {
            state.SkipWithError(("simulator: " + simulator.lastError()).c_str());
            return;
        }
        setenv("NORVANE_COM3", simulator.devicePath().c_str(), 1);
        SerialLink link;
        if (!link.openLink("COM3", std::to_string(kUserRate))) {
            state.SkipWithError("cannot open the simulator's device");
            return;
        }
        auto session = loadedSession(image);
        upgradetest::RecordingUpgradeHost host;
        host.rateText = std::to_string(kUserRate);
        ReceiveBuffer buffer{};
        std::string sentenceText;
        UpgradeContext context{*session, link, buffer, sentenceText, host};

        const auto start = std::chrono::steady_clock::now();
        while (true) {
            downloadTick(context);
            if (!host.downloadTimerOn)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(kTickIntervalMs));
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);

        if (!simulator.downloadFinished() || simulator.receivedImage() != image) {
            state.SkipWithError(
                ("download did not finish: " + (host.memo.empty() ? "" : host.memo.back())).c_str());
            return;
        }
        const double minimum = lineMinimumSeconds(*session);
        state.counters["seconds"] = seconds;
        state.counters["line_minimum_s"] = minimum;
        state.counters["ratio"] = seconds / minimum;
        link.closePort();
    }
}
BENCHMARK(downloadFullImage)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
} // namespace norvane

BENCHMARK_MAIN();
