// Receive-loop ticks with the main window shown: a tick only marks what it changed, the window
// paints each changed view once when the event loop next runs, and what it then shows is what
// a full repaint of the window shows. A click handled inside a tick has the last word on Timer1,
// ticks without data keep the message log within its bound, and during a fixed wait the window
// paints while a click waits for the wait's end.

#include "app/Mpgs.h"
#include "serial/clock.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/nmea_sentence.h"
#include "ui/support/controls.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/ui_test_main.h"
#include "upgrade/firmware_samples.h"
#include "upgrade/upgrade_session.h"
#include "view/ui/sky_picture.h"
#include "view/ui/snr_chart.h"

#include <QGuiApplication>
#include <QHash>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <string>
#include <utility>

using namespace norvane;

namespace {

using test::nmeaLine;

// One second of a receiver with a 3D fix; `second` moves the clock, the satellites and their
// signals, so that two seconds differ in every view.
std::string changingBurst(int second)
{
    const std::string time = "1200" + std::to_string(10 + second) + ".000";
    const int snr = 30 + second;
    const std::string sat = second % 2 == 0 ? "24,55,279," : "25,40,120,";
    return nmeaLine("GPGGA," + time + ",2459.2057,N,12130.1234,E,1,04,1.0,56.3,M,15.2,M,,") +
           nmeaLine("GPGSA,A,3,05,07,10,13,,,,,,,,,1.9,1.0,1.5") +
           nmeaLine("GPGSV,2,1,06,05,12,038," + std::to_string(snr) +
                    ",07,27,069,32,10,44,108,36,13,54,135,36") +
           nmeaLine("GPGSV,2,2,06," + sat + std::to_string(snr + 5) + ",29,75,329,44") +
           nmeaLine("GPRMC," + time + ",A,2459.2057,N,12130.1234,E,0.00,0.00,191007,,,A");
}

// Counts the paint events each widget receives.
class PaintCounter : public QObject {
public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    int paints(const QObject* widget) const { return paints_.value(widget); }
    void reset() { paints_.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints_[watched];
        return false;
    }

private:
    QHash<const QObject*, int> paints_;
};

// The main window shown and started on a fake port, its timer stopped so that the test runs
// the ticks.
struct StartedWindow {
    StartedWindow()
    {
        auto backend = std::make_unique<FakePortBackend>();
        port = backend.get();
        records.link = SerialLink(std::move(backend));
        window.show();
        uitest::control<QPushButton>(window, "btStart")->click();
        uitest::control<QTimer>(window, "Timer1")->stop();
        QCoreApplication::processEvents();
    }

    void tick(const std::string& bytes)
    {
        port->pushIncoming(bytes);
        window.Timer1Timer();
    }

    // The window as the screen has it, against the window painted afresh as a whole.
    void verifyShownAsAFullRepaint()
    {
        const QImage shown = QGuiApplication::primaryScreen()->grabWindow(window.winId()).toImage();
        const QImage full = window.grab().toImage();
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), full.convertToFormat(QImage::Format_RGB32));
    }

    uitest::ScriptedMessageBoxes boxes;
    FakeClock clock;
    ClockOverride useClock{clock};
    FakePortBackend* port = nullptr;
    ProgramRecords records;
    Tgpsw window{records};
};

} // namespace

class TickPaintingTest : public QObject {
    Q_OBJECT

private slots:
    void tickPaintsEachChangedViewOnceAfterIt();
    void clickWaitingDuringATickIsHandledInIt();
    void clickInsideATickKeepsTimer1Off_data();
    void clickInsideATickKeepsTimer1Off();
    void ticksWithoutDataKeepTheLogWithin501Lines();
    void aFixedWaitPaintsAndLeavesTheClickForAfterIt();
};

void TickPaintingTest::tickPaintsEachChangedViewOnceAfterIt()
{
    StartedWindow started;
    Tgpsw& window = started.window;
    PaintCounter counter;
    // Two different seconds: the chart and the sky plot are updated four times in the tick,
    // and the window shows the last.
    started.tick(changingBurst(0) + changingBurst(1));
    const QList<const QWidget*> views{uitest::control<SnrChart>(window, "Chart1"),
                                      uitest::control<SkyPicture>(window, "Image1"),
                                      uitest::control<SkyPicture>(window, "Image2"),
                                      uitest::control<QPlainTextEdit>(window, "Memo1")->viewport()};
    for (const QWidget* view : views)
        QCOMPARE(counter.paints(view), 0);

    QCoreApplication::processEvents();
    for (const QWidget* view : views)
        QVERIFY2(counter.paints(view) == 1, qPrintable(view->objectName()));
    started.verifyShownAsAFullRepaint();
    QCOMPARE(uitest::control<SnrChart>(window, "Chart1")->bars().at(0).height, 31.0);

    // Between ticks the window goes on painting what changes.
    counter.reset();
    uitest::control<QLineEdit>(window, "td_ttff")->setText("12");
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints(uitest::control<QLineEdit>(window, "td_ttff")), 1);
    started.verifyShownAsAFullRepaint();
}

