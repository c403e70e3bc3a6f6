// Connecting the main window: Start and Off on the simulator, the auto-scan over the port list,
// a receiver that goes away, and the bad inputs of the rate box.

#include "app/Mpgs.h"
#include "app/scan_progress.h"
#include "serial/clock.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/four_system_second.h"
#include "support/pty_pair.h"
#include "ui/support/controls.h"
#include "ui/support/port_map.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/simulator_on_com3.h"
#include "ui/support/ui_test_main.h"
#include "ui/support/watching_clock.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <optional>

using namespace norvane;
using uitest::control;
using uitest::PortMap;
using uitest::RecordedBox;
using uitest::ScriptedMessageBoxes;

namespace {

// Generous limits for things that happen within a few seconds on any machine; they only keep a
// broken build from hanging.
constexpr int kFixLimitMs = 30000;

const char* const kNoData = "Nmea code loss or Gps is bad";

sim::SimulatorOptions at9600()
{
    sim::SimulatorOptions options;
    options.rate = 9600;
    return options;
}

QString textOf(Tgpsw& w, const char* field)
{
    return control<QLineEdit>(w, field)->text();
}

QString boxText(Tgpsw& w, const char* box)
{
    return control<QComboBox>(w, box)->currentText();
}

// The buttons a connection enables, btStart's caption, the scan button or the change button,
// and the receive timer, as they are connected or idle.
void verifyLayout(Tgpsw& w, bool connected)
{
    QCOMPARE(control<QPushButton>(w, "btStart")->text(), QString(connected ? "Off" : "Start"));
    QVERIFY(control<QPushButton>(w, "btStart")->isEnabled());
    for (const char* name : {"bt_cold", "bt_point", "bt_refresh", "bt_savelog"})
        QVERIFY2(control<QPushButton>(w, name)->isEnabled() == connected, name);
    QCOMPARE(control<QPushButton>(w, "btAutoscan")->isVisible(), !connected);
    QCOMPARE(control<QPushButton>(w, "bt_change")->isVisible(), connected);
    QCOMPARE(control<QTimer>(w, "Timer1")->isActive(), connected);
}

QStringList memoLines(Tgpsw& w)
{
    return control<QPlainTextEdit>(w, "Memo1")->toPlainText().split('\n', Qt::SkipEmptyParts);
}

// A sysfs tree in which the tty behind `device` is an empty UART slot: its node is there, but no
// serial chip answers behind it (type 0).
bool makeEmptySlot(const QTemporaryDir& sysfs, const std::string& device)
{
    const QString tty = QFileInfo(QString::fromStdString(device)).canonicalFilePath().section('/', -1);
    const QString folder = sysfs.filePath("class/tty/" + tty);
    QFile type(folder + "/type");
    return QDir().mkpath(folder) && type.open(QIODevice::WriteOnly) && type.write("0\n") == 2;
}

// What the windows painted while a scan ran: the scan dialog's texts as they were painted, and
// the paints of the main window and its controls.
class ScanPaints : public QObject {
public:
    explicit ScanPaints(QWidget& window) : window_(window) { qApp->installEventFilter(this); }
    ~ScanPaints() override { qApp->removeEventFilter(this); }

    QStringList scanTexts;
    int windowPaints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || QApplication::activeModalWidget() == nullptr)
            return false;
        auto* label = qobject_cast<QLabel*>(watched);
        if (label && label->objectName() == "lb_scan" && !scanTexts.endsWith(label->text()))
            scanTexts << label->text();
        if (watched == &window_ || window_.isAncestorOf(qobject_cast<QWidget*>(watched)))
            ++windowPaints;
        return false;
    }

private:
    QWidget& window_;
};

// A fake port on which rates can be refused one by one.
class RefusingPort : public FakePortBackend {
public:
    std::vector<int> refused;
    std::vector<int> tried;

    bool applyLineSettings(int rate) override
    {
        tried.push_back(rate);
        if (std::find(refused.begin(), refused.end(), rate) != refused.end())
            return false;
        return FakePortBackend::applyLineSettings(rate);
    }
};

