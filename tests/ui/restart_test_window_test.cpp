// The restart test window: its controls, the runs driven through the tick step against a
// simulated receive loop, and the main window's side of it (bt_test, the restart commands and,
// when the simulator can be started, a whole run against it).

#include "app/Mpgs.h"
#include "control/restart_test_simulated_receiver.h"
#include "control/ui/Testgps.h"
#include "serial/clock.h"
#include "sim/simulator.h"
#include "support/fake_clock.h"
#include "ui/support/controls.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/simulator_on_com3.h"
#include "ui/support/ui_test_main.h"
#include "view/ui/Vp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

using namespace norvane;

namespace {

// The simulated receive loop as the window's host; the window owns it, the test keeps a pointer.
struct HostedWindow {
    HostedWindow()
    {
        auto owned = std::make_unique<SimulatedReceiver>();
        receiver = owned.get();
        window.setHost(std::move(owned));
        receiver->tickStep = [this](int bytesRead) { window.tickStep(bytesRead); };
        window.resetTestButtons(true);
    }

    TFtest window;
    SimulatedReceiver* receiver = nullptr;
};

struct ButtonState {
    bool visible;
    bool enabled;
    bool operator==(const ButtonState&) const = default;
};

ButtonState stateOf(QPushButton* button)
{
    return {!button->isHidden(), button->isEnabled()};
}

constexpr ButtonState kShown{true, true};
constexpr ButtonState kHidden{false, true};
constexpr ButtonState kRunning{true, false};
constexpr ButtonState kClosed{false, false};

} // namespace

class RestartTestWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void windowFollowsItsControlTable();
    void workedExampleOfAHotRun();
    void automaticRunGoesColdThenHotAndStartsOverOnTheNextReceiver();
    void autoWithNoBoxCheckedAsksForOne();
    void leavingAFieldCorrectsItsRange_data();
    void leavingAFieldCorrectsItsRange();
    void btTestOpensPlacesAndClosesTheWindow();
    void closingMidCycleStopsTheMeasurement();
    void aRunSurvivesAWindowManagerCloseAndADownloadPause();
    void hotRunAgainstTheSimulatorShowsAnAverage();
    void keysOpenTheTestWindowAndAskForTheRevision();

private:
    QTemporaryDir workDir_; // every run writes its CSV into the working directory
};

void RestartTestWindowTest::initTestCase()
{
    QVERIFY(workDir_.isValid());
    QVERIFY(QDir::setCurrent(workDir_.path()));
}

