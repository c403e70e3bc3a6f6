// A receiver that never enters its download mode but keeps sending its sentences: the download
// must give up through its own failure within its limit, and an "OK" the receiver said before
// the request must not pass for the answer to it.

#include "serial/clock.h"
#include "serial/serial_link.h"
#include "sim/simulator.h"
#include "support/fake_clock.h"
#include "upgrade/download_tick.h"
#include "upgrade/firmware_samples.h"
#include "upgrade/recording_upgrade_host.h"
#include "upgrade/upgrade_start.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace norvane::test {
namespace {

TEST(DownloadAgainstAChattyReceiver, GivesUpWaitingForTheReadyAnswerWithinItsLimit)
{
    for (const bool okInBanner : {false, true}) {
        SCOPED_TRACE(okInBanner ? "\"OK\" in a sentence before the request" : "sentences without end");
        upgradetest::TempDirectory files;
        upgradetest::writeFile(files / kLoaderFileName,
                               upgradetest::withCrLf(upgradetest::loaderRecords(10)));
        upgradetest::writeFile(files / kImageFileName, upgradetest::imageBytes(9000));
        FakeClock clock;
        ClockOverride useClock{clock};

        sim::SimulatorOptions options;
        options.pacing = false;
        options.speed = 60; // a burst every 17 ms: every tick below reads sentences
        options.okInBanner = okInBanner;
        options.download.silentAt = sim::DownloadStep::Request;
        sim::Simulator simulator(options);
        ASSERT_TRUE(simulator.start()) << simulator.lastError();
        setenv("NORVANE_COM77", simulator.devicePath().c_str(), 1);
        SerialLink link;
        ASSERT_TRUE(link.openLink("COM77", "9600"));
        SystemClock().sleepMs(100); // the banners, and the first sentences, are waiting

        ReceiveBuffer buffer{};
        std::string sentenceText;
        upgradetest::RecordingUpgradeHost host;
        UpgradeSession session;
        UpgradeContext context{session, link, buffer, sentenceText, host, files.path()};
        startUpgrade(context);
        int ticks = 0;
        while (host.downloadTimerOn && ticks < 200) {
            downloadTick(context);
            ++ticks;
            SystemClock().sleepMs(30);
        }
        // 30 ticks of sentences and the request; a busy machine can add empty ones, which count
        // toward their own limit. Waiting for the answer alone would run into the 200.
        EXPECT_LE(ticks, 70);
        EXPECT_EQ(host.boxes, std::vector<std::string>{"3.Send &Load fales"});
        link.closePort();
        unsetenv("NORVANE_COM77");
    }
}

} // namespace
} // namespace norvane::test
