// The ColdStart, WarmStart and HotStart buttons of the main window against the simulated
// receiver on a pseudo-terminal, for both receiver families, and the two query buttons.

#include "app/Mpgs.h"
#include "serial/clock.h"
#include "sim/simulator.h"
#include "ui/support/controls.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/ui_test_main.h"
#include "view/ui/snr_chart.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

using namespace norvane;

namespace {

enum class Restart { Cold, Warm, Hot };

// Waits for the simulator's thread without letting the window handle events, so that no
// receive-loop tick changes what the test is about to look at.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000)
{
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

// A main window connected to a fresh simulator through COM3 at 9600 baud.
class ConnectedWindow {
public:
    ConnectedWindow(bool answerFrames, QuestionAnswer family)
    {
        sim::SimulatorOptions options;
        options.answerFrames = answerFrames;
        simulator = std::make_unique<sim::Simulator>(options);
        started = simulator->start();
        if (!started)
            return;
        qputenv("NORVANE_COM3", QByteArray::fromStdString(simulator->devicePath()));
        boxes.answerNext(family);
        window = std::make_unique<Tgpsw>(records);
        uitest::control<QComboBox>(window, "cbComPort")
            ->setCurrentIndex(uitest::control<QComboBox>(window, "cbComPort")->findText("  COM3"));
        uitest::control<QComboBox>(window, "cbBandRate")
            ->setCurrentIndex(uitest::control<QComboBox>(window, "cbBandRate")->findText("  9600"));
        // The half second the link lets a freshly opened port settle passes in a twentieth.
        ScaledClock fastClock(10);
        ClockOverride useFastClock(fastClock);
        window->btStartClick();
        connected = uitest::control<QPushButton>(window, "btStart")->text() == QLatin1String("Off");
    }

    ~ConnectedWindow()
    {
        window.reset();
        qunsetenv("NORVANE_COM3");
    }

    // What an earlier run left on the display, for the restart to clear or keep.
    void fillDisplay()
    {
        window->memoAddLine("earlier line");
        uitest::control<QLineEdit>(window, "td_vers1")->setText("kernel 1");
        uitest::control<QLineEdit>(window, "td_vers2")->setText("kernel 2");
        uitest::control<QLineEdit>(window, "td_vers3")->setText("kernel 3");
        uitest::control<SnrChart>(window, "Chart1")->addBar(ChartBar{1, 40, "7", Qt::blue});
        records.receiver.ttffTicks = 25;
    }

    void click(Restart restart)
    {
        switch (restart) {
        case Restart::Cold:
            window->bt_coldClick();
            break;
        case Restart::Warm:
            window->bt_warmClick();
            break;
        case Restart::Hot:
            window->bt_hotClick();
            break;
        }
    }

    QStringList memoLines() const
    {
        const QString text = uitest::control<QPlainTextEdit>(window, "Memo1")->toPlainText();
        return text.isEmpty() ? QStringList() : text.split('\n');
    }

    uitest::ScriptedMessageBoxes boxes;
    std::unique_ptr<sim::Simulator> simulator;
    ProgramRecords records;
    std::unique_ptr<Tgpsw> window;
    bool started = false;
    bool connected = false;
};

#define REQUIRE_CONNECTED(rig)                                                                               \
    do {                                                                                                     \
        if (!(rig).started)                                                                                  \
            QSKIP(qPrintable("the simulator cannot start here: " +                                           \
                             QString::fromStdString((rig).simulator->lastError())));                         \
        QVERIFY((rig).connected);                                                                            \
    } while (false)

void addRestartRows(const char* cold, const char* warm, const char* hot)
{
    QTest::addColumn<Restart>("restart");
    QTest::addColumn<QString>("text");
    QTest::newRow("cold") << Restart::Cold << QString(cold);
    QTest::newRow("warm") << Restart::Warm << QString(warm);
    QTest::newRow("hot") << Restart::Hot << QString(hot);
}

} // namespace

Q_DECLARE_METATYPE(Restart)

class RestartCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void acknowledgedVexaRestartClearsTheDisplay_data();
    void acknowledgedVexaRestartClearsTheDisplay();
    void unansweredVexaRestartOnlyReportsTheFailure_data();
    void unansweredVexaRestartOnlyReportsTheFailure();
    void unansweredColdRestartKeepsARunningTimer1Running();
    void lumoRestartResetsTheMainWindow_data();
    void lumoRestartResetsTheMainWindow();
    void queryButtonsSendTheirFrames();
};

void RestartCommandsTest::acknowledgedVexaRestartClearsTheDisplay_data()
{
    addRestartRows("Cold Start Success.", "Warm Start Success.", "Hot Start Success.");
}