void RestartTestWindowTest::windowFollowsItsControlTable()
{
    TFtest window;
    QCOMPARE(window.objectName(), QString("Ftest"));
    QCOMPARE(window.windowTitle(), QString("Test Window"));
    QCOMPARE(window.size(), QSize(202, 196));
    QCOMPARE(window.minimumSize(), QSize(202, 196)); // never smaller, but it may grow
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(!(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint)));
    QCOMPARE(window.font().pixelSize(), 11);

    struct Row {
        const char* name;
        const char* className;
        const char* text;
        QRect place;
        int pixels;
    };
    const Row rows[] = {
        {"Label1", "QLabel", "Cycles ", {8, 11, 52, 16}, 13},
        {"Label2", "QLabel", "Wait Time", {8, 39, 71, 16}, 13},
        {"ed_cycles", "QLineEdit", "1", {80, 8, 49, 24}, 13},
        {"ed_waittime", "QLineEdit", "1", {80, 38, 49, 24}, 13},
        {"bt_auto", "QPushButton", "Auto", {138, 6, 55, 41}, 13},
        {"Checkhot", "QCheckBox", "", {23, 61, 14, 19}, 11},
        {"Checkwarm", "QCheckBox", "", {86, 61, 17, 19}, 11},
        {"Checkcold", "QCheckBox", "", {154, 61, 17, 19}, 11},
        {"bt_hot", "QPushButton", "Hot", {6, 80, 49, 33}, 13},
        {"bt_warm", "QPushButton", "Warm", {71, 80, 48, 33}, 13},
        {"bt_cold", "QPushButton", "Cold", {136, 80, 50, 33}, 13},
        {"ed_hot1", "QLineEdit", "", {5, 112, 49, 28}, 16},
        {"ed_warm1", "QLineEdit", "", {70, 112, 49, 28}, 16},
        {"ed_cold1", "QLineEdit", "", {137, 112, 49, 28}, 16},
        {"ed_hota", "QLineEdit", "", {6, 143, 49, 28}, 16},
        {"ed_warma", "QLineEdit", "", {70, 144, 49, 28}, 16},
        {"ed_colda", "QLineEdit", "", {137, 143, 49, 28}, 16},
    };
    for (const Row& row : rows) {
        auto* control = window.findChild<QWidget*>(row.name);
        QVERIFY2(control, row.name);
        QCOMPARE(control->metaObject()->className(), row.className);
        QCOMPARE(control->geometry(), row.place);
        QCOMPARE(control->font().pixelSize(), row.pixels);
        QCOMPARE(control->font().bold(), row.pixels != 11);
        const QVariant text = control->property("text");
        QCOMPARE(text.toString(), QString(row.text));
    }
    QVERIFY(!uitest::control<QCheckBox>(window, "Checkhot")->isChecked() &&
            !uitest::control<QCheckBox>(window, "Checkwarm")->isChecked() &&
            !uitest::control<QCheckBox>(window, "Checkcold")->isChecked());

    QLabel* message = uitest::control<QLabel>(window, "lb_testmes");
    QCOMPARE(message->objectName(), QString("lb_testmes"));
    QCOMPARE(message->text(), QString());
    QCOMPARE(message->pos(), QPoint(5, 174));
    QCOMPARE(message->font().pixelSize(), 16);
    QVERIFY(message->font().bold());
    QCOMPARE(message->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    uitest::control<QCheckBox>(window, "Checkcold")->setChecked(false);
    uitest::control<QPushButton>(window, "bt_auto")->click();
    QCOMPARE(message->text(), QString("Must choos one,please"));
    QCOMPARE(message->width(), message->sizeHint().width());
}

// Cycle count 3, wait 10, fixes after 30, 31 and 31 ticks: 30, then 30 (61 / 2), then 30.6.
void RestartTestWindowTest::workedExampleOfAHotRun()
{
    HostedWindow hosted;
    TFtest& w = hosted.window;
    SimulatedReceiver& receiver = *hosted.receiver;
    receiver.ttffs = {30, 31, 31};
    uitest::control<QLineEdit>(w, "ed_cycles")->setText("3");
    uitest::control<QLineEdit>(w, "ed_waittime")->setText("10");
    uitest::control<QLineEdit>(w, "ed_warma")->setText("12.0");

    uitest::control<QPushButton>(w, "bt_hot")->click();
    QCOMPARE(uitest::control<QLabel>(w, "lb_testmes")->text(), QString("Cycles : 1"));
    QCOMPARE(stateOf(uitest::control<QPushButton>(w, "bt_hot")), kRunning);
    QCOMPARE(stateOf(uitest::control<QPushButton>(w, "bt_warm")).visible, false);
    QCOMPARE(stateOf(uitest::control<QPushButton>(w, "bt_cold")).visible, false);
    QCOMPARE(stateOf(uitest::control<QPushButton>(w, "bt_auto")), kHidden);

    receiver.tick(12);
    QCOMPARE(uitest::control<QLineEdit>(w, "ed_hot1")->text(), QString("12"));
    receiver.tick(27);
    QCOMPARE(uitest::control<QLineEdit>(w, "ed_hot1")->text(), QString("30"));
    QCOMPARE(uitest::control<QLineEdit>(w, "ed_hota")->text(), QString());
    receiver.tick();
    QCOMPARE(uitest::control<QLineEdit>(w, "ed_hota")->text(), QString("30"));
    QCOMPARE(uitest::control<QLabel>(w, "lb_testmes")->text(), QString("Cycles : 2"));

    receiver.tick(41);
    QCOMPARE(uitest::control<QLineEdit>(w, "ed_hot1")->text(), QString("31"));
    QCOMPARE(uitest::control<QLineEdit>(w, "ed_hota")->text(), QString("30"));
    QCOMPARE(uitest::control<QLabel>(w, "lb_testmes")->text(), QString("Cycles : 3"));

    receiver.tick(40);
    QCOMPARE(uitest::control<QLabel>(w, "lb_testmes")->text(), QString("Cycles : 3"));
    receiver.tick();
    QCOMPARE(uitest::control<QLineEdit>(w, "ed_hota")->text(), QString("30.6"));
    QCOMPARE(w.test().total(RestartKind::Hot), 306);
    QCOMPARE(uitest::control<QLabel>(w, "lb_testmes")->text(), QString());
    for (QPushButton* button :
         {uitest::control<QPushButton>(w, "bt_hot"), uitest::control<QPushButton>(w, "bt_warm"),
          uitest::control<QPushButton>(w, "bt_cold"), uitest::control<QPushButton>(w, "bt_auto")})
        QCOMPARE(stateOf(button), kShown);
    QCOMPARE(receiver.restarts.size(), std::size_t(3));
    QCOMPARE(uitest::control<QLineEdit>(w, "ed_warma")->text(), QString("12.0"));

    receiver.tick(5);
    QCOMPARE(receiver.restarts.size(), std::size_t(3));
}

