// The Upgrade button end to end: the main window downloads a loader and an image into the
// simulated receiver over a pseudo-terminal, and the receive loop takes over again afterwards.

#include "app/Mpgs.h"
#include "control/ui/Testgps.h"
#include "serial/clock.h"
#include "sim/simulator.h"
#include "ui/support/controls.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/ui_test_main.h"
#include "upgrade/firmware_samples.h"
#include "upgrade/upgrade_session.h"
#include "view/ui/Vp.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

using namespace norvane;

namespace {

// Waits pass twenty times faster; after each, hook sees how long it was.
class HookedClock : public ScaledClock {
public:
    HookedClock() : ScaledClock(20) {}
    void sleepMs(int ms) override
    {
        ScaledClock::sleepMs(ms);
        if (afterSleep)
            afterSleep(ms);
    }
    std::function<void(int ms)> afterSleep;
};

// A Vexa window connected through COM3 at 9600 baud to a fresh simulator, with "flash.srec"
// and "prom.bin" in the working directory.
class UpgradeRig {
public:
    explicit UpgradeRig(sim::DownloadOptions download, std::size_t imageSize = 200000)
    {
        previousDirectory = std::filesystem::current_path();
        std::filesystem::current_path(files.path());
        upgradetest::writeFile(files / "flash.srec", upgradetest::withCrLf(upgradetest::loaderRecords(65)));
        image = upgradetest::imageBytes(imageSize);
        upgradetest::writeFile(files / "prom.bin", image);
        upgradeSession().clear();

        sim::SimulatorOptions options;
        options.pacing = false;
        // One burst a second: the receive loop's one-second tick then finds less than its
        // 1000-byte limit waiting and decodes instead of discarding.
        options.speed = 1;
        options.download = download;
        simulator = std::make_unique<sim::Simulator>(options);
        started = simulator->start();
        if (!started)
            return;
        qputenv("NORVANE_COM3", QByteArray::fromStdString(simulator->devicePath()));
        boxes.answerNext(QuestionAnswer::First);
        window = std::make_unique<Tgpsw>(records);
        uitest::control<QComboBox>(window, "cbComPort")
            ->setCurrentIndex(uitest::control<QComboBox>(window, "cbComPort")->findText("  COM3"));
        uitest::control<QComboBox>(window, "cbBandRate")
            ->setCurrentIndex(uitest::control<QComboBox>(window, "cbBandRate")->findText("  9600"));
        window->btStartClick();
        connected =
            uitest::control<QPushButton>(window, "btStart")->text() == QLatin1String("Off") &&
            QTest::qWaitFor([&] { return uitest::control<QPushButton>(window, "bt_refresh")->isEnabled(); },
                            5000);
        boxes.clear(); // the family question
        // A third of the production interval: the waiting states still allow the simulator's
        // thread 1.5 s and more to answer on a busy machine.
        uitest::control<QTimer>(window, "Timer2")->setInterval(100);
    }

    ~UpgradeRig()
    {
        window.reset();
        simulator.reset();
        qunsetenv("NORVANE_COM3");
        std::filesystem::current_path(previousDirectory);
    }

    // Clicks Upgrade and lets the window run until the download has ended.
    bool upgrade()
    {
        uitest::control<QPushButton>(window, "bt_refresh")->click();
        return QTest::qWaitFor([&] { return !uitest::control<QTimer>(window, "Timer2")->isActive(); }, 60000);
    }

    QStringList memoLines() const
    {
        return uitest::control<QPlainTextEdit>(window, "Memo1")->toPlainText().split('\n');
    }

