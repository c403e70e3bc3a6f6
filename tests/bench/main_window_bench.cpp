// One receive-loop tick of the real main window (offscreen) with 1000 bytes of receiver output:
// framing, decoding, the memo, the fix panel, the sky plot and the SNR chart, and the pass of
// the event loop after it, which paints what the tick changed. Also the same tick with the
// Position Accuracy window shown over a day of fixes.
//
//   cmake --build build --target bench_main_window_bench
//   build/tests/bench_main_window_bench

#include "app/Mpgs.h"
#include "serial/clock.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/four_system_second.h"
#include "support/nmea_sentence.h"
#include "survey/survey.h"
#include "text/number_format.h"
#include "ui/support/controls.h"
#include "window_bench.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>
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

// A GGA sentence a second, for `count` seconds, of a receiver whose fixes scatter with a sigma of
// 2 m about 2459.2057 N 12130.1234 E (a minute of latitude is 1852 m, of longitude here 1679 m).
std::vector<std::string> noisyDay(int count)
{
    std::mt19937 random(7);
    std::normal_distribution<double> metres(0.0, 2.0);
    std::vector<std::string> sentences;
    for (int second = 0; second < count; ++second) {
        const int time = second % 86400;
        sentences.push_back(test::nmea(formatText(
                                "GPGGA,%02d%02d%02d.000,%.7f,N,%.7f,E,1,08,1.0,%.2f,M,15.2,M,,", time / 3600,
                                time / 60 % 60, time % 60, 2459.2057 + metres(random) / 1852,
                                12130.1234 + metres(random) / 1679, 56.3 + 1.5 * metres(random))) +
                            "\n");
    }
    return sentences;
}

struct SurveyedRun {
    int fixes = 0;
    bool refreshEveryTick = false;
};

// Ticks of the window connected at `rate`, each reading `bytes`. Shown, every display update is
// also painted; hidden, only the work before painting counts. With a survey, the Position
// Accuracy window is shown too and holds that many fixes before the first tick; its figures are
// refreshed at every tick (the clock a second on each time) or only before the first.
void timeTicks(benchmark::State& state, bool shown, const QString& rate, const std::string& bytes,
               SurveyedRun survey = {})
{
    QTemporaryDir csvFolder; // the survey's CSV
    const QString before = QDir::currentPath();
    QDir::setCurrent(csvFolder.path());
    bench::AnswerFirst boxes;
    FakeClock clock;
    ClockOverride useClock(clock);
    {
        auto backend = std::make_unique<FakePortBackend>();
        FakePortBackend* port = backend.get();
        ProgramRecords records;
        Tgpsw window(records);
        records.link = SerialLink(std::move(backend));
        if (shown)
            window.show();
        auto* rates = uitest::control<QComboBox>(window, "cbBandRate");
        rates->setCurrentIndex(rates->findText(rate));
        uitest::control<QPushButton>(window, "btStart")->click();
        uitest::control<QTimer>(window, "Timer1")->stop();
        if (survey.fixes > 0) {
            window.showAccuracyWindow();
            for (const std::string& sentence : noisyDay(survey.fixes))
                window.sentenceDecoded("GGA", sentence);
            window.Timer1Timer();
        }
        // A tick's display calls mostly mark what changed; the window paints it when the event
        // loop next runs, so that pass belongs to the tick's cost.
        QCoreApplication::processEvents();
        for (auto _ : state) {
            if (survey.refreshEveryTick)
                clock.advance(norvane::Survey::kRefreshIntervalMs);
            port->pushIncoming(bytes);
            window.Timer1Timer();
            QCoreApplication::processEvents();
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    }
    QDir::setCurrent(before);
}

void BM_ReceiveLoopTickOf1000Bytes(benchmark::State& state)
{
    timeTicks(state, state.range(0) != 0, "  9600", thousandBytes());
}
BENCHMARK(BM_ReceiveLoopTickOf1000Bytes)->ArgName("shown")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// One tick at 115200 baud over a four-system second (more than 3000 bytes): the memo, the
// views of every system's satellites with their descriptions, and the paint after it.
void BM_ReceiveLoopTickOfAFourSystemSecond(benchmark::State& state)
{
    timeTicks(state, state.range(0) != 0, "115200", test::fourSystemSecond());
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
    timeTicks(state, state.range(0) != 0, "115200", test::fourSystemSecond(test::SecondSignals::TwoBands));
}
BENCHMARK(BM_ReceiveLoopTickOfAFourSystemSecondOnTwoBands)
    ->ArgName("shown")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

// The 1000-byte tick again with the Position Accuracy window shown over a day of 1 Hz fixes
// (86,400), to set beside BM_ReceiveLoopTickOf1000Bytes/shown:1. refresh:0, the ticks between
// two refreshes: the survey takes the tick's epochs and nothing is drawn. refresh:1, every tick
// a second apart as Timer1 runs them: the survey recomputes its figures from every fix (timed
// alone by BM_SurveyRefreshOf86400Fixes) and the window shows them, draws the new fixes and
// moves its cached scatter with the mean.
void BM_ReceiveLoopTickWithPositionAccuracy(benchmark::State& state)
{
    timeTicks(state, true, "  9600", thousandBytes(), {86400, state.range(0) != 0});
}
BENCHMARK(BM_ReceiveLoopTickWithPositionAccuracy)
    ->ArgName("refresh")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// The survey's own share of a refresh: its figures from 86,400 fixes about their mean.
void BM_SurveyRefreshOf86400Fixes(benchmark::State& state)
{
    norvane::Survey survey;
    for (const std::string& sentence : noisyDay(86400))
        survey.sentenceDecoded("GGA", sentence);
    for (auto _ : state)
        survey.refresh();
}
BENCHMARK(BM_SurveyRefreshOf86400Fixes)->Unit(benchmark::kMillisecond);

} // namespace

NORVANE_WINDOW_BENCHMARK_MAIN()
