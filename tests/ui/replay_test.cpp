// Replaying recordings in the main window: a four-system recording replayed at "max" ends
// showing, and logging, exactly what a live run of the same bytes through the receive loop
// does; the Position Accuracy window surveys it as it goes and whole at its end; Pause holds,
// Step feeds one burst; a recording that goes away ends the replay with a message; Ctrl+O works
// only while idle and opens where the last recording was.

#include "replay/replay_pacing.h"
#include "serial/clock.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/file_contents.h"
#include "ui/support/controls.h"
#include "ui/support/program_windows.h"
#include "ui/support/ui_test_main.h"
#include "view/ui/sky_picture.h"
#include "view/ui/snr_chart.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace norvane;
using uitest::control;
using uitest::RecordedBox;

namespace {

const QString kFourSystems = QStringLiteral(NORVANE_TEST_DATA_DIR "/sim_four_systems.nmea");
const QString kColdStart = QStringLiteral(NORVANE_TEST_DATA_DIR "/sim_cold_start.nmea");

// What the window shows when the bytes have gone through: the fix panel, the identification
// fields and what the sky plot and the SNR chart tell a screen reader.
QStringList shown(const Tgpsw& window)
{
    QStringList texts;
    for (const char* field : {"td_mode", "td_ttff", "td_pdop", "td_date", "td_time", "td_lati_sat",
                              "td_longi_sat", "td_alti", "td_speed", "td_vers1", "td_vers2", "td_vers3"})
        texts << QString("%1=%2").arg(field, control<QLineEdit>(window, field)->text());
    texts << control<SkyPicture>(window, "Image1")->accessibleDescription();
    texts << control<SnrChart>(window, "Chart1")->accessibleDescription();
    return texts;
}

// The program's windows, on `port` when one is given, in a directory of their own.
struct ReplayWindows : uitest::ProgramWindows {
    explicit ReplayWindows(std::unique_ptr<PortBackend> port = nullptr) : ProgramWindows(std::move(port))
    {
        QDir::setCurrent(dir.path());
        gpsw->show();
        gpsw->activateWindow();
    }
    ~ReplayWindows() { QDir::setCurrent(QDir::tempPath()); }

    QWidget* replayWindow() const { return control<QWidget>(*gpsw, "Replay"); }
    QString state() const { return control<QLabel>(*gpsw, "lb_state")->text(); }
    QString position() const { return control<QLabel>(*gpsw, "lb_position")->text(); }
    QPushButton* button(const char* name) const { return control<QPushButton>(*gpsw, name); }
    QByteArray log() const
    {
        return QByteArray::fromStdString(
            test::fileContents(QDir(dir.path()).filePath("gpslog.txt").toStdString()));
    }

    QTemporaryDir dir;
};

} // namespace

class ReplayTest : public QObject {
    Q_OBJECT

private slots:
    void replayAtMaxShowsAndLogsWhatALiveRunOfTheSameBytesDoes();
    void pauseHoldsStepFeedsOneBurstAndADeletedRecordingEndsTheReplay();
};

