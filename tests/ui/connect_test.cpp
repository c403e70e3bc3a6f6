// Connecting the main window: Start and Off on the simulator, the auto-scan over the port list,
// a receiver that goes away, and the bad inputs of the rate box.

#include "app/Mpgs.h"
#include "app/scan_progress.h"
#include "serial/clock.h"
#include "sim/simulator.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/four_system_second.h"
#include "support/pty_pair.h"
#include "ui/support/controls.h"
#include "ui/support/port_map.h"
#include "ui/support/scripted_message_boxes.h"
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

using namespace norvane;
using uitest::PortMap;
using uitest::RecordedBox;
using uitest::ScriptedMessageBoxes;

namespace {

// Generous limits for things that happen within a few seconds on any machine; they only keep a
// broken build from hanging.
constexpr int kFixLimitMs = 30000;

const char* const kNoData = "Nmea code loss or Gps is bad";

std::unique_ptr<sim::Simulator> startSimulator()
{
    sim::SimulatorOptions options;
    options.rate = 9600;
    auto simulator = std::make_unique<sim::Simulator>(options);
    if (!simulator->start())
        qWarning("simulator: %s", simulator->lastError().c_str());
    return simulator;
}

QList<QPushButton*> connectionButtons(Tgpsw& w)
{
    return {uitest::control<QPushButton>(w, "bt_cold"), uitest::control<QPushButton>(w, "bt_point"),
            uitest::control<QPushButton>(w, "bt_refresh"), uitest::control<QPushButton>(w, "bt_savelog")};
}

void verifyConnectedLayout(Tgpsw& w)
{
    QCOMPARE(uitest::control<QPushButton>(w, "btStart")->text(), QString("Off"));
    QVERIFY(uitest::control<QPushButton>(w, "btStart")->isEnabled());
    for (QPushButton* button : connectionButtons(w))
        QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));
    QVERIFY(!uitest::control<QPushButton>(w, "btAutoscan")->isVisible());
    QVERIFY(uitest::control<QPushButton>(w, "bt_change")->isVisible());
    QVERIFY(uitest::control<QTimer>(w, "Timer1")->isActive());
}

void verifyIdleLayout(Tgpsw& w)
{
    QCOMPARE(uitest::control<QPushButton>(w, "btStart")->text(), QString("Start"));
    QVERIFY(uitest::control<QPushButton>(w, "btStart")->isEnabled());
    for (QPushButton* button : connectionButtons(w))
        QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
    QVERIFY(uitest::control<QPushButton>(w, "btAutoscan")->isVisible());
    QVERIFY(!uitest::control<QPushButton>(w, "bt_change")->isVisible());
}