void RestartTestWindowTest::automaticRunGoesColdThenHotAndStartsOverOnTheNextReceiver()
{
    HostedWindow hosted;
    TFtest& w = hosted.window;
    SimulatedReceiver& receiver = *hosted.receiver;
    receiver.ttffs = {5, 6, 2, 3, 7};
    uitest::control<QLineEdit>(w, "ed_cycles")->setText("2");
    uitest::control<QLineEdit>(w, "ed_waittime")->setText("3");
    uitest::control<QCheckBox>(w, "Checkcold")->setChecked(true);
    uitest::control<QCheckBox>(w, "Checkhot")->setChecked(true);

    uitest::control<QPushButton>(w, "bt_auto")->click();
    QCOMPARE(uitest::control<QLabel>(w, "lb_testmes")->text(), QString("AUTO Cold Cycles : 1"));
    QCOMPARE(stateOf(uitest::control<QPushButton>(w, "bt_auto")), ButtonState({true, false}));
    QCOMPARE(stateOf(uitest::control<QPushButton>(w, "bt_cold")), kRunning);
    QVERIFY(uitest::control<QPushButton>(w, "bt_warm")->isHidden() &&
            uitest::control<QPushButton>(w, "bt_hot")->isHidden());
    QVERIFY(!uitest::control<QCheckBox>(w, "Checkcold")->isChecked());

    receiver.tick(8);
    QCOMPARE(uitest::control<QLabel>(w, "lb_testmes")->text(), QString("AUTO Cold Cycles 2"));
    QCOMPARE(uitest::control<QLineEdit>(w, "ed_colda")->text(), QString("5"));
    receiver.tick(9);
    QCOMPARE(uitest::control<QLineEdit>(w, "ed_colda")->text(), QString(" 5.5"));
    QCOMPARE(uitest::control<QLabel>(w, "lb_testmes")->text(), QString("AUTO Hot Cycles 1"));
    QVERIFY(uitest::control<QCheckBox>(w, "Checkcold")->isChecked());
    QVERIFY(!uitest::control<QCheckBox>(w, "Checkhot")->isChecked());
    QCOMPARE(stateOf(uitest::control<QPushButton>(w, "bt_cold")), kHidden);
    QCOMPARE(stateOf(uitest::control<QPushButton>(w, "bt_warm")), kHidden);
    QCOMPARE(stateOf(uitest::control<QPushButton>(w, "bt_hot")), kRunning);

    receiver.tick(5);
    QCOMPARE(uitest::control<QLabel>(w, "lb_testmes")->text(), QString("AUTO Hot Cycles 2"));
    QCOMPARE(uitest::control<QLineEdit>(w, "ed_hota")->text(), QString("2"));
    receiver.tick(6);
    QCOMPARE(uitest::control<QLineEdit>(w, "ed_hota")->text(), QString(" 2.5"));
    QCOMPARE(uitest::control<QLabel>(w, "lb_testmes")->text(), QString("change module."));
    QVERIFY(uitest::control<QCheckBox>(w, "Checkcold")->isChecked() &&
            uitest::control<QCheckBox>(w, "Checkhot")->isChecked() &&
            !uitest::control<QCheckBox>(w, "Checkwarm")->isChecked());
    QCOMPARE(stateOf(uitest::control<QPushButton>(w, "bt_hot")), kRunning);
    QCOMPARE(stateOf(uitest::control<QPushButton>(w, "bt_auto")), ButtonState({true, false}));
    QCOMPARE(receiver.restarts, (std::vector<RestartKind>{RestartKind::Cold, RestartKind::Cold,
                                                          RestartKind::Hot, RestartKind::Hot}));

    receiver.tick(3);
    QCOMPARE(uitest::control<QLabel>(w, "lb_testmes")->text(), QString("change module."));
    receiver.sendsData = false;
    receiver.tick();
    QCOMPARE(uitest::control<QLabel>(w, "lb_testmes")->text(), QString("Stand by."));
    receiver.tick(2);
    QCOMPARE(uitest::control<QLabel>(w, "lb_testmes")->text(), QString("Stand by."));
    QCOMPARE(receiver.restarts.size(), std::size_t(4));

    receiver.sendsData = true;
    receiver.tick();
    QCOMPARE(uitest::control<QLabel>(w, "lb_testmes")->text(), QString("AUTO Cold Cycles 1"));
    QCOMPARE(receiver.restarts.back(), RestartKind::Cold);
    for (RestartKind kind : kAutoOrder)
        QCOMPARE(w.test().total(kind), 0);
    QCOMPARE(w.test().completedCycles(), 0);
    QVERIFY(!uitest::control<QCheckBox>(w, "Checkcold")->isChecked() &&
            uitest::control<QCheckBox>(w, "Checkhot")->isChecked());
    QCOMPARE(stateOf(uitest::control<QPushButton>(w, "bt_cold")), kRunning);
    QCOMPARE(stateOf(uitest::control<QPushButton>(w, "bt_hot")), kHidden);
    QCOMPARE(stateOf(uitest::control<QPushButton>(w, "bt_auto")), ButtonState({true, false}));
    receiver.tick(4);
    QCOMPARE(uitest::control<QLineEdit>(w, "ed_cold1")->text(), QString("4"));
}