// The main window shown, its connection on "  COM3" with the simulator at 9600 behind it.
struct OnSimulator {
    OnSimulator()
    {
        if (!receiver->started())
            qWarning("%s", qPrintable(receiver->whyNotStarted()));
        w.show();
    }
    void start()
    {
        control<QComboBox>(w, "cbBandRate")->setCurrentIndex(2);
        QTest::mouseClick(control<QPushButton>(w, "btStart"), Qt::LeftButton);
    }

    std::optional<uitest::SimulatorOnCom3> receiver{at9600()};
    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw w{records};
};

// The main window over a fake port of kind Port, on a fake clock whose waits take no time.
template <class Port = FakePortBackend> struct OnFakePort {
    OnFakePort()
    {
        auto backend = std::make_unique<Port>();
        port = backend.get();
        records.link = SerialLink(std::move(backend));
    }
    void scan() { QTest::mouseClick(control<QPushButton>(w, "btAutoscan"), Qt::LeftButton); }

    ScriptedMessageBoxes boxes;
    FakeClock clock;
    ClockOverride useClock{clock};
    ProgramRecords records;
    Tgpsw w{records};
    Port* port = nullptr;
};

} // namespace

class ConnectTest : public QObject {
    Q_OBJECT

private slots:
    void startOnTheSimulatorShowsTheFixAndOffEmptiesIt();
    void startOnAMissingPortShowsComPortError();
    void emptyRateEndsInTheErrorBoxAndLeavesThePortFree();
    void autoScanPassesAnEmptySlotAndFindsTheSimulatorOnCom3At9600();
    void escCancelsTheScan();
    void autoScanWithoutAnyPortFindsNothing();
    void autoScanOverSilentPortsTakesItsWaitsOnTheClock();
    void autoScanReopensThePortAfterARefusedRate();
    void autoScanFindsAFastReceiverSendingMoreThanAThousandBytes();
    void autoScanClosesAnOpenLinkFirst();
    void unpluggedReceiverIsReportedEveryTickAndANewStartWorks();
};

void ConnectTest::startOnTheSimulatorShowsTheFixAndOffEmptiesIt()
{
    OnSimulator s;
    Tgpsw& w = s.w;
    s.start();
    QCOMPARE(s.boxes.count(), 1); // only the family question
    verifyLayout(w, true);
    QVERIFY(textOf(w, "td_lati_sat").isEmpty()); // Start clears nothing and shows nothing yet

    QTRY_COMPARE_WITH_TIMEOUT(textOf(w, "td_mode"), QString("  3D"), kFixLimitMs);
    QTRY_VERIFY_WITH_TIMEOUT(!textOf(w, "td_time").isEmpty() && !textOf(w, "td_date").isEmpty(), kFixLimitMs);
    QCOMPARE(textOf(w, "td_lati_sat"), QString("N24\"59'12.34"));
    QCOMPARE(textOf(w, "td_longi_sat"), QString("E121\"30'07.40"));
    QCOMPARE(textOf(w, "td_alti"), QString("    56.3M"));
    QCOMPARE(textOf(w, "td_speed"), QString("     0.0"));
    QCOMPARE(textOf(w, "td_date"), QString("2007/10/19"));
    // 12:00 UTC at 121 degrees 30 minutes east is 20:00 on the panel.
    QVERIFY2(QRegularExpression("^20:00:[0-5]\\d$").match(textOf(w, "td_time")).hasMatch(),
             qPrintable(textOf(w, "td_time")));
    QVERIFY2(QRegularExpression("^\\d+\\.\\d$").match(textOf(w, "td_pdop")).hasMatch(),
             qPrintable(textOf(w, "td_pdop")));
    QVERIFY(memoLines(w).filter(QRegularExpression("^\\$GPGGA,")).size() > 0);
    QVERIFY(!control<QPlainTextEdit>(w, "Memo1")->toPlainText().contains(kNoData));

    QTest::mouseClick(control<QPushButton>(w, "btStart"), Qt::LeftButton);
    verifyLayout(w, false);
    QVERIFY(!s.records.link.isOpen());
    for (const char* field : {"td_mode", "td_lati_sat", "td_longi_sat", "td_alti", "td_speed", "td_date",
                              "td_time", "td_pdop", "td_ttff"})
        QVERIFY2(textOf(w, field).isEmpty(), field);
    QCOMPARE(w.memoLineCount(), 0);
    QCOMPARE(boxText(w, "cbComPort"), QString("  COM3"));
    QCOMPARE(boxText(w, "cbBandRate"), QString("  9600"));
}

