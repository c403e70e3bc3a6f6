// One receive-loop tick of the real main window (offscreen) with 1000 bytes of receiver output:
// framing, decoding, the memo, the fix panel, the sky plot and the SNR chart, and the pass of
// the event loop after it, which paints what the tick changed.
//
//   cmake --build build --target bench_main_window_bench
//   build/tests/bench_main_window_bench

#include "app/Mpgs.h"
#include "app/message_boxes.h"
#include "serial/clock.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/four_system_second.h"
#include "support/nmea_sentence.h"
#include "ui/support/controls.h"
#include "window_bench.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

using namespace norvane;

namespace {

// A second of a receiver with a 3D fix and eleven satellites, repeated up to 1000 bytes.
std::string thousandBytes()
{
    const std::string burst =
        test::nmeaLine("GPGGA,120000.000,2459.2057,N,12130.1234,E,1,08,1.0,56.3,M,15.2,M,,") +
        test::nmeaLine("GPGSA,A,3,02,05,07,10,13,15,16,21,,,,,1.9,1.0,1.5") +
        test::nmeaLine("GPGSV,3,1,11,02,04,014,,05,12,038,29,07,27,069,32,10,44,108,36") +
        test::nmeaLine("GPGSV,3,2,11,13,54,135,36,15,20,177,32,16,58,199,39,21,74,248,40") +
        test::nmeaLine("GPGSV,3,3,11,24,55,279,38,26,27,295,32,29,75,329,44") +
        test::nmeaLine("GPRMC,120000.000,A,2459.2057,N,12130.1234,E,0.00,0.00,191007,,,A");
    std::string bytes;
    while (bytes.size() < 1000)
        bytes += burst;
    bytes.resize(1000);
    return bytes;
}

// Ticks of the window connected at `rate`, each reading `bytes`. Shown, every display update is
// also painted; hidden, only the work before painting counts.
void timeTicks(benchmark::State& state, const QString& rate, const std::string& bytes)
{
    bench::AnswerFirst boxes;
    FakeClock clock;
    ClockOverride useClock(clock);
    {
        auto backend = std::make_unique<FakePortBackend>();
        FakePortBackend* port = backend.get();
        ProgramRecords records;
        Tgpsw window(records);
        records.link = SerialLink(std::move(backend));
        if (state.range(0) != 0)
            window.show();
        auto* rates = uitest::control<QComboBox>(window, "cbBandRate");
        rates->setCurrentIndex(rates->findText(rate));
        uitest::control<QPushButton>(window, "btStart")->click();
        uitest::control<QTimer>(window, "Timer1")->stop();
        // A tick's display calls mostly mark what changed; the window paints it when the event
        // loop next runs, so that pass belongs to the tick's cost.
        QCoreApplication::processEvents();
        for (auto _ : state) {
            port->pushIncoming(bytes);
            window.Timer1Timer();
            QCoreApplication::processEvents();
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    }
}

void BM_ReceiveLoopTickOf1000Bytes(benchmark::State& state)
{
    timeTicks(state, "  9600", thousandBytes());
}
BENCHMARK(BM_ReceiveLoopTickOf1000Bytes)->ArgName("shown")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// One tick at 115200 baud over a four-system second (more than 3000 bytes): the memo, the
// views of every system's satellites with their descriptions, and the paint after it.
void BM_ReceiveLoopTickOfAFourSystemSecond(benchmark::State& state)
{
    timeTicks(state, "115200", test::fourSystemSecond());
}
BENCHMARK(BM_ReceiveLoopTickOfAFourSystemSecond)
    ->ArgName("shown")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

// The same bytes with every satellite heard on two bands: a bar per band in the SNR chart and
// each band's SNR in the descriptions.
void BM_ReceiveLoopTickOfAFourSystemSecondOnTwoBands(benchmark::State& state)
{
    timeTicks(state, "115200", test::fourSystemSecond(test::SecondSignals::TwoBands));
}
BENCHMARK(BM_ReceiveLoopTickOfAFourSystemSecondOnTwoBands)
    ->ArgName("shown")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

} // namespace

NORVANE_WINDOW_BENCHMARK_MAIN()
