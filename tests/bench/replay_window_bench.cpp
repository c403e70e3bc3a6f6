// Replays through the shown main window (offscreen): the four-system recording over and over at
// "max" (bursts per second of CPU, the whole process's), a recording at 10x against its span,
// and the growth of resident memory over a large recording.
//
//   cmake --build build --target bench_replay_window_bench
//   build/tests/bench_replay_window_bench --benchmark_filter='Max|Tenfold'
//   NORVANE_REPLAY_BENCH_MB=1024 build/tests/bench_replay_window_bench --benchmark_filter=Resident

#include "app/Mpgs.h"
#include "replay/replay_pacing.h"
#include "support/file_contents.h"
#include "ui/support/controls.h"
#include "window_bench.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace norvane;

namespace {

long residentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The four-system recording (six bursts) written again and again to at least `bytes`.
std::string writeRecording(const QTemporaryDir& dir, std::size_t bytes, std::int64_t& bursts)
{
    const std::string six = test::fileContents(NORVANE_TEST_DATA_DIR "/sim_four_systems.nmea");
    const std::string path = dir.filePath("recording.nmea").toStdString();
    std::ofstream out(path, std::ios::binary);
    std::size_t written = 0;
    bursts = 0;
    for (; written < bytes; written += six.size(), bursts += 6)
        out << six;
    return path;
}

// A shown main window replaying `path` at `speed` until it has finished; Off afterwards. False
// when the replay did not start or ended otherwise.
bool replayToTheEnd(Tgpsw& window, const std::string& path, int speed)
{
    if (!window.startReplay(QString::fromStdString(path), speed))
        return false;
    auto* start = uitest::control<QPushButton>(window, "btStart");
    auto* state = uitest::control<QLabel>(window, "lb_state");
    while (state->text() != QLatin1String("Replay finished") && start->text() == QLatin1String("Off"))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const bool finished = start->text() == QLatin1String("Off");
    start->click();
    return finished;
}

struct ShownWindow {
    ShownWindow()
    {
        window.show();
        QCoreApplication::processEvents();
    }

    bench::AnswerFirst boxes;
    ProgramRecords records;
    Tgpsw window{records};
};

void BM_ReplayAtMaxOfAFourSystemRecording(benchmark::State& state)
{
    QTemporaryDir dir;
    std::int64_t bursts = 0;
    const std::string path = writeRecording(dir, 1000 * 1024, bursts);
    ShownWindow shown;
    for (auto _ : state)
        if (!replayToTheEnd(shown.window, path, kReplayMax))
            state.SkipWithError("the replay did not run to its end");
    state.counters["bursts"] =
        benchmark::Counter(static_cast<double>(bursts * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReplayAtMaxOfAFourSystemRecording)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// The recorded cold start (61 one-second bursts) at 10x: its span, 60 s, should take 6 s.
void BM_TenfoldReplayAgainstItsSpan(benchmark::State& state)
{
    ShownWindow shown;
    const std::string path = NORVANE_TEST_DATA_DIR "/sim_cold_start.nmea";
    QElapsedTimer wall;
    for (auto _ : state) {
        wall.start();
        if (!replayToTheEnd(shown.window, path, 10))
            state.SkipWithError("the replay did not run to its end");
        state.counters["wall_s"] = static_cast<double>(wall.elapsed()) / 1000;
    }
    state.counters["span_s"] = 60;
    state.counters["span_at_10x_s"] = 6;
}
BENCHMARK(BM_TenfoldReplayAgainstItsSpan)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

// Resident memory before and after a replay of NORVANE_REPLAY_BENCH_MB megabytes (64 unless set).
void BM_ResidentGrowthOverALargeRecording(benchmark::State& state)
{
    const long megabytes = qEnvironmentVariableIsSet("NORVANE_REPLAY_BENCH_MB")
                               ? qEnvironmentVariableIntValue("NORVANE_REPLAY_BENCH_MB")
                               : 64;
    QTemporaryDir dir;
    std::int64_t bursts = 0;
    const std::string path = writeRecording(dir, static_cast<std::size_t>(megabytes) * 1024 * 1024, bursts);
    ShownWindow shown;
    // A first short replay settles the window's own allocations (fonts, pictures, the log).
    replayToTheEnd(shown.window, NORVANE_TEST_DATA_DIR "/sim_four_systems.nmea", kReplayMax);
    const long before = residentKiB();
    for (auto _ : state)
        if (!replayToTheEnd(shown.window, path, kReplayMax))
            state.SkipWithError("the replay did not run to its end");
    state.counters["recording_MB"] = static_cast<double>(megabytes);
    state.counters["bursts"] = static_cast<double>(bursts);
    state.counters["resident_before_KiB"] = static_cast<double>(before);
    state.counters["resident_growth_KiB"] = static_cast<double>(residentKiB() - before);
}
BENCHMARK(BM_ResidentGrowthOverALargeRecording)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kSecond);

} // namespace

NORVANE_WINDOW_BENCHMARK_MAIN()