void RestartTestWindowTest::autoWithNoBoxCheckedAsksForOne()
{
    HostedWindow hosted;
    TFtest& w = hosted.window;
    uitest::control<QPushButton>(w, "bt_auto")->click();
    QCOMPARE(uitest::control<QLabel>(w, "lb_testmes")->text(), QString("Must choos one,please"));
    for (QPushButton* button :
         {uitest::control<QPushButton>(w, "bt_hot"), uitest::control<QPushButton>(w, "bt_warm"),
          uitest::control<QPushButton>(w, "bt_cold"), uitest::control<QPushButton>(w, "bt_auto")})
        QCOMPARE(stateOf(button), kShown);
    QVERIFY(hosted.receiver->restarts.empty());
}

void RestartTestWindowTest::leavingAFieldCorrectsItsRange_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("zero") << "0"
                          << "1";
    QTest::newRow("negative") << "-5"
                              << "1";
    QTest::newRow("letters") << "abc"
                             << "1";
    QTest::newRow("above") << "20000"
                           << "10000";
    QTest::newRow("maximum") << "10000"
                             << "10000";
    QTest::newRow("inside") << "250"
                            << "250";
}

void RestartTestWindowTest::leavingAFieldCorrectsItsRange()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    TFtest window;
    window.resetTestButtons(true);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    for (QLineEdit* field : {uitest::control<QLineEdit>(window, "ed_cycles"),
                             uitest::control<QLineEdit>(window, "ed_waittime")}) {
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        field->selectAll();
        QTest::keyClicks(field, typed);
        QCOMPARE(field->text(), typed);
        uitest::control<QPushButton>(window, "bt_auto")->setFocus();
        QTRY_VERIFY(!field->hasFocus());
        QCOMPARE(field->text(), kept);
    }
}