void ConnectTest::startOnAMissingPortShowsComPortError()
{
    PortMap ports;
    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw w(records);
    w.show();
    QTest::mouseClick(control<QPushButton>(w, "btStart"), Qt::LeftButton);
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(boxes.last().kind, RecordedBox::Kind::Inform);
    QCOMPARE(boxes.last().text, QString("Com Port Error"));
    QCOMPARE(boxes.last().caption, QString("error"));
    QCOMPARE(boxes.last().owner.data(), &w);
    verifyLayout(w, false);
    QVERIFY(!records.link.isOpen());
}

void ConnectTest::emptyRateEndsInTheErrorBoxAndLeavesThePortFree()
{
    FakeClock fake;
    ClockOverride use(fake);
    OnSimulator s;
    control<QComboBox>(s.w, "cbBandRate")->setCurrentIndex(9);
    QTest::mouseClick(control<QPushButton>(s.w, "btStart"), Qt::LeftButton);
    QCOMPARE(s.boxes.last().kind, RecordedBox::Kind::Error);
    QCOMPARE(s.boxes.last().text, QString("'' is not a valid floating point value"));
    verifyLayout(s.w, false);

    s.start();
    verifyLayout(s.w, true);
    QCOMPARE(s.boxes.count(), 2);
}

// COM1 is an empty UART slot (a pseudo-terminal that sysfs says has no chip behind it): passed
// over without being opened. The windows keep painting, the scan dialog saying what it tries.
void ConnectTest::autoScanPassesAnEmptySlotAndFindsTheSimulatorOnCom3At9600()
{
    PtyPair emptySlot;
    const unsigned slotRate = emptySlot.lineState().rate;
    QTemporaryDir sysfs;
    QVERIFY(makeEmptySlot(sysfs, emptySlot.slavePath()));
    uitest::SimulatorOnCom3 receiver(at9600());
    receiver.ports().map(1, emptySlot.slavePath());
    ScriptedMessageBoxes boxes;
    uitest::WatchingClock clock;
    ClockOverride use(clock);
    ProgramRecords records;
    records.link = SerialLink(makePlatformBackend(sysfs.path().toStdString()));
    Tgpsw w(records);
    w.show();
    w.memoAddLine("from before");
    QStringList memoAtFirstRate;
    clock.beforeSleep = [&](int) {
        if (memoAtFirstRate.isEmpty())
            memoAtFirstRate = memoLines(w);
    };
    ScanPaints painted(w);
    QTest::mouseClick(control<QPushButton>(w, "btAutoscan"), Qt::LeftButton);

    QCOMPARE(memoAtFirstRate, QStringList({"from before", "  COM1open fales !", "  COM2open fales !"}));
    QCOMPARE(emptySlot.lineState().rate, slotRate);
    // 4800 and 7200 hear garbage; 9600 hears the receiver.
    QCOMPARE(clock.sleeps(), std::vector<int>({700, 700, 700}));
    QCOMPARE(painted.scanTexts,
             QStringList({"Scanning COM3 at 4800", "Scanning COM3 at 7200", "Scanning COM3 at 9600"}));
    QVERIFY(painted.windowPaints > 0);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(boxes.count(), 1);
    verifyLayout(w, true);
    QCOMPARE(boxText(w, "cbComPort"), QString("  COM3"));
    QCOMPARE(boxText(w, "cbBandRate"), QString("  9600"));
    QCOMPARE(w.memoLineCount(), 0);
    QVERIFY(records.link.isOpen());
    QCOMPARE(receiver.simulator().lineRate(), 9600);

    QTRY_COMPARE_WITH_TIMEOUT(textOf(w, "td_mode"), QString("  3D"), kFixLimitMs);
    QCOMPARE(textOf(w, "td_lati_sat"), QString("N24\"59'12.34"));
}