QStringList memoLines(Tgpsw& w)
{
    return uitest::control<QPlainTextEdit>(w, "Memo1")->toPlainText().split('\n', Qt::SkipEmptyParts);
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
    PortMap ports;
    auto simulator = startSimulator();
    ports.map(3, simulator->devicePath());
    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw w(records);
    w.show();
    uitest::control<QComboBox>(w, "cbBandRate")->setCurrentIndex(2);
    QTest::mouseClick(uitest::control<QPushButton>(w, "btStart"), Qt::LeftButton);
    QCOMPARE(boxes.count(), 1); // only the family question
    verifyConnectedLayout(w);
    QVERIFY(uitest::control<QLineEdit>(w, "td_lati_sat")
                ->text()
                .isEmpty()); // Start clears nothing and shows nothing yet

    QTRY_COMPARE_WITH_TIMEOUT(uitest::control<QLineEdit>(w, "td_mode")->text(), QString("  3D"), kFixLimitMs);
    QTRY_VERIFY_WITH_TIMEOUT(!uitest::control<QLineEdit>(w, "td_time")->text().isEmpty() &&
                                 !uitest::control<QLineEdit>(w, "td_date")->text().isEmpty(),
                             kFixLimitMs);
    QCOMPARE(uitest::control<QLineEdit>(w, "td_lati_sat")->text(), QString("N24\"59'12.34"));
    QCOMPARE(uitest::control<QLineEdit>(w, "td_longi_sat")->text(), QString("E121\"30'07.40"));
    QCOMPARE(uitest::control<QLineEdit>(w, "td_alti")->text(), QString("    56.3M"));
    QCOMPARE(uitest::control<QLineEdit>(w, "td_speed")->text(), QString("     0.0"));
    QCOMPARE(uitest::control<QLineEdit>(w, "td_date")->text(), QString("2007/10/19"));
    // 12:00 UTC at 121 degrees 30 minutes east is 20:00 on the panel.
    QVERIFY2(QRegularExpression("^20:00:[0-5]\\d$")
                 .match(uitest::control<QLineEdit>(w, "td_time")->text())
                 .hasMatch(),
             qPrintable(uitest::control<QLineEdit>(w, "td_time")->text()));
    QVERIFY2(
        QRegularExpression("^\\d+\\.\\d$").match(uitest::control<QLineEdit>(w, "td_pdop")->text()).hasMatch(),
        qPrintable(uitest::control<QLineEdit>(w, "td_pdop")->text()));
    QVERIFY(memoLines(w).filter(QRegularExpression("^\\$GPGGA,")).size() > 0);
    QVERIFY(!uitest::control<QPlainTextEdit>(w, "Memo1")->toPlainText().contains(kNoData));

    QTest::mouseClick(uitest::control<QPushButton>(w, "btStart"), Qt::LeftButton);
    verifyIdleLayout(w);
    QVERIFY(!uitest::control<QTimer>(w, "Timer1")->isActive());
    QVERIFY(!records.link.isOpen());
    for (QLineEdit* field :
         {uitest::control<QLineEdit>(w, "td_mode"), uitest::control<QLineEdit>(w, "td_lati_sat"),
          uitest::control<QLineEdit>(w, "td_longi_sat"), uitest::control<QLineEdit>(w, "td_alti"),
          uitest::control<QLineEdit>(w, "td_speed"), uitest::control<QLineEdit>(w, "td_date"),
          uitest::control<QLineEdit>(w, "td_time"), uitest::control<QLineEdit>(w, "td_pdop"),
          uitest::control<QLineEdit>(w, "td_ttff")})
        QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
    QCOMPARE(w.memoLineCount(), 0);
    QCOMPARE(uitest::control<QComboBox>(w, "cbComPort")->currentText(), QString("  COM3"));
    QCOMPARE(uitest::control<QComboBox>(w, "cbBandRate")->currentText(), QString("  9600"));
}

void ConnectTest::startOnAMissingPortShowsComPortError()
{
    PortMap ports;
    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw w(records);
    w.show();
    QTest::mouseClick(uitest::control<QPushButton>(w, "btStart"), Qt::LeftButton);
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(boxes.last().kind, RecordedBox::Kind::Inform);
    QCOMPARE(boxes.last().text, QString("Com Port Error"));
    QCOMPARE(boxes.last().caption, QString("error"));
    QCOMPARE(boxes.last().owner.data(), &w);
    verifyIdleLayout(w);
    QVERIFY(!uitest::control<QTimer>(w, "Timer1")->isActive());
    QVERIFY(!records.link.isOpen());
}

void ConnectTest::emptyRateEndsInTheErrorBoxAndLeavesThePortFree()
{
    PortMap ports;
    auto simulator = startSimulator();
    ports.map(3, simulator->devicePath());
    ScriptedMessageBoxes boxes;
    FakeClock fake;
    ClockOverride use(fake);
    ProgramRecords records;
    Tgpsw w(records);
    w.show();
    uitest::control<QComboBox>(w, "cbBandRate")->setCurrentIndex(9);
    QTest::mouseClick(uitest::control<QPushButton>(w, "btStart"), Qt::LeftButton);
    QCOMPARE(boxes.last().kind, RecordedBox::Kind::Error);
    QCOMPARE(boxes.last().text, QString("'' is not a valid floating point value"));
    verifyIdleLayout(w);
    QVERIFY(!uitest::control<QTimer>(w, "Timer1")->isActive());

    uitest::control<QComboBox>(w, "cbBandRate")->setCurrentIndex(2);
    QTest::mouseClick(uitest::control<QPushButton>(w, "btStart"), Qt::LeftButton);
    verifyConnectedLayout(w);
    QCOMPARE(boxes.count(), 2);
}