void RestartTestWindowTest::btTestOpensPlacesAndClosesTheWindow()
{
    uitest::ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw gpsw(records);
    Tviewp viewp;
    TFtest ftest;
    gpsw.attachWindows(&viewp, &ftest);
    gpsw.move(150, 120);

    QCOMPARE(uitest::control<QPushButton>(gpsw, "bt_test")->text(), QString("Test"));
    uitest::control<QPushButton>(gpsw, "bt_test")->click();
    QCOMPARE(uitest::control<QPushButton>(gpsw, "bt_test")->text(), QString("Testing"));
    QVERIFY(ftest.isVisible());
    QCOMPARE(ftest.frameGeometry().topLeft(), gpsw.frameGeometry().topLeft() + QPoint(200, 295));
    QCOMPARE(ftest.frameGeometry().size(), QSize(200, 230));
    for (QPushButton* button :
         {uitest::control<QPushButton>(ftest, "bt_hot"), uitest::control<QPushButton>(ftest, "bt_warm"),
          uitest::control<QPushButton>(ftest, "bt_cold"), uitest::control<QPushButton>(ftest, "bt_auto")})
        QCOMPARE(stateOf(button), kShown);
    QCOMPARE(uitest::control<QLabel>(ftest, "lb_testmes")->text(), QString());

    uitest::control<QPushButton>(gpsw, "bt_test")->click();
    QCOMPARE(uitest::control<QPushButton>(gpsw, "bt_test")->text(), QString("Test"));
    QVERIFY(!ftest.isVisible());
    for (QPushButton* button :
         {uitest::control<QPushButton>(ftest, "bt_hot"), uitest::control<QPushButton>(ftest, "bt_warm"),
          uitest::control<QPushButton>(ftest, "bt_cold"), uitest::control<QPushButton>(ftest, "bt_auto")})
        QCOMPARE(stateOf(button), kClosed);
}

// The second family's restart needs no answer: its reset of the main window sets the TTFF
// tick counter to 0 and the fix mode to '0' whatever the receiver does, which lets the real
// main window run a cycle without a port.
void RestartTestWindowTest::closingMidCycleStopsTheMeasurement()
{
    FakeClock fakeClock;
    ClockOverride useFakeClock(fakeClock);
    uitest::ScriptedMessageBoxes boxes;
    boxes.answerNext(QuestionAnswer::Second);
    ProgramRecords records;
    Tgpsw gpsw(records);
    Tviewp viewp;
    TFtest ftest;
    gpsw.attachWindows(&viewp, &ftest);
    QCOMPARE(records.receiver.state.receiver_family, kLumoFamily);

    auto receiveLoopTick = [&](char fixMode) {
        records.receiver.state.fix_mode = fixMode;
        if (fixMode != '3')
            uitest::control<QLineEdit>(gpsw, "td_ttff")
                ->setText(QString::number(++records.receiver.ttffTicks));
        gpsw.restartTestTick(300);
    };

    uitest::control<QPushButton>(gpsw, "bt_test")->click();
    uitest::control<QLineEdit>(ftest, "ed_cycles")->setText("2");
    uitest::control<QLineEdit>(ftest, "ed_waittime")->setText("2");
    records.receiver.ttffTicks = 50;
    records.receiver.state.fix_mode = '3';
    uitest::control<QPushButton>(ftest, "bt_warm")->click();
    QCOMPARE(records.receiver.ttffTicks, 0);
    QCOMPARE(records.receiver.state.fix_mode, '0');
    QCOMPARE(uitest::control<QLabel>(ftest, "lb_testmes")->text(), QString("Cycles : 1"));

    for (int i = 0; i < 4; ++i)
        receiveLoopTick('1');
    receiveLoopTick('3');
    QCOMPARE(uitest::control<QLineEdit>(ftest, "ed_warm1")->text(), QString("4"));
    QCOMPARE(records.receiver.ttffTicks, 5);

    uitest::control<QPushButton>(gpsw, "bt_test")->click();
    for (int i = 0; i < 10; ++i)
        receiveLoopTick('3');
    QCOMPARE(records.receiver.ttffTicks, 5);
    QCOMPARE(uitest::control<QLineEdit>(ftest, "ed_warma")->text(), QString());
    QCOMPARE(uitest::control<QLineEdit>(gpsw, "td_ttff")->text(), QString("4"));
    receiveLoopTick('1');
    QCOMPARE(uitest::control<QLineEdit>(ftest, "ed_warm1")->text(), QString("4"));

    uitest::control<QPushButton>(gpsw, "bt_test")->click();
    QCOMPARE(uitest::control<QLabel>(ftest, "lb_testmes")->text(), QString());
    for (QPushButton* button :
         {uitest::control<QPushButton>(ftest, "bt_hot"), uitest::control<QPushButton>(ftest, "bt_warm"),
          uitest::control<QPushButton>(ftest, "bt_cold"), uitest::control<QPushButton>(ftest, "bt_auto")})
        QCOMPARE(stateOf(button), kShown);
}