void ConnectTest::autoScanWithoutAnyPortFindsNothing()
{
    PortMap ports;
    ScriptedMessageBoxes boxes;
    FakeClock fake;
    ClockOverride use(fake);
    ProgramRecords records;
    Tgpsw w(records);
    w.show();
    control<QComboBox>(w, "cbBandRate")->setCurrentIndex(5);
    bool startEnabledDuringScan = true;
    boxes.onBox = [&](const RecordedBox& box) {
        if (box.text == "Don't find GPS")
            startEnabledDuringScan = control<QPushButton>(w, "btStart")->isEnabled();
    };
    QTest::mouseClick(control<QPushButton>(w, "btAutoscan"), Qt::LeftButton);

    QCOMPARE(boxes.count(), 2);
    QCOMPARE(boxes.last().text, QString("Don't find GPS"));
    QCOMPARE(boxes.last().caption, QString());
    QVERIFY(!boxes.last().hadOwner);
    QVERIFY(!startEnabledDuringScan);
    const QStringList lines = memoLines(w);
    QCOMPARE(lines.size(), 99);
    QCOMPARE(lines.first(), QString("  COM1open fales !"));
    QCOMPARE(lines.at(10), QString(" COM11 open fales !"));
    QCOMPARE(lines.last(), QString(" COM99open fales !"));
    verifyLayout(w, false);
    QCOMPARE(control<QComboBox>(w, "cbComPort")->currentIndex(), 0);
    QCOMPARE(control<QComboBox>(w, "cbBandRate")->currentIndex(), 0);
    QVERIFY(!records.link.isOpen());
    QVERIFY(fake.sleeps().empty());
}

// Esc in the scan dialog ends the scan when the rate it listens at is done: the port closed, no
// "Don't find GPS".
void ConnectTest::escCancelsTheScan()
{
    OnFakePort<> f;
    f.clock.onSleep = [&](int) {
        if (f.clock.sleeps().size() == 3)
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
    };
    f.w.show();
    f.scan();

    QCOMPARE(f.boxes.count(), 1); // only the family question
    QCOMPARE(f.clock.sleeps(), std::vector<int>({700, 400, 700, 400}));
    QCOMPARE(f.port->appliedRates, std::vector<int>({4800, 7200}));
    QVERIFY(!f.records.link.isOpen());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    verifyLayout(f.w, false);
    QCOMPARE(memoLines(f.w), QStringList());
}

// Every port opens and stays silent: at each of nine rates the scan listens on to 1.1 s, and
// the port takes at most one and a half times the 9 x 700 ms + 1000 ms it took before; 99 times,
// on a clock on which the waits take no time.
void ConnectTest::autoScanOverSilentPortsTakesItsWaitsOnTheClock()
{
    OnFakePort<> f;
    f.scan();

    QCOMPARE(f.boxes.last().text, QString("Don't find GPS"));
    QCOMPARE(f.clock.totalSleptMs(), 99 * (9 * 1100 + 1000));
    QVERIFY(f.clock.totalSleptMs() / 99 <= (9 * 700 + 1000) * 3 / 2);
    QCOMPARE(f.port->openCount, 99);
    QCOMPARE(f.port->appliedRates.size(), std::size_t(99 * 9));
    QCOMPARE(f.port->appliedRates.back(), 128000);
    QCOMPARE(f.port->openedName, std::string("COM99"));
    QCOMPARE(memoLines(f.w).size(), 99);
    QVERIFY(!f.records.link.isOpen());
}

void ConnectTest::autoScanReopensThePortAfterARefusedRate()
{
    OnFakePort<RefusingPort> f;
    f.port->refused = {4800};
    f.clock.onSleep = [&](int ms) {
        if (ms == 700 && f.port->lastRate == 7200)
            f.port->pushIncoming("$GPGGA,120000.000,2459.2057,N,12130.1234,E,1,8,1.0,56.3,M,15.2,M,,*60\r\n");
    };
    f.scan();

    QCOMPARE(control<QPushButton>(f.w, "btStart")->text(), QString("Off"));
    QCOMPARE(boxText(f.w, "cbComPort"), QString("  COM1"));
    QCOMPARE(boxText(f.w, "cbBandRate"), QString("  7200"));
    QCOMPARE(f.port->tried, std::vector<int>({4800, 7200}));
    QCOMPARE(f.port->openCount, 2);
    QVERIFY(f.records.link.isOpen());
    // No wait is spent listening at a rate the port refused.
    QCOMPARE(f.clock.sleeps(), std::vector<int>({700}));
}