void ReplayTest::replayAtMaxShowsAndLogsWhatALiveRunOfTheSameBytesDoes()
{
    QStringList live;
    QByteArray liveLog;
    {
        FakeClock clock;
        ClockOverride useClock(clock);
        auto backend = std::make_unique<FakePortBackend>();
        FakePortBackend* port = backend.get();
        ReplayWindows w(std::move(backend));
        uitest::choose(*w.gpsw, "cbBandRate", "115200");
        w.button("btStart")->click();
        w.button("bt_savelog")->click();
        for (const std::string& second : test::recordedSeconds("sim_four_systems.nmea")) {
            port->pushIncoming(second);
            w.gpsw->Timer1Timer();
            control<QTimer>(*w.gpsw, "Timer1")->stop();
        }
        w.button("bt_savelog")->click();
        live = shown(*w.gpsw);
        liveLog = w.log();
    }
    QVERIFY(live.join('\n').contains("td_mode=  3D"));
    QVERIFY(liveLog.count("$GNGGA") == 6);

    ReplayWindows w;
    // Open before the replay, the Position Accuracy window surveys it.
    QWidget& accuracy = w.ownWindow("PositionAccuracy");
    w.gpsw->showAccuracyWindow();
    w.gpsw->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.gpsw.get()));
    const QString startFolder = QDir::currentPath();
    w.boxes.chooseNext(kFourSystems);
    QTest::keyClick(w.gpsw.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(w.boxes.last().kind, RecordedBox::Kind::ChooseFile);
    QCOMPARE(w.boxes.last().caption, startFolder);
    QVERIFY(w.replayWindow()->isVisible());
    QCOMPARE(w.button("btStart")->text(), QString("Off"));
    // Nothing would hear a restart, a query or a download; the log and the view point work.
    for (const char* name :
         {"bt_cold", "bt_warm", "bt_hot", "Button1", "bt_revision", "bt_refresh", "bt_test"})
        QVERIFY2(!w.button(name)->isEnabled(), name);
    QVERIFY(w.button("bt_savelog")->isEnabled() && w.button("bt_point")->isEnabled());
    w.button("bt_savelog")->click();
    QTest::keyClick(control<QComboBox>(*w.gpsw, "cb_speed"), Qt::Key_End);
    QCOMPARE(control<QComboBox>(*w.gpsw, "cb_speed")->currentText(), QString("max"));

    QTRY_COMPARE_WITH_TIMEOUT(w.state(), QString("Replay finished"), 20000);
    w.button("bt_savelog")->click();
    QCOMPARE(shown(*w.gpsw), live);
    QCOMPARE(w.log(), liveLog);
    QVERIFY(control<QPlainTextEdit>(*w.gpsw, "Memo1")->toPlainText().endsWith("\nReplay finished"));
    QCOMPARE(w.position(), QString("burst 6 of about 6, 12:00:06 UTC"));
    // Every fix in, though the replay took less than the second between two refreshes.
    QCOMPARE(control<QLabel>(accuracy, "td_fixes")->text(), QString("6"));

    // Ctrl+O does nothing while a replay runs, even a finished one; after Off the dialog opens
    // where the recording was.
    const int boxes = w.boxes.count();
    QTest::keyClick(w.gpsw.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(w.boxes.count(), boxes);
    w.button("btStart")->click();
    QCOMPARE(w.button("btStart")->text(), QString("Start"));
    QVERIFY(!w.replayWindow()->isVisible());
    QVERIFY(w.button("bt_warm")->isEnabled() && w.button("bt_test")->isEnabled());
    QTest::keyClick(w.gpsw.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(w.boxes.last().kind, RecordedBox::Kind::ChooseFile);
    QCOMPARE(w.boxes.last().caption, QString(NORVANE_TEST_DATA_DIR));
    QCOMPARE(w.button("btStart")->text(), QString("Start"));
}

// A recording that goes away while it is replayed ends the replay with a message that says
// which file and why; the window goes on.
void ReplayTest::pauseHoldsStepFeedsOneBurstAndADeletedRecordingEndsTheReplay()
{
    ReplayWindows w;
    const QString copy = w.dir.filePath("cold start.nmea");
    QVERIFY(QFile::copy(kColdStart, copy));
    QWidget& accuracy = w.ownWindow("PositionAccuracy");
    w.gpsw->showAccuracyWindow();
    QVERIFY(w.gpsw->startReplay(copy, 1));
    w.button("bt_pause")->click();
    QCOMPARE(w.button("bt_pause")->accessibleName(), QString("Resume"));
    QTest::qWait(300);
    QCOMPARE(w.position(), QString("burst 0"));
    QCOMPARE(w.gpsw->memoLineCount(), 0);

    // The first burst: the first second and the identification lines after it; the last of
    // its sentences waits for the next '$', as on a line.
    w.button("bt_step")->click();
    QVERIFY2(w.position().startsWith("burst 1 of about ") && w.position().endsWith(", 12:00:05 UTC"),
             qPrintable(w.position()));
    QCOMPARE(control<QLineEdit>(*w.gpsw, "td_time")->text(), QString("20:00:05"));
    QCOMPARE(w.gpsw->memoLineCount(), 9);
    QCOMPARE(control<QLabel>(accuracy, "td_fixes")->text(), QString("1")); // a first refresh is due at once
    w.button("bt_step")->click();
    QVERIFY2(w.position().startsWith("burst 2 of about ") && w.position().endsWith(", 12:00:06 UTC"),
             qPrintable(w.position()));
    // The receiver has lost its fix: no longitude to shift the time by.
    QCOMPARE(control<QLineEdit>(*w.gpsw, "td_time")->text(), QString("12:00:06"));
    QCOMPARE(w.gpsw->memoLineCount(), 13);
    // A tick's end enables the receiver's buttons on a line; not in a replay.
    for (const char* name : {"bt_cold", "bt_refresh", "bt_revision"})
        QVERIFY2(!w.button(name)->isEnabled(), name);

    QVERIFY(QFile::remove(copy));
    w.button("bt_step")->click();
    QCOMPARE(w.boxes.last().text,
             "Cannot replay \"" + copy + "\": the file was deleted while it was being replayed.");
    QCOMPARE(w.button("btStart")->text(), QString("Start"));
    QVERIFY(!w.replayWindow()->isVisible());
    QVERIFY(w.button("bt_warm")->isEnabled());
    QVERIFY(w.gpsw->startReplay(kFourSystems, kReplayMax));
    QTRY_COMPARE_WITH_TIMEOUT(w.state(), QString("Replay finished"), 20000);
}

NORVANE_UI_TEST_MAIN(ReplayTest)
#include "replay_test.moc"