void RestartCommandsTest::acknowledgedVexaRestartClearsTheDisplay()
{
    QFETCH(Restart, restart);
    QFETCH(QString, text);
    ConnectedWindow rig(true, QuestionAnswer::First);
    REQUIRE_CONNECTED(rig);
    rig.fillDisplay();
    uitest::control<QTimer>(rig.window, "Timer1")->stop();

    rig.click(restart);

    QCOMPARE(rig.memoLines(), (QStringList{"earlier line", text}));
    QVERIFY(uitest::control<QTimer>(rig.window, "Timer1")->isActive());
    QVERIFY(uitest::control<QPushButton>(rig.window, "bt_cold")->isEnabled());
    QVERIFY(uitest::control<QPushButton>(rig.window, "bt_warm")->isEnabled());
    QVERIFY(uitest::control<QPushButton>(rig.window, "bt_hot")->isEnabled());
    QCOMPARE(uitest::control<QLineEdit>(rig.window, "td_vers1")->text(), QString());
    QCOMPARE(uitest::control<QLineEdit>(rig.window, "td_vers2")->text(), QString());
    QCOMPARE(uitest::control<QLineEdit>(rig.window, "td_vers3")->text(), QString());
    QVERIFY(uitest::control<SnrChart>(rig.window, "Chart1")->bars().isEmpty());
    QCOMPARE(rig.records.receiver.ttffTicks, 0);
    QCOMPARE(rig.records.receiver.state.fix_mode, '0');
    QVERIFY(waitFor([&] { return rig.simulator->restartsSeen() == 1; }));
}

void RestartCommandsTest::unansweredVexaRestartOnlyReportsTheFailure_data()
{
    addRestartRows("Cold Start fail", "Warm Start fail.", "Hot Start fail.");
}

void RestartCommandsTest::unansweredVexaRestartOnlyReportsTheFailure()
{
    QFETCH(Restart, restart);
    QFETCH(QString, text);
    ConnectedWindow rig(false, QuestionAnswer::First);
    REQUIRE_CONNECTED(rig);
    rig.fillDisplay();
    uitest::control<QTimer>(rig.window, "Timer1")->stop();
    // Three seconds of silence pass in a tenth of a second.
    ScaledClock fastClock(30);
    ClockOverride useFastClock(fastClock);

    rig.click(restart);

    QCOMPARE(rig.memoLines(), (QStringList{"earlier line", text}));
    // A failed cold restart leaves the receive loop as it found it; warm and hot restart it.
    QCOMPARE(uitest::control<QTimer>(rig.window, "Timer1")->isActive(), restart != Restart::Cold);
    QVERIFY(uitest::control<QPushButton>(rig.window, "bt_cold")->isEnabled());
    QCOMPARE(uitest::control<QLineEdit>(rig.window, "td_vers1")->text(), QString("kernel 1"));
    QCOMPARE(uitest::control<SnrChart>(rig.window, "Chart1")->bars().size(), 1);
    QCOMPARE(rig.records.receiver.ttffTicks, 25);
    QCOMPARE(rig.simulator->restartsSeen(), 0);
}

void RestartCommandsTest::unansweredColdRestartKeepsARunningTimer1Running()
{
    ConnectedWindow rig(false, QuestionAnswer::First);
    REQUIRE_CONNECTED(rig);
    QVERIFY(uitest::control<QTimer>(rig.window, "Timer1")->isActive());
    ScaledClock fastClock(30);
    ClockOverride useFastClock(fastClock);

    rig.window->bt_coldClick();

    QVERIFY(uitest::control<QTimer>(rig.window, "Timer1")->isActive());
    QCOMPARE(rig.memoLines(), QStringList{"Cold Start fail"});
}

void RestartCommandsTest::lumoRestartResetsTheMainWindow_data()
{
    QTest::addColumn<Restart>("restart");
    QTest::newRow("cold") << Restart::Cold;
    QTest::newRow("warm") << Restart::Warm;
    QTest::newRow("hot") << Restart::Hot;
}

void RestartCommandsTest::lumoRestartResetsTheMainWindow()
{
    QFETCH(Restart, restart);
    ConnectedWindow rig(true, QuestionAnswer::Second);
    REQUIRE_CONNECTED(rig);
    QCOMPARE(rig.records.receiver.state.receiver_family, kLumoFamily);
    rig.fillDisplay();
    uitest::control<QTimer>(rig.window, "Timer1")->stop();
    ScaledClock fastClock(10);
    ClockOverride useFastClock(fastClock);

    rig.click(restart);

    QCOMPARE(rig.memoLines(), QStringList());
    QVERIFY(uitest::control<QTimer>(rig.window, "Timer1")->isActive());
    QVERIFY(uitest::control<QPushButton>(rig.window, "bt_cold")->isEnabled());
    QCOMPARE(uitest::control<QLineEdit>(rig.window, "td_vers1")->text(), QString());
    QVERIFY(uitest::control<SnrChart>(rig.window, "Chart1")->bars().isEmpty());
    QCOMPARE(rig.records.receiver.ttffTicks, 0);
    QVERIFY(waitFor([&] { return rig.simulator->restartsSeen() == 1; }));
}

void RestartCommandsTest::queryButtonsSendTheirFrames()
{
    ConnectedWindow rig(true, QuestionAnswer::First);
    REQUIRE_CONNECTED(rig);
    const sim::SimulatorCounters before = rig.simulator->counters();

    rig.window->Button1Click();
    QVERIFY(waitFor([&] { return rig.simulator->counters().framesAnswered == before.framesAnswered + 1; }));
    rig.window->bt_revisionClick();
    QVERIFY(waitFor([&] { return rig.simulator->counters().framesAnswered == before.framesAnswered + 2; }));

    QCOMPARE(rig.simulator->counters().framesRejected, before.framesRejected);
    QCOMPARE(rig.simulator->restartsSeen(), 0);
    QCOMPARE(rig.memoLines(), QStringList());
}

NORVANE_UI_TEST_MAIN(RestartCommandsTest)
#include "restart_commands_test.moc"