// COM1 is an empty UART slot (a pseudo-terminal that sysfs says has no chip behind it): passed
// over without being opened. The windows keep painting, the scan dialog saying what it tries.
void ConnectTest::autoScanPassesAnEmptySlotAndFindsTheSimulatorOnCom3At9600()
{
    PortMap ports;
    PtyPair emptySlot;
    const unsigned slotRate = emptySlot.lineState().rate;
    QTemporaryDir sysfs;
    QVERIFY(makeEmptySlot(sysfs, emptySlot.slavePath()));
    ports.map(1, emptySlot.slavePath());
    auto simulator = startSimulator();
    ports.map(3, simulator->devicePath());
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
    QTest::mouseClick(uitest::control<QPushButton>(w, "btAutoscan"), Qt::LeftButton);

    QCOMPARE(memoAtFirstRate, QStringList({"from before", "  COM1open fales !", "  COM2open fales !"}));
    QCOMPARE(emptySlot.lineState().rate, slotRate);
    // 4800 and 7200 hear garbage; 9600 hears the receiver.
    QCOMPARE(clock.sleeps(), std::vector<int>({700, 700, 700}));
    QCOMPARE(painted.scanTexts,
             QStringList({"Scanning COM3 at 4800", "Scanning COM3 at 7200", "Scanning COM3 at 9600"}));
    QVERIFY(painted.windowPaints > 0);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(boxes.count(), 1);
    verifyConnectedLayout(w);
    QCOMPARE(uitest::control<QComboBox>(w, "cbComPort")->currentText(), QString("  COM3"));
    QCOMPARE(uitest::control<QComboBox>(w, "cbBandRate")->currentText(), QString("  9600"));
    QCOMPARE(w.memoLineCount(), 0);
    QVERIFY(records.link.isOpen());
    QCOMPARE(simulator->lineRate(), 9600);

    QTRY_COMPARE_WITH_TIMEOUT(uitest::control<QLineEdit>(w, "td_mode")->text(), QString("  3D"), kFixLimitMs);
    QCOMPARE(uitest::control<QLineEdit>(w, "td_lati_sat")->text(), QString("N24\"59'12.34"));
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
    uitest::control<QComboBox>(w, "cbBandRate")->setCurrentIndex(5);
    bool startEnabledDuringScan = true;
    boxes.onBox = [&](const RecordedBox& box) {
        if (box.text == "Don't find GPS")
            startEnabledDuringScan = uitest::control<QPushButton>(w, "btStart")->isEnabled();
    };
    QTest::mouseClick(uitest::control<QPushButton>(w, "btAutoscan"), Qt::LeftButton);

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
    verifyIdleLayout(w);
    QCOMPARE(uitest::control<QComboBox>(w, "cbComPort")->currentIndex(), 0);
    QCOMPARE(uitest::control<QComboBox>(w, "cbBandRate")->currentIndex(), 0);
    QVERIFY(!uitest::control<QTimer>(w, "Timer1")->isActive());
    QVERIFY(!records.link.isOpen());
    QVERIFY(fake.sleeps().empty());
}

// Esc in the scan dialog ends the scan when the rate it listens at is done: the port closed, no
// "Don't find GPS".
void ConnectTest::escCancelsTheScan()
{
    ScriptedMessageBoxes boxes;
    FakeClock fake;
    ClockOverride use(fake);
    auto backend = std::make_unique<FakePortBackend>();
    FakePortBackend* port = backend.get();
    fake.onSleep = [&](int) {
        if (fake.sleeps().size() == 3)
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
    };
    ProgramRecords records;
    Tgpsw w(records);
    records.link = SerialLink(std::move(backend));
    w.show();
    QTest::mouseClick(uitest::control<QPushButton>(w, "btAutoscan"), Qt::LeftButton);

    QCOMPARE(boxes.count(), 1); // only the family question
    QCOMPARE(fake.sleeps(), std::vector<int>({700, 400, 700, 400}));
    QCOMPARE(port->appliedRates, std::vector<int>({4800, 7200}));
    QVERIFY(!records.link.isOpen());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    verifyIdleLayout(w);
    QCOMPARE(memoLines(w), QStringList());
}