// A receiver of four systems at 115200 sends a second's burst of over 3000 bytes at once; the
// scan must read it like the receive loop does, not discard it as a stale backlog.
void ConnectTest::autoScanFindsAFastReceiverSendingMoreThanAThousandBytes()
{
    OnFakePort<> f;
    // One burst a second: the 700 ms after a discard would have heard nothing.
    bool sent = false;
    f.clock.onSleep = [&](int ms) {
        if (ms == 700 && f.port->lastRate == 115200 && !sent)
            f.port->pushIncoming(test::fourSystemSecond());
        sent = sent || f.port->lastRate == 115200;
    };
    f.scan();

    QVERIFY(!f.boxes.texts().contains("Don't find GPS"));
    QCOMPARE(boxText(f.w, "cbBandRate"), QString("115200"));
    QCOMPARE(control<QPushButton>(f.w, "btStart")->text(), QString("Off"));
    QCOMPARE(f.port->purgeCount, 0);
    // Silence at the seven slower rates could have been a receiver between bursts.
    std::vector<int> listened;
    for (int rate = 0; rate < 7; ++rate)
        listened.insert(listened.end(), {700, 400});
    listened.push_back(700);
    QCOMPARE(f.clock.sleeps(), listened);
}

void ConnectTest::autoScanClosesAnOpenLinkFirst()
{
    PortMap ports;
    OnFakePort<> f;
    QVERIFY(f.records.link.openPort("  COM5"));
    f.port->failOpen = true;
    f.w.btAutoscanClick();
    QCOMPARE(f.port->closeCount, 1);
    QCOMPARE(f.clock.sleeps(), std::vector<int>({1000}));
    QCOMPARE(f.boxes.last().text, QString("Don't find GPS"));
}

void ConnectTest::unpluggedReceiverIsReportedEveryTickAndANewStartWorks()
{
    OnSimulator s;
    Tgpsw& w = s.w;
    s.start();
    verifyLayout(w, true);
    QTRY_COMPARE_WITH_TIMEOUT(textOf(w, "td_mode"), QString("  3D"), kFixLimitMs);

    s.receiver->simulator().unplug();
    control<QTimer>(w, "Timer1")->stop();
    w.Timer1Timer(); // may still take bytes that were on their way
    for (int tick = 1; tick <= 3; ++tick) {
        const int before = memoLines(w).count(kNoData);
        w.Timer1Timer();
        QCOMPARE(memoLines(w).count(kNoData), before + 1);
        for (const char* name : {"bt_cold", "bt_point", "bt_refresh", "bt_savelog", "bt_revision"})
            QVERIFY2(!control<QPushButton>(w, name)->isEnabled(), name);
        QVERIFY(control<QTimer>(w, "Timer1")->isActive());
    }
    QCOMPARE(control<QPushButton>(w, "btStart")->text(), QString("Off"));

    QTest::mouseClick(control<QPushButton>(w, "btStart"), Qt::LeftButton);
    verifyLayout(w, false);
    s.receiver.reset();
    s.receiver.emplace(at9600());
    QTest::mouseClick(control<QPushButton>(w, "btStart"), Qt::LeftButton);
    verifyLayout(w, true);
    QTRY_COMPARE_WITH_TIMEOUT(textOf(w, "td_mode"), QString("  3D"), kFixLimitMs);
    QCOMPARE(textOf(w, "td_alti"), QString("    56.3M"));
    QVERIFY(control<QPushButton>(w, "bt_cold")->isEnabled());
    QCOMPARE(s.boxes.count(), 1);
}

NORVANE_UI_TEST_MAIN(ConnectTest)
#include "connect_test.moc"
