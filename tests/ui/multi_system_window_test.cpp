// A four-system receiver at 115200 baud through the real window: the simulator, ten times faster
// than real time, and the window's receive loop ticked once a simulated second for thirty of
// them. Every sentence reaches the raw log; the sky plot's description names every satellite.

#include "app/Mpgs.h"
#include "control/ui/Testgps.h"
#include "sim/simulator.h"
#include "ui/support/controls.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/simulator_on_com3.h"
#include "ui/support/ui_test_main.h"
#include "view/ui/Vp.h"
#include "view/ui/sky_picture.h"
#include "view/ui/snr_chart.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <set>

using namespace norvane;

namespace {

constexpr int kSimulatedSeconds = 30;
constexpr double kSpeed = 10;

bool checksumHolds(const QByteArray& line)
{
    const int star = line.indexOf('*');
    if (!line.startsWith('$') || star < 0 || star + 3 > line.size())
        return false;
    unsigned x = 0;
    for (int i = 1; i < star; ++i)
        x ^= static_cast<unsigned char>(line[i]);
    return line.mid(star + 1, 2).toUInt(nullptr, 16) == x;
}

// "R12" for GLGSV PRN 76: the label the description gives a satellite of this talker.
QString labelOf(const QByteArray& talker, int prn)
{
    if (talker == "GL")
        return QString("R%1").arg(prn - 64, 2, 10, QChar('0'));
    const char letter = talker == "GA" ? 'E' : talker == "GB" ? 'C' : 'G';
    return QString("%1%2").arg(letter).arg(prn, 2, 10, QChar('0'));
}

QList<QByteArray> containing(const QList<QByteArray>& lines, const char* part)
{
    QList<QByteArray> found;
    for (const QByteArray& line : lines)
        if (line.contains(part))
            found << line;
    return found;
}

} // namespace

class MultiSystemWindowTest : public QObject {
    Q_OBJECT

private slots:
    void everySentenceLoggedAndEverySatelliteDescribed();
};

void MultiSystemWindowTest::everySentenceLoggedAndEverySatelliteDescribed()
{
    sim::SimulatorOptions options;
    options.systems = {"GP", "GL", "GA", "GB"};
    options.rate = 115200;
    options.speed = kSpeed;
    options.banners = false;
    uitest::SimulatorOnCom3 receiver(options);
    if (!receiver.started())
        QSKIP(qPrintable(receiver.whyNotStarted()));
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    uitest::ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw gpsw(records);
    Tviewp viewp;
    TFtest ftest;
    gpsw.attachWindows(&viewp, &ftest);
    auto* ports = uitest::control<QComboBox>(gpsw, "cbComPort");
    ports->setCurrentIndex(ports->findText("  COM3"));
    auto* rates = uitest::control<QComboBox>(gpsw, "cbBandRate");
    rates->setCurrentIndex(rates->findText("115200"));
    gpsw.show();
    boxes.clear();
    uitest::control<QPushButton>(gpsw, "btStart")->click();
    QCOMPARE(uitest::control<QPushButton>(gpsw, "btStart")->text(), QString("Off"));
    auto* timer = uitest::control<QTimer>(gpsw, "Timer1");
    timer->stop();
    uitest::control<QPushButton>(gpsw, "bt_savelog")->click();

    // A tick a simulated second, as Timer1 would give them at real speed.
    const int firstBurst = receiver.simulator().counters().burstsSent;
    while (receiver.simulator().counters().burstsSent < firstBurst + kSimulatedSeconds) {
        QTest::qWait(static_cast<int>(1000 / kSpeed));
        gpsw.Timer1Timer();
        timer->stop();
    }
    QTest::qWait(static_cast<int>(1000 / kSpeed));
    gpsw.Timer1Timer();
    timer->stop();
    uitest::control<QPushButton>(gpsw, "bt_savelog")->click();
    const QString description = uitest::control<SkyPicture>(gpsw, "Image1")->accessibleDescription();
    const QString chartDescription = uitest::control<SnrChart>(gpsw, "Chart1")->accessibleDescription();
    uitest::control<QPushButton>(gpsw, "btStart")->click();
    receiver.simulator().stop();

    QFile log(dir.filePath("gpslog.txt"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = log.readAll().split('\n');
    // Every line a whole sentence; from the first GGA on, each second whole: GGA, four GSA,
    // the GSV groups, RMC, with no sentence missing between two GGA.
    int seconds = 0;
    QList<QByteArray> lastSecond, second;
    bool started = false;
    for (QByteArray line : lines) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith("$GNGGA")) {
            started = true;
            second.clear();
        }
        if (!started)
            continue; // what came before the line was at its rate
        QVERIFY2(checksumHolds(line), line.constData());
        second << line;
        if (line.startsWith("$GNRMC")) {
            QCOMPARE(containing(second, "GSA,").size(), 4);
            for (const char* talker : {"$GPGSV", "$GLGSV", "$GAGSV", "$GBGSV"}) {
                const auto group = containing(second, talker);
                QVERIFY2(!group.isEmpty(), talker);
                // Each signal's group numbered 1..count without a gap.
                int expectedNumber = 1;
                for (const QByteArray& gsv : group) {
                    const auto f = gsv.split(',');
                    QCOMPARE(f[2].toInt(), expectedNumber);
                    expectedNumber = f[2].toInt() == f[1].toInt() ? 1 : expectedNumber + 1;
                }
                QCOMPARE(expectedNumber, 1);
            }
            lastSecond = second;
            ++seconds;
        }
    }
    QVERIFY2(seconds >= kSimulatedSeconds - 2, qPrintable(QString::number(seconds)));
    QVERIFY(receiver.simulator().counters().bytesSent > 1500u * kSimulatedSeconds);

    std::set<QString> labels;
    for (const QByteArray& line : containing(lastSecond, "GSV,")) {
        const auto f = line.left(line.indexOf('*')).split(',');
        for (int i = 4; i + 3 < f.size(); i += 4)
            labels.insert(labelOf(line.mid(1, 2), f[i].toInt()));
    }
    QVERIFY(labels.size() >= 32);
    for (const QString& label : labels)
        QVERIFY2(description.contains("; " + label + " el "), qPrintable(label + " in " + description));
    QVERIFY(description.startsWith(QString("%1 in view, ").arg(labels.size())));
    QCOMPARE(chartDescription, description);

    QDir::setCurrent(QDir::tempPath());
}

NORVANE_UI_TEST_MAIN(MultiSystemWindowTest)
#include "multi_system_window_test.moc"