// Every port opens and stays silent: at each of nine rates the scan listens on to 1.1 s, and
// the port takes at most one and a half times the 9 x 700 ms + 1000 ms it took before; 99 times,
// on a clock on which the waits take no time.
void ConnectTest::autoScanOverSilentPortsTakesItsWaitsOnTheClock()
{
    ScriptedMessageBoxes boxes;
    FakeClock fake;
    ClockOverride use(fake);
    auto backend = std::make_unique<FakePortBackend>();
    FakePortBackend* port = backend.get();
    ProgramRecords records;
    Tgpsw w(records);
    records.link = SerialLink(std::move(backend));
    QTest::mouseClick(uitest::control<QPushButton>(w, "btAutoscan"), Qt::LeftButton);

    QCOMPARE(boxes.last().text, QString("Don't find GPS"));
    QCOMPARE(fake.totalSleptMs(), 99 * (9 * 1100 + 1000));
    QVERIFY(fake.totalSleptMs() / 99 <= (9 * 700 + 1000) * 3 / 2);
    QCOMPARE(port->openCount, 99);
    QCOMPARE(port->appliedRates.size(), std::size_t(99 * 9));
    QCOMPARE(port->appliedRates.back(), 128000);
    QCOMPARE(port->openedName, std::string("COM99"));
    QCOMPARE(memoLines(w).size(), 99);
    QVERIFY(!records.link.isOpen());
}

void ConnectTest::autoScanReopensThePortAfterARefusedRate()
{
    ScriptedMessageBoxes boxes;
    FakeClock fake;
    ClockOverride use(fake);
    auto backend = std::make_unique<RefusingPort>();
    RefusingPort* port = backend.get();
    port->refused = {4800};
    fake.onSleep = [&](int ms) {
        if (ms == 700 && port->lastRate == 7200)
            port->pushIncoming("$GPGGA,120000.000,2459.2057,N,12130.1234,E,1,8,1.0,56.3,M,15.2,M,,*60\r\n");
    };
    ProgramRecords records;
    Tgpsw w(records);
    records.link = SerialLink(std::move(backend));
    QTest::mouseClick(uitest::control<QPushButton>(w, "btAutoscan"), Qt::LeftButton);

    QCOMPARE(uitest::control<QPushButton>(w, "btStart")->text(), QString("Off"));
    QCOMPARE(uitest::control<QComboBox>(w, "cbComPort")->currentText(), QString("  COM1"));
    QCOMPARE(uitest::control<QComboBox>(w, "cbBandRate")->currentText(), QString("  7200"));
    QCOMPARE(port->tried, std::vector<int>({4800, 7200}));
    QCOMPARE(port->openCount, 2);
    QVERIFY(records.link.isOpen());
    // No wait is spent listening at a rate the port refused.
    QCOMPARE(fake.sleeps(), std::vector<int>({700}));
}