    upgradetest::TempDirectory files;
    std::filesystem::path previousDirectory;
    std::vector<std::uint8_t> image;
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

} // namespace

class UpgradeTest : public QObject {
    Q_OBJECT

private slots:
    void loaderAndImageGoThroughAndTheReceiveLoopResumes();
    void silentBlockAcknowledgementEndsTheDownload();
    void otherPortUsersAreRefusedWhileTheImageGoesThrough();
    void offStopsTheDownloadBeforeItDisconnects();
};

void UpgradeTest::loaderAndImageGoThroughAndTheReceiveLoopResumes()
{
    UpgradeRig rig({});
    REQUIRE_CONNECTED(rig);
    HookedClock clock;
    ClockOverride useClock(clock);
    QList<int> ratesAfterLongWaits;
    clock.afterSleep = [&](int ms) {
        if (ms == 1000)
            ratesAfterLongWaits << rig.simulator->lineRate();
    };

    QVERIFY(rig.upgrade());

    const QStringList memo = rig.memoLines();
    QVERIFY2(memo.size() >= 2, qPrintable(memo.join('|')));
    QCOMPARE(memo.mid(memo.size() - 2), (QStringList{"Write bin file OK", "Change baudrate......"}));
    QVERIFY(memo.contains("Open flashscrc OK"));
    QVERIFY(memo.contains("Write flash OK ."));
    QVERIFY(rig.boxes.texts().isEmpty());
    // Two waits at 115200 while switching, one after going back to the user's rate.
    QCOMPARE(ratesAfterLongWaits, (QList<int>{115200, 115200, 9600}));
    QVERIFY(rig.simulator->downloadFinished());
    QVERIFY(rig.simulator->receivedImage() == rig.image);
    QCOMPARE(upgradeSession().state, kStateSendRequest);
    QVERIFY(!uitest::control<QLabel>(rig.window, "lb_pres")->isVisible());
    QVERIFY(uitest::control<QTimer>(rig.window, "Timer1")->isActive());

    // The new firmware talks NMEA at 9600 again and the receive loop decodes it.
    QVERIFY(QTest::qWaitFor(
        [&] { return rig.memoLines().filter(QRegularExpression("^\\$GPGGA")).size() > 0; }, 10000));
    QVERIFY(QTest::qWaitFor(
        [&] { return uitest::control<QPushButton>(rig.window, "bt_refresh")->isEnabled(); }, 5000));
}

void UpgradeTest::silentBlockAcknowledgementEndsTheDownload()
{
    UpgradeRig rig({.silentAt = sim::DownloadStep::Block});
    REQUIRE_CONNECTED(rig);
    HookedClock clock;
    ClockOverride useClock(clock);

    QVERIFY(rig.upgrade());

    QCOMPARE(rig.memoLines().last(), QString("5.bin files fales"));
    QCOMPARE(rig.boxes.texts(), QStringList{"5.bin files fales"});
    QCOMPARE(rig.boxes.last().caption, QString());
    QVERIFY(rig.boxes.last().hadOwner);
    QCOMPARE(upgradeSession().state, kStateStopped);
    QVERIFY(!uitest::control<QTimer>(rig.window, "Timer1")->isActive());
    QVERIFY(!uitest::control<QPushButton>(rig.window, "bt_refresh")->isEnabled());
    QVERIFY(!rig.simulator->downloadFinished());
    QCOMPARE(rig.simulator->receivedImage().size(), std::size_t{8192});
}

// WarmStart, HotStart, Revision, Button1 and the test window's Hot, pressed again and again
// while the download runs (their handlers called too, as a click that got through would):
// none of them reaches the port, and the image arrives whole.
void UpgradeTest::otherPortUsersAreRefusedWhileTheImageGoesThrough()
{
    UpgradeRig rig({}, 3 * 8192 + 100);
    REQUIRE_CONNECTED(rig);
    HookedClock clock;
    ClockOverride useClock(clock);
    Tviewp viewp;
    TFtest ftest;
    rig.window->attachWindows(&viewp, &ftest);
    rig.window->bt_testClick();
    auto* lbPres = uitest::control<QLabel>(rig.window, "lb_pres");
    const char* const portUsers[] = {"bt_cold", "bt_warm", "bt_hot", "Button1", "bt_revision"};

    int presses = 0;
    bool refused = true, captionFits = true;
    QTimer presser;
    QObject::connect(&presser, &QTimer::timeout, [&] {
        if (!upgradeSession().running)
            return;
        ++presses;
        for (const char* name : portUsers)
            refused = refused && !uitest::control<QPushButton>(rig.window, name)->isEnabled();
        refused = refused && !ftest.isEnabled() &&
                  uitest::control<QPushButton>(rig.window, "bt_savelog")->isEnabled();
        rig.window->bt_warmClick();
        rig.window->bt_hotClick();
        rig.window->bt_revisionClick();
        rig.window->Button1Click();
        ftest.bt_hotClick();
        captionFits =
            captionFits && lbPres->width() >= lbPres->fontMetrics().horizontalAdvance(lbPres->text());
    });
    presser.start(15);
    QVERIFY(rig.upgrade());
    presser.stop();

    QVERIFY(presses >= 5);
    QVERIFY2(refused, "port users disabled, SaveLog not");
    QVERIFY2(captionFits, "lb_pres is as wide as its progress text");
    QCOMPARE(rig.memoLines().mid(rig.memoLines().size() - 2),
             (QStringList{"Write bin file OK", "Change baudrate......"}));
    QVERIFY(rig.memoLines().filter(QRegularExpression("Start")).isEmpty());
    QVERIFY(rig.simulator->receivedImage() == rig.image);
    QCOMPARE(uitest::control<QLabel>(ftest, "lb_testmes")->text(), QString()); // no run started
    QVERIFY(uitest::control<QPushButton>(rig.window, "bt_warm")->isEnabled() && ftest.isEnabled());
}

void UpgradeTest::offStopsTheDownloadBeforeItDisconnects()
{
    UpgradeRig rig({}, 3 * 8192 + 100);
    REQUIRE_CONNECTED(rig);
    HookedClock clock;
    ClockOverride useClock(clock);
    uitest::control<QPushButton>(rig.window, "bt_refresh")->click();
    QVERIFY(QTest::qWaitFor([] { return upgradeSession().state == kStateAwaitBlockAck; }, 20000));

    rig.window->btStartClick();
    QVERIFY(!uitest::control<QTimer>(rig.window, "Timer2")->isActive());
    QVERIFY(!uitest::control<QTimer>(rig.window, "Timer1")->isActive());
    QVERIFY(!rig.records.link.isOpen());
    QCOMPARE(rig.memoLines(), QStringList{"5.Download stopped by Off"});
    QVERIFY(rig.boxes.texts().isEmpty());
    QCOMPARE(upgradeSession().state, kStateStopped);
    QVERIFY(uitest::control<QPushButton>(rig.window, "bt_warm")->isEnabled());
    QTest::qWait(250); // what would have been the next download ticks
    QVERIFY(!uitest::control<QTimer>(rig.window, "Timer2")->isActive());
}

NORVANE_UI_TEST_MAIN(UpgradeTest)
#include "upgrade_test.moc"