// A hot single run of two cycles against the simulator on a fast clock: the simulator runs
// twenty times faster and so does the receive loop, so each tick is still a receiver second.
// The program's own waits keep the real clock, so a busy machine cannot make the
// acknowledgement arrive after its deadline.
// Only bt_test closes the window. While a download has the port the window is disabled; the run
// it shows takes no click and keeps its state.
void RestartTestWindowTest::aRunSurvivesAWindowManagerCloseAndADownloadPause()
{
    HostedWindow hosted;
    TFtest& w = hosted.window;
    w.show();
    uitest::control<QPushButton>(w, "bt_hot")->click();
    QVERIFY(!w.close());
    w.setEnabled(false);
    w.bt_coldClick();
    hosted.receiver->tick(12);
    QCOMPARE(uitest::control<QLineEdit>(w, "ed_warm1")->text(), QString()); // hot alone is running
    w.setEnabled(true);
    QCOMPARE(hosted.receiver->restarts.size(), std::size_t(1));
    QCOMPARE(stateOf(uitest::control<QPushButton>(w, "bt_auto")), kHidden);
}

void RestartTestWindowTest::hotRunAgainstTheSimulatorShowsAnAverage()
{
    constexpr double kSpeedup = 20;
    sim::SimulatorOptions options;
    options.speed = kSpeedup;
    uitest::SimulatorOnCom3 receiver(options);
    if (!receiver.started())
        QSKIP(qPrintable(receiver.whyNotStarted()));

    uitest::ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw gpsw(records);
    Tviewp viewp;
    TFtest ftest;
    gpsw.attachWindows(&viewp, &ftest);
    boxes.clear();
    uitest::control<QComboBox>(gpsw, "cbComPort")
        ->setCurrentIndex(uitest::control<QComboBox>(gpsw, "cbComPort")->findText("  COM3"));
    uitest::control<QComboBox>(gpsw, "cbBandRate")
        ->setCurrentIndex(uitest::control<QComboBox>(gpsw, "cbBandRate")->findText("  9600"));
    uitest::control<QPushButton>(gpsw, "btStart")->click();
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(uitest::control<QPushButton>(gpsw, "btStart")->text(), QString("Off"));
    uitest::control<QTimer>(gpsw, "Timer1")->setInterval(static_cast<int>(1000 / kSpeedup));

    uitest::control<QPushButton>(gpsw, "bt_test")->click();
    uitest::control<QLineEdit>(ftest, "ed_cycles")->setText("2");
    uitest::control<QLineEdit>(ftest, "ed_waittime")->setText("2");
    uitest::control<QPushButton>(ftest, "bt_hot")->click();
    QTRY_VERIFY_WITH_TIMEOUT(uitest::control<QLineEdit>(ftest, "ed_hota")->text().contains('.'), 120000);

    QCOMPARE(uitest::control<QLabel>(ftest, "lb_testmes")->text(), QString());
    QCOMPARE(stateOf(uitest::control<QPushButton>(ftest, "bt_hot")), kShown);
    QCOMPARE(receiver.simulator().restartsSeen(), 2);
    QCOMPARE(uitest::control<QPlainTextEdit>(gpsw, "Memo1")->toPlainText().count("Hot Start Success."), 2);
    // How many ticks a re-acquisition takes depends on how busy the machine is; the shape of
    // the final average does not.
    QVERIFY2(QRegularExpression("^[ 0-9][0-9]\\.[0-9]$")
                 .match(uitest::control<QLineEdit>(ftest, "ed_hota")->text())
                 .hasMatch(),
             qPrintable(uitest::control<QLineEdit>(ftest, "ed_hota")->text()));
    QVERIFY(!uitest::control<QLineEdit>(ftest, "ed_hot1")->text().isEmpty());

    // Beside the count in ticks, each cycle measured from its command to the fix sentence: the
    // results window shows the rows the run's CSV keeps, and the summary counts them.
    auto* cycles = uitest::control<QTableWidget>(ftest, "tb_cycles");
    QVERIFY(uitest::control<QWidget>(ftest, "TtffResults")->isVisible());
    QCOMPARE(cycles->rowCount(), 2);
    const QString csvText = uitest::control<QLabel>(ftest, "lb_csvfile")->text();
    QVERIFY2(csvText.startsWith("CSV: norvane-ttff-"), qPrintable(csvText));
    QFile csv(csvText.mid(5));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromLatin1(csv.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), 3);
    for (int row = 0; row < 2; ++row) {
        QStringList shown;
        for (int column = 0; column < cycles->columnCount(); ++column)
            shown << (cycles->item(row, column) ? cycles->item(row, column)->text() : QString());
        QCOMPARE(shown.join(','), rows[row + 1]);
        // Under a decimal-comma locale a number written the desktop's way would split its field.
        QCOMPARE(rows[row + 1].split(',').size(), cycles->columnCount());
        QCOMPARE(shown[5], QString("ok"));
        QCOMPARE(shown[4], QString("1"));
    }
    QCOMPARE(uitest::control<QTableWidget>(ftest, "tb_summary")->item(0, 1)->text(), QString("2"));
    uitest::control<QPushButton>(gpsw, "btStart")->click();
}

