#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "upgrade/firmware_samples.h"
#include "upgrade/recording_upgrade_host.h"
#include "upgrade/upgrade_start.h"

#include <gtest/gtest.h>
#include <memory>

namespace norvane {
namespace {

using namespace upgradetest;
using Lines = std::vector<std::string>;

class UpgradeStartTest : public ::testing::Test {
protected:
    FakeClock clock;
    ClockOverride useClock{clock};
    FakeSerialLink fake;
    ReceiveBuffer buffer{};
    std::string sentenceText;
    RecordingUpgradeHost host;
    std::unique_ptr<UpgradeSession> session = std::make_unique<UpgradeSession>();
    TempDirectory dir;
    UpgradeContext context{*session, fake.link, buffer, sentenceText, host, dir.path()};

    void SetUp() override { ASSERT_TRUE(fake.link.openLink("COM3", "9600")); }

    void placeLoader(const std::string& text) { writeFile(dir / "flash.srec", text); }
    void placeImage(const std::vector<std::uint8_t>& bytes) { writeFile(dir / "prom.bin", bytes); }
    void placeGoodFiles()
    {
        placeLoader(withCrLf(loaderRecords(4)));
        placeImage(imageBytes(20000));
    }

    // The start stopped: the receive loop runs again and the download was not started.
    void expectStopped()
    {
        EXPECT_TRUE(host.receiveLoopOn);
        EXPECT_FALSE(host.downloadTimerOn);
        EXPECT_TRUE(host.upgradeButtonOn);
        EXPECT_TRUE(fake.port->writes.empty());
    }
};

TEST_F(UpgradeStartTest, LoadsBothFilesAndStartsTheDownloadTimer)
{
    placeGoodFiles();
    host.memo = {"an old line"};
    session->loaderIndex = 7;
    session->retryCounter = 9;

    startUpgrade(context);

    EXPECT_EQ(host.memo, (Lines{"Open flashscrc OK", "Open binfile OK"}));
    EXPECT_EQ(host.rawLog, (Lines{"01.flashscrc Open OK\n", "02.Openbinfile  OK\n"}));
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(session->state, 'y');
    EXPECT_EQ(session->loader.count, 4);
    EXPECT_EQ(session->image.size, 20000);
    EXPECT_EQ(session->loaderIndex, 0);
    EXPECT_EQ(session->imageBytesDone, 0);
    EXPECT_EQ(session->retryCounter, 0);
    EXPECT_EQ(host.captions, Lines{""});
    EXPECT_TRUE(host.progressVisible);
    EXPECT_FALSE(host.upgradeButtonOn);
    EXPECT_FALSE(host.receiveLoopOn);
    EXPECT_TRUE(host.downloadTimerOn);
    EXPECT_TRUE(fake.port->writes.empty());
}

TEST_F(UpgradeStartTest, LoadedFilesAreReusedUntilADownloadFails)
{
    placeGoodFiles();
    startUpgrade(context);
    const auto loadedImage = session->image.bytes;
    session->running = false; // as a finished download leaves it

    // Changes on disk are not seen while the files count as loaded.
    placeImage(imageBytes(100));
    host = RecordingUpgradeHost{};
    startUpgrade(context);
    EXPECT_TRUE(host.memo.empty());
    EXPECT_EQ(session->image.size, 20000);
    EXPECT_EQ(session->image.bytes, loadedImage);
    EXPECT_TRUE(host.downloadTimerOn);

    // As a failed download leaves the session.
    session->state = kStateStopped;
    session->running = false;
    startUpgrade(context);
    EXPECT_EQ(host.memo, (Lines{"Open flashscrc OK", "Open binfile OK"}));
    EXPECT_EQ(session->image.size, 100);
}

TEST_F(UpgradeStartTest, MissingLoaderStopsBeforeTheImage)
{
    placeImage(imageBytes(100));
    session->state = kStateStopped;

    startUpgrade(context);

    EXPECT_EQ(host.boxes, Lines{"01.Open flash file Error"});
    EXPECT_EQ(host.memo, Lines{"01.Open flash file Error"});
    EXPECT_EQ(host.rawLog, Lines{"(01.Flash.scrc Open Error\n"});
    EXPECT_EQ(session->state, kStateStopped);
    EXPECT_EQ(session->image.size, 0);
    expectStopped();
}

TEST_F(UpgradeStartTest, MissingImageAfterAGoodLoader)
{
    placeLoader(withCrLf(loaderRecords(3)));

    startUpgrade(context);

    EXPECT_EQ(host.memo, (Lines{"Open flashscrc OK", "02.Open binfile Error"}));
    EXPECT_EQ(host.boxes, Lines{"02.Open binfile Error"});
    EXPECT_EQ(host.rawLog, (Lines{"01.flashscrc Open OK\n", "(02.binfile Open Error\n"}));
    EXPECT_EQ(session->state, 0);
    expectStopped();
}

struct Refusal {
    const char* name;
    std::string loader;
    std::size_t imageSize;
    Lines memo; // what Memo1 shows, the refusal last
};

class UpgradeRefusalTest : public UpgradeStartTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(UpgradeRefusalTest, RefusedFileNamesItselfAndWhyAndSendsNothing)
{
    const Refusal& refusal = GetParam();
    placeLoader(refusal.loader);
    placeImage(imageBytes(refusal.imageSize));
    session->state = kStateStopped;

    startUpgrade(context);

    EXPECT_EQ(host.memo, refusal.memo);
    EXPECT_EQ(host.boxes, Lines{refusal.memo.back()});
    EXPECT_EQ(host.rawLog.back(), refusal.memo.back() + "\n");
    EXPECT_EQ(session->state, kStateStopped);
    expectStopped();
}

const std::string goodLoader = withCrLf(loaderRecords(3));

INSTANTIATE_TEST_SUITE_P(
    Refusals, UpgradeRefusalTest,
    ::testing::Values(
        Refusal{"EmptyLoader", "", 100, {"01.flash.srec is empty"}},
        Refusal{"TooManyLines", withCrLf(loaderRecords(151)), 100, {"01.flash.srec has more than 150 lines"}},
        Refusal{"LongLine",
                withCrLf({"S0", std::string(49, 'A')}),
                100,
                {"01.flash.srec line 2 is longer than 48 characters"}},
        Refusal{"BareLineFeed", "S0\r\nS9\n", 100, {"01.flash.srec line 2 does not end in CR LF"}},
        Refusal{"UnendedLastLine", "S0\r\nS9", 100, {"01.flash.srec line 2 does not end in CR LF"}},
        Refusal{"EmptyImage", goodLoader, 0, {"Open flashscrc OK", "02.prom.bin is empty"}},
        Refusal{"LargeImage",
                goodLoader,
                kImageCapacity + 1,
                {"Open flashscrc OK", "02.prom.bin is larger than 262144 bytes"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace norvane
