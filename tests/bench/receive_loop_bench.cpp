// The receive loop without windows: the recording sink stands in for the main window.
//
//   bench_receive_loop_bench --benchmark_counters_tabular=true
#include "decode/receive_loop.h"
#include "support/four_system_second.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/recording_sink.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <sstream>
#include <string>

namespace norvane::test {
namespace {

const std::string& recordedStream()
{
    static const std::string stream = [] {
        std::ifstream in(NORVANE_TEST_DATA_DIR "/sim_cold_start.nmea", std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }();
    return stream;
}

// Keeps the recorder from growing without bound over millions of sentences.
void forget(RecordingSink& sink)
{
    sink.rawLog.clear();
    sink.calls.clear();
    sink.ttffWrites.clear();
    sink.restartTestTicks.clear();
    sink.buttonsEnabled.clear();
    sink.versionWrites.clear();
}

// Framing, checksums, decoding and the display calls over the whole recorded stream.
void processRecordedStream(benchmark::State& state)
{
    const std::string& stream = recordedStream();
    if (stream.empty()) {
        state.SkipWithError("recorded stream missing");
        return;
    }
    FakeSerialLink fake;
    Receiver receiver;
    ReceiveBuffer buffer{};
    RecordingSink sink(&receiver);
    ReceiveLoop loop(fake.link, receiver, buffer, sink);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(stream.data());
    for (auto _ : state) {
        loop.processBytes(bytes, static_cast<int>(stream.size()));
        forget(sink);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(stream.size()));
}
BENCHMARK(processRecordedStream)->Unit(benchmark::kMicrosecond);

// One full tick of 1000 bytes: buffer clearing, the read through the serial link, processing and
// the end-of-tick steps. Filling the fake port is not timed.
void fullTickOf1000Bytes(benchmark::State& state)
{
    const std::string& stream = recordedStream();
    if (stream.size() < 1000) {
        state.SkipWithError("recorded stream missing");
        return;
    }
    FakeClock clock;
    ClockOverride useClock(clock);
    FakeSerialLink fake;
    fake.link.openLink("COM3", "9600");
    Receiver receiver;
    ReceiveBuffer buffer{};
    RecordingSink sink(&receiver);
    ReceiveLoop loop(fake.link, receiver, buffer, sink);
    std::size_t at = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (at + 1000 > stream.size())
            at = 0;
        fake.port->pushIncoming(std::string_view(stream).substr(at, 1000));
        at += 1000;
        forget(sink);
        state.ResumeTiming();
        benchmark::DoNotOptimize(loop.tick());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 1000);
}
BENCHMARK(fullTickOf1000Bytes)->Unit(benchmark::kMicrosecond);

// One tick at 115200 baud over a four-system second (more than 3000 bytes, read whole): the
// read, framing, decoding into every system's satellites and the end-of-tick steps.
void tickOfAFourSystemSecond(benchmark::State& state)
{
    const std::string second = fourSystemSecond();
    FakeClock clock;
    ClockOverride useClock(clock);
    FakeSerialLink fake;
    fake.link.openLink("COM3", "115200");
    Receiver receiver;
    ReceiveBuffer buffer{};
    RecordingSink sink(&receiver);
    ReceiveLoop loop(fake.link, receiver, buffer, sink);
    for (auto _ : state) {
        state.PauseTiming();
        fake.port->pushIncoming(second);
        forget(sink);
        state.ResumeTiming();
        if (loop.tick() != static_cast<int>(second.size()))
            state.SkipWithError("the second was not read whole");
    }
    state.counters["bytes"] = static_cast<double>(second.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(second.size()));
}
BENCHMARK(tickOfAFourSystemSecond)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace norvane::test

BENCHMARK_MAIN();