void TickPaintingTest::clickWaitingDuringATickIsHandledInIt()
{
    StartedWindow started;
    Tgpsw& window = started.window;
    QCOMPARE(uitest::control<QPushButton>(window, "btStart")->text(), QString("Off"));
    QMetaObject::invokeMethod(uitest::control<QPushButton>(window, "btStart"), &QPushButton::click,
                              Qt::QueuedConnection);
    started.tick(changingBurst(0));
    QCOMPARE(uitest::control<QPushButton>(window, "btStart")->text(), QString("Start"));
}

void TickPaintingTest::clickInsideATickKeepsTimer1Off_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Off") << "btStart";
    QTest::newRow("Upgrade") << "bt_refresh";
}

// Off and Upgrade switch the receive loop off from inside the tick (the SNR chart update lets
// the click run); the end of the tick must not switch it on again, or it would read the port
// idle or beside the download.
void TickPaintingTest::clickInsideATickKeepsTimer1Off()
{
    QFETCH(QString, button);
    upgradetest::TempDirectory files;
    // Upgrade reads its files from the working directory; both come back however the test ends.
    struct Restore {
        std::filesystem::path previous = std::filesystem::current_path();
        ~Restore()
        {
            upgradeSession().clear();
            std::filesystem::current_path(previous);
        }
    } restore;
    std::filesystem::current_path(files.path());
    upgradetest::writeFile(files / "flash.srec", upgradetest::withCrLf(upgradetest::loaderRecords(5)));
    upgradetest::writeFile(files / "prom.bin", upgradetest::imageBytes(9000));
    upgradeSession().clear();
    {
        StartedWindow started;
        Tgpsw& window = started.window;
        QMetaObject::invokeMethod(uitest::control<QPushButton>(window, qPrintable(button)),
                                  &QPushButton::click, Qt::QueuedConnection);
        started.tick(changingBurst(0));
        QVERIFY(!uitest::control<QTimer>(window, "Timer1")->isActive());
        const bool upgrade = button == "bt_refresh";
        QCOMPARE(uitest::control<QTimer>(window, "Timer2")->isActive(), upgrade);
        QCOMPARE(upgradeSession().running, upgrade);
        QCOMPARE(started.records.link.isOpen(), upgrade);

        // Nothing more is read by the receive loop, whatever arrives.
        uitest::control<QTimer>(window, "Timer2")->stop();
        started.port->pushIncoming(changingBurst(1));
        QCoreApplication::processEvents();
        QCOMPARE(started.port->incomingCount(), changingBurst(1).size());
        QVERIFY(!uitest::control<QTimer>(window, "Timer1")->isActive());
    }
}

// Unplugged, every tick adds its "no data" line and no sentence ever comes to clear the log.
void TickPaintingTest::ticksWithoutDataKeepTheLogWithin501Lines()
{
    StartedWindow started;
    started.port->unplugged = true;
    int most = 0;
    for (int tick = 0; tick < 600; ++tick) {
        started.window.Timer1Timer();
        most = qMax(most, started.window.memoLineCount());
    }
    QCOMPARE(most, 501);
    QCOMPARE(started.window.memoLineCount(), 99);
}

// A hot restart that the receiver never acknowledges waits its 3 seconds: what changes meanwhile
// is painted, and a click that comes meanwhile (here Off) is handled only after the wait.
void TickPaintingTest::aFixedWaitPaintsAndLeavesTheClickForAfterIt()
{
    StartedWindow started;
    Tgpsw& window = started.window;
    auto* ttff = uitest::control<QLineEdit>(window, "td_ttff");
    auto* start = uitest::control<QPushButton>(window, "btStart");
    PaintCounter counter;
    started.clock.autoAdvanceMs = 10;
    int paintsDuringWait = 0;
    QString captionDuringWait;
    bool waiting = false;
    started.clock.onSleep = [&](int) {
        if (!std::exchange(waiting, true)) {
            ttff->setText("34");
            QMetaObject::invokeMethod(start, &QPushButton::click, Qt::QueuedConnection);
        } else {
            paintsDuringWait = counter.paints(ttff);
            captionDuringWait = start->text();
        }
    };
    window.bt_hotClick();

    QVERIFY(started.clock.sleeps().size() > 2);
    QCOMPARE(paintsDuringWait, 1);
    QCOMPARE(captionDuringWait, QString("Off"));
    QVERIFY(uitest::control<QPlainTextEdit>(window, "Memo1")->toPlainText().endsWith("Hot Start fail."));
    QCOMPARE(start->text(), QString("Off"));
    QCoreApplication::processEvents();
    QCOMPARE(start->text(), QString("Start"));
}

NORVANE_UI_TEST_MAIN(TickPaintingTest)
#include "tick_painting_test.moc"