// Ctrl+T opens the test window but never closes it; Ctrl+R sends the revision query only while
// the second family's bt_revision is there to press.
void RestartTestWindowTest::keysOpenTheTestWindowAndAskForTheRevision()
{
    for (const auto family : {QuestionAnswer::First, QuestionAnswer::Second}) {
        FakeClock fakeClock(5000);
        ClockOverride useFakeClock(fakeClock);
        uitest::ScriptedMessageBoxes boxes;
        boxes.answerNext(family);
        ProgramRecords records;
        Tgpsw gpsw(records);
        Tviewp viewp;
        TFtest ftest;
        gpsw.attachWindows(&viewp, &ftest);
        gpsw.show();
        gpsw.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&gpsw));

        QTest::keyClick(&gpsw, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(uitest::control<QPushButton>(gpsw, "bt_test")->text(), QString("Testing"));
        QVERIFY(ftest.isVisible());
        gpsw.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&gpsw));
        QTest::keyClick(&gpsw, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(uitest::control<QPushButton>(gpsw, "bt_test")->text(), QString("Testing"));

        gpsw.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&gpsw));
        QTest::keyClick(&gpsw, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(records.link.lastWriteMs(), family == QuestionAnswer::Second ? 5000 : 0);
        uitest::control<QPushButton>(gpsw, "bt_test")->click();
    }
}

NORVANE_UI_TEST_MAIN(RestartTestWindowTest)
#include "restart_test_window_test.moc"
