// The receiver's device goes away in the middle of a firmware download: between two image
// blocks, and inside the tick that switches the line to the download rate. The download must end
// by itself with its failure report instead of waiting for ever, and a new download on a new
// receiver behind the same COM name must go through.

#include "serial/clock.h"
#include "serial/serial_link.h"
#include "sim/simulator.h"
#include "upgrade/download_tick.h"
#include "upgrade/firmware_samples.h"
#include "upgrade/recording_upgrade_host.h"
#include "upgrade/upgrade_start.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace norvane::test {
namespace {

using upgradetest::RecordingUpgradeHost;

// The download's one-second waits pass twenty times faster; a hook sees each of them.
class HookedClock : public ScaledClock {
public:
    HookedClock() : ScaledClock(20) {}
    void sleepMs(int ms) override
    {
        if (onSleep)
            onSleep(ms);
        ScaledClock::sleepMs(ms);
    }
    std::function<void(int ms)> onSleep;
};

class UnplugDuringDownload : public ::testing::Test {
protected:
    void SetUp() override
    {
        upgradetest::writeFile(files / kLoaderFileName,
                               upgradetest::withCrLf(upgradetest::loaderRecords(40)));
        image = upgradetest::imageBytes(3 * 8192 + 100);
        upgradetest::writeFile(files / kImageFileName, image);
    }

    bool plugIn()
    {
        sim::SimulatorOptions options;
        options.pacing = false;
        options.speed = 4;
        simulator = std::make_unique<sim::Simulator>(options);
        if (!simulator->start())
            return false;
        setenv("NORVANE_COM76", simulator->devicePath().c_str(), 1);
        link.closePort();
        return link.openLink("COM76", "9600");
    }

    void TearDown() override
    {
        link.closePort();
        simulator.reset();
        unsetenv("NORVANE_COM76");
    }

    // Timer2 ticks, each `pauseMs` of real time apart while the receiver is there to answer.
    // `beforeTick` may pull the plug. Returns the ticks run; stops at a safety limit.
    int runDownload(const std::function<void()>& beforeTick = nullptr, int pauseMs = 100)
    {
        int ticks = 0;
        while (host.downloadTimerOn && ticks < 2000) {
            if (beforeTick)
                beforeTick();
            downloadTick(context);
            ++ticks;
            if (simulator)
                SystemClock().sleepMs(pauseMs);
        }
        return ticks;
    }

    void expectFailureReported(const std::string& box, const std::string& rawLog)
    {
        EXPECT_FALSE(host.downloadTimerOn);
        EXPECT_EQ(host.boxes, std::vector<std::string>{box});
        ASSERT_FALSE(host.memo.empty());
        EXPECT_EQ(host.memo.back(), box);
        ASSERT_FALSE(host.rawLog.empty());
        EXPECT_EQ(host.rawLog.back(), rawLog);
        EXPECT_EQ(session->state, kStateStopped);
    }

    // Start again on a new receiver: the files are read afresh and the whole image arrives.
    void expectDownloadOnANewReceiver()
    {
        ASSERT_TRUE(plugIn()) << simulator->lastError();
        host = RecordingUpgradeHost{};
        startUpgrade(context);
        ASSERT_TRUE(host.downloadTimerOn) << (host.boxes.empty() ? "" : host.boxes.front());
        runDownload();
        ASSERT_FALSE(host.downloadTimerOn);
        EXPECT_TRUE(host.boxes.empty()) << host.boxes.front();
        ASSERT_GE(host.memo.size(), 2u);
        EXPECT_EQ(host.memo.back(), "Change baudrate......");
        EXPECT_TRUE(simulator->downloadFinished());
        EXPECT_EQ(simulator->receivedImage(), image);
        EXPECT_TRUE(host.receiveLoopOn);
    }

    upgradetest::TempDirectory files;
    std::vector<std::uint8_t> image;
    HookedClock clock;
    ClockOverride useClock{clock};
    SerialLink link;
    ReceiveBuffer buffer{};
    std::string sentenceText;
    RecordingUpgradeHost host;
    std::unique_ptr<UpgradeSession> session = std::make_unique<UpgradeSession>();
    UpgradeContext context{*session, link, buffer, sentenceText, host, files.path()};
    std::unique_ptr<sim::Simulator> simulator;
};

TEST_F(UnplugDuringDownload, PulledBetweenImageBlocksTheDownloadGivesUp)
{
    ASSERT_TRUE(plugIn()) << simulator->lastError();
    startUpgrade(context);
    ASSERT_TRUE(host.downloadTimerOn);

    // After the first block has gone out, before the receiver's "OK" is read.
    runDownload([&] {
        if (simulator && session->state == kStateAwaitBlockAck && session->imageBytesDone > 0) {
            simulator->unplug();
            simulator.reset();
        }
    });
    EXPECT_EQ(simulator, nullptr) << "the download ended before its second block";
    expectFailureReported("5.bin files fales", "5.binsize command fales\n");

    expectDownloadOnANewReceiver();
}

TEST_F(UnplugDuringDownload, PulledWhileTheLineSwitchesRateTheDownloadGivesUp)
{
    ASSERT_TRUE(plugIn()) << simulator->lastError();
    startUpgrade(context);
    ASSERT_TRUE(host.downloadTimerOn);

    // The first of the rate switch's one-second waits, inside its tick.
    clock.onSleep = [&](int ms) {
        if (ms == 1000 && simulator) {
            simulator->unplug();
            simulator.reset();
        }
    };
    runDownload();
    clock.onSleep = nullptr;
    EXPECT_EQ(simulator, nullptr) << "the download never reached the rate switch";
    expectFailureReported("5.bin files fales", "5.binsize command fales\n");

    expectDownloadOnANewReceiver();
}

} // namespace
} // namespace norvane::test
