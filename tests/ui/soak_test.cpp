// A day of receiver output through the real main window: 86,400 one-second ticks, each reading a
// full 1000-byte burst (a fix, its satellites and padding up to the read limit) from a fake port.
// Memo1 never holds more than 501 lines and the process's resident memory stays flat.
//
// The full day takes several minutes, so ctest runs the first part of it. For the whole day:
//   NORVANE_SOAK_TICKS=86400 QTEST_FUNCTION_TIMEOUT=3600000 build/tests/norvane_ui_tests soak_test
// (QtTest otherwise stops a test function after five minutes). Resident sizes are printed either way.

#include "app/Mpgs.h"
#include "control/ui/Testgps.h"
#include "serial/clock.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/nmea_sentence.h"
#include "ui/support/controls.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/ui_test_main.h"
#include "view/ui/Vp.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

using namespace norvane;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

constexpr int kDayOfTicks = 86400;
// Two hours of ticks; one under the address checker, which runs the window about three times slower.
constexpr int kDefaultTicks = kAddressSanitizer ? 3600 : 7200;
constexpr int kWarmUpTicks = 600; // the memo has cleared a few times, every drawing has run
constexpr std::size_t kBurstSize = 1000;
constexpr long kAllowedGrowthKiB = 32 * 1024;

int soakTicks()
{
    const QByteArray text = qgetenv("NORVANE_SOAK_TICKS");
    bool ok = false;
    const int ticks = text.toInt(&ok);
    return ok && ticks > kWarmUpTicks ? ticks : kDefaultTicks;
}

long residentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The burst of second `tick` of the day: the position wanders a little, the satellites' signals
// change, and a proprietary sentence the program does not decode fills the rest of the read.
std::string soakBurst(int tick)
{
    const int second = tick % kDayOfTicks;
    char time[16];
    std::snprintf(time, sizeof time, "%02d%02d%02d.000", second / 3600, second / 60 % 60, second % 60);
    char position[64];
    std::snprintf(position, sizeof position, "%09.4f,N,%010.4f,E", 2459.2057 + (tick % 97) * 0.0001,
                  12130.1234 + (tick % 89) * 0.0001);
    std::string text =
        test::nmeaLine(std::string("GPGGA,") + time + "," + position + ",1,10,1.0,56.3,M,15.2,M,,");
    text += test::nmeaLine("GPGSA,A,3,02,05,07,10,13,15,16,21,24,26,,,1.7,1.0,1.4");
    for (int message = 0; message < 3; ++message) {
        std::string body = "GPGSV,3," + std::to_string(message + 1) + ",12";
        for (int k = 0; k < 4; ++k) {
            const int satellite = message * 4 + k;
            char fields[32];
            std::snprintf(fields, sizeof fields, ",%02d,%02d,%03d,%02d", satellite * 3 + 2,
                          10 + satellite * 6, satellite * 30, 20 + (tick + satellite) % 30);
            body += fields;
        }
        text += test::nmeaLine(body);
    }
    text += test::nmeaLine(std::string("GPRMC,") + time + ",A," + position + ",0.12,271.3,191007,,,A");
    const std::size_t frame = test::nmeaLine("PNVPAD,").size();
    text += test::nmeaLine("PNVPAD," + std::string(kBurstSize - text.size() - frame, 'x'));
    return text;
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

private slots:
    void aDayOfFullReadsKeepsTheMemoAndTheMemoryBounded();
};

void SoakTest::aDayOfFullReadsKeepsTheMemoAndTheMemoryBounded()
{
    QCOMPARE(soakBurst(0).size(), kBurstSize);
    QCOMPARE(soakBurst(kDayOfTicks - 1).size(), kBurstSize);

    FakeClock clock;
    ClockOverride useClock{clock};
    uitest::ScriptedMessageBoxes boxes; // the family question: Vexa
    ProgramRecords records;
    Tgpsw window(records);
    Tviewp viewPoint;
    TFtest test;
    viewPoint.hide();
    test.hide();
    window.attachWindows(&viewPoint, &test);
    auto backend = std::make_unique<FakePortBackend>();
    FakePortBackend* port = backend.get();
    records.link = SerialLink(std::move(backend));
    window.show();
    QTest::mouseClick(uitest::control<QPushButton>(window, "btStart"), Qt::LeftButton);
    QCOMPARE(uitest::control<QPushButton>(window, "btStart")->text(), QStringLiteral("Off"));
    uitest::control<QTimer>(window, "Timer1")->stop();
    // The view-point window plots every fix as well.
    QTest::mouseClick(uitest::control<QPushButton>(window, "bt_point"), Qt::LeftButton);
    QVERIFY(viewPoint.isVisible());

    const int ticks = soakTicks();
    long startKiB = 0;
    int mostLines = 0;
    const auto started = std::chrono::steady_clock::now();
    for (int tick = 0; tick < ticks; ++tick) {
        if (tick == kWarmUpTicks)
            startKiB = residentKiB();
        port->pushIncoming(soakBurst(tick));
        window.Timer1Timer();
        uitest::control<QTimer>(window, "Timer1")->stop();
        // What the event loop does between two timer events: paint what the tick changed.
        QCoreApplication::processEvents();
        const int lines = uitest::control<QPlainTextEdit>(window, "Memo1")->blockCount();
        mostLines = std::max(mostLines, lines);
        if (lines > 501)
            QFAIL(qPrintable(QStringLiteral("Memo1 holds %1 lines after tick %2").arg(lines).arg(tick)));
        if (port->incomingCount() != 0)
            QFAIL(qPrintable(QStringLiteral("tick %1 left bytes unread").arg(tick)));
    }
    const long endKiB = residentKiB();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    std::printf("soak: %d ticks of %zu bytes in %.1f s (%.0f ticks/s); Memo1 held at most %d lines\n", ticks,
                kBurstSize, seconds, ticks / seconds, mostLines);
    std::printf("soak: resident %ld KiB after %d ticks, %ld KiB at the end, growth %ld KiB\n", startKiB,
                kWarmUpTicks, endKiB, endKiB - startKiB);
    QCOMPARE(mostLines, 501);
    QVERIFY(uitest::control<QPushButton>(window, "bt_cold")->isEnabled()); // every tick read data
    // Under the address checker freed memory is held back on purpose, so the size grows by design
    // there; leaks are that build's leak checker's business.
    if (!kAddressSanitizer)
        QVERIFY2(endKiB - startKiB <= kAllowedGrowthKiB,
                 qPrintable(QStringLiteral("grew by %1 KiB").arg(endKiB - startKiB)));
}

NORVANE_UI_TEST_MAIN(SoakTest)
#include "soak_test.moc"