// A receiver of four systems at 115200 sends a second's burst of over 3000 bytes at once; the
// scan must read it like the receive loop does, not discard it as a stale backlog.
void ConnectTest::autoScanFindsAFastReceiverSendingMoreThanAThousandBytes()
{
    ScriptedMessageBoxes boxes;
    FakeClock fake;
    ClockOverride use(fake);
    auto backend = std::make_unique<FakePortBackend>();
    FakePortBackend* port = backend.get();
    // One burst a second: the 700 ms after a discard would have heard nothing.
    bool sent = false;
    fake.onSleep = [&](int ms) {
        if (ms == 700 && port->lastRate == 115200 && !sent)
            port->pushIncoming(test::fourSystemSecond());
        sent = sent || port->lastRate == 115200;
    };
    ProgramRecords records;
    Tgpsw w(records);
    records.link = SerialLink(std::move(backend));
    QTest::mouseClick(uitest::control<QPushButton>(w, "btAutoscan"), Qt::LeftButton);

    QVERIFY(!boxes.texts().contains("Don't find GPS"));
    QCOMPARE(uitest::control<QComboBox>(w, "cbBandRate")->currentText(), QString("115200"));
    QCOMPARE(uitest::control<QPushButton>(w, "btStart")->text(), QString("Off"));
    QCOMPARE(port->purgeCount, 0);
    // Silence at the seven slower rates could have been a receiver between bursts.
    std::vector<int> listened;
    for (int rate = 0; rate < 7; ++rate)
        listened.insert(listened.end(), {700, 400});
    listened.push_back(700);
    QCOMPARE(fake.sleeps(), listened);
}

void ConnectTest::autoScanClosesAnOpenLinkFirst()
{
    PortMap ports;
    ScriptedMessageBoxes boxes;
    FakeClock fake;
    ClockOverride use(fake);
    auto backend = std::make_unique<FakePortBackend>();
    FakePortBackend* port = backend.get();
    ProgramRecords records;
    Tgpsw w(records);
    records.link = SerialLink(std::move(backend));
    QVERIFY(records.link.openPort("  COM5"));
    port->failOpen = true;
    w.btAutoscanClick();
    QCOMPARE(port->closeCount, 1);
    QCOMPARE(fake.sleeps(), std::vector<int>({1000}));
    QCOMPARE(boxes.last().text, QString("Don't find GPS"));
}

void ConnectTest::unpluggedReceiverIsReportedEveryTickAndANewStartWorks()
{
    PortMap ports;
    auto first = startSimulator();
    ports.map(3, first->devicePath());
    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw w(records);
    w.show();
    uitest::control<QComboBox>(w, "cbBandRate")->setCurrentIndex(2);
    QTest::mouseClick(uitest::control<QPushButton>(w, "btStart"), Qt::LeftButton);
    verifyConnectedLayout(w);
    QTRY_COMPARE_WITH_TIMEOUT(uitest::control<QLineEdit>(w, "td_mode")->text(), QString("  3D"), kFixLimitMs);

    first->unplug();
    uitest::control<QTimer>(w, "Timer1")->stop();
    w.Timer1Timer(); // may still take bytes that were on their way
    for (int tick = 1; tick <= 3; ++tick) {
        const int before = memoLines(w).count(kNoData);
        w.Timer1Timer();
        QCOMPARE(memoLines(w).count(kNoData), before + 1);
        for (QPushButton* button :
             {uitest::control<QPushButton>(w, "bt_cold"), uitest::control<QPushButton>(w, "bt_point"),
              uitest::control<QPushButton>(w, "bt_refresh"), uitest::control<QPushButton>(w, "bt_savelog"),
              uitest::control<QPushButton>(w, "bt_revision")})
            QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
        QVERIFY(uitest::control<QTimer>(w, "Timer1")->isActive());
    }
    QCOMPARE(uitest::control<QPushButton>(w, "btStart")->text(), QString("Off"));

    QTest::mouseClick(uitest::control<QPushButton>(w, "btStart"), Qt::LeftButton);
    verifyIdleLayout(w);
    first.reset();
    auto second = startSimulator();
    ports.map(3, second->devicePath());
    QTest::mouseClick(uitest::control<QPushButton>(w, "btStart"), Qt::LeftButton);
    verifyConnectedLayout(w);
    QTRY_COMPARE_WITH_TIMEOUT(uitest::control<QLineEdit>(w, "td_mode")->text(), QString("  3D"), kFixLimitMs);
    QCOMPARE(uitest::control<QLineEdit>(w, "td_alti")->text(), QString("    56.3M"));
    QVERIFY(uitest::control<QPushButton>(w, "bt_cold")->isEnabled());
    QCOMPARE(boxes.count(), 1);
}

NORVANE_UI_TEST_MAIN(ConnectTest)
#include "connect_test.moc"
