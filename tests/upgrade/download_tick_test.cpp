#include "sim/download_responder.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "upgrade/download_texts.h"
#include "upgrade/download_tick.h"
#include "upgrade/firmware_samples.h"
#include "upgrade/loader_file.h"
#include "upgrade/recording_upgrade_host.h"

#include <gtest/gtest.h>
#include <memory>

namespace norvane {
namespace {

using namespace upgradetest;
using Lines = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

class DownloadTickTest : public ::testing::Test {
protected:
    FakeClock clock;
    ClockOverride useClock{clock};
    FakeSerialLink fake;
    ReceiveBuffer buffer{};
    std::string sentenceText;
    RecordingUpgradeHost host;
    std::unique_ptr<UpgradeSession> session = std::make_unique<UpgradeSession>();
    UpgradeContext context{*session, fake.link, buffer, sentenceText, host};
    std::vector<std::string> loaderText;
    Bytes image;

    void SetUp() override
    {
        ASSERT_TRUE(fake.link.openLink("COM3", "9600"));
        host.receiveLoopOn = false;
        host.upgradeButtonOn = false;
    }

    void loadLoader(int lines)
    {
        loaderText = loaderRecords(lines);
        const std::string text = withCrLf(loaderText);
        LoaderLineSplitter splitter(session->loader);
        splitter.push(text.data(), text.size());
        ASSERT_EQ(splitter.finish().result, LoaderFileResult::Loaded);
        session->loader.fileSize = static_cast<int>(text.size());
    }

    void loadImage(std::size_t size)
    {
        image = imageBytes(size);
        std::copy(image.begin(), image.end(), session->image.bytes.begin());
        session->image.size = static_cast<int>(size);
        session->image.checksum = byteSum(image);
    }

    void reply(const std::string& text) { fake.port->pushIncoming(text); }
    void tick() { downloadTick(context); }
    std::size_t writeCount() const { return fake.port->writes.size(); }
    // Ticks with nothing to read until the timer goes off (at most `limit` ticks); gives the retry
    // counter at each tick that wrote, and the number of ticks in `ticks`.
    std::vector<int> retriesThatWroteUntilGivenUp(int limit, int& ticks)
    {
        std::vector<int> retries;
        ticks = 0;
        do {
            const std::size_t before = writeCount();
            tick();
            ++ticks;
            if (writeCount() > before)
                retries.push_back(session->retryCounter);
        } while (host.downloadTimerOn && ticks <= limit);
        return retries;
    }
    const Bytes& lastWrite() const { return fake.port->writes.back(); }

    // Ticks while the timer is re-armed, at most limit times; returns the number of ticks.
    int runToEnd(int limit = 10000)
    {
        int ticks = 0;
        do {
            tick();
            ++ticks;
        } while (host.downloadTimerOn && ticks < limit);
        return ticks;
    }

    void expectFailure(const std::string& box, const std::string& memo, const std::string& rawLog)
    {
        EXPECT_EQ(host.boxes, Lines{box});
        ASSERT_FALSE(host.memo.empty());
        EXPECT_EQ(host.memo.back(), memo);
        ASSERT_FALSE(host.rawLog.empty());
        EXPECT_EQ(host.rawLog.back(), rawLog);
        EXPECT_EQ(session->state, kStateStopped);
        EXPECT_FALSE(host.downloadTimerOn);
        EXPECT_FALSE(host.receiveLoopOn);
    }

    // The receiver's download mode answers every write at the rate the port is set to.
    void answerWith(sim::DownloadResponder& responder)
    {
        fake.port->onWrite = [this, &responder](const Bytes& chunk) {
            reply(responder.feed(chunk.data(), chunk.size(), fake.port->lastRate));
        };
    }
};

TEST_F(DownloadTickTest, RequestIsSixteenCharactersAndAZeroThenOkStartsTheLoader)
{
    session->state = kStateSendRequest;
    tick();
    EXPECT_EQ(lastWrite(), bytesOf(std::string("$LOADER DOWNLOAD\0", 17)));
    EXPECT_EQ(session->state, kStateAwaitReady);
    EXPECT_TRUE(host.downloadTimerOn);

    session->retryCounter = 5;
    reply("\r\nOK\r\n");
    tick();
    EXPECT_EQ(session->state, kStateSendLoader);
    EXPECT_EQ(session->retryCounter, 0);
    EXPECT_TRUE(host.progressVisible);
    EXPECT_EQ(host.rawLog, Lines{"3.Send $Load OK\n"});
    EXPECT_TRUE(host.downloadTimerOn);
}

TEST_F(DownloadTickTest, SixtyFiveLoaderLinesGoInThreeTicks)
{
    loadLoader(65);
    session->state = kStateSendLoader;

    tick();
    ASSERT_EQ(writeCount(), 30u);
    EXPECT_EQ(fake.port->writes[0], bytesOf(loaderText[0] + std::string("\n\0", 2)));
    EXPECT_EQ(fake.port->writes[29], bytesOf(loaderText[29] + std::string("\n\0", 2)));
    EXPECT_EQ(host.caption(), progressText(loaderPercent(29, session->loader.fileSize)));
    EXPECT_EQ(session->state, kStateSendLoader);

    tick();
    EXPECT_EQ(writeCount(), 60u);
    EXPECT_EQ(host.caption(), progressText(loaderPercent(59, session->loader.fileSize)));

    tick();
    ASSERT_EQ(writeCount(), 65u);
    EXPECT_EQ(lastWrite(), bytesOf(loaderText[64] + std::string("\n\0", 2)));
    EXPECT_EQ(session->state, kStateAwaitLoaderEnd);
    EXPECT_EQ(host.caption(), "Burning  50%");
    EXPECT_EQ(sentenceText, "Burning  50%");
    EXPECT_TRUE(host.downloadTimerOn);
}

TEST_F(DownloadTickTest, ThirtyLinesExactlyMoveOnInTheNextTick)
{
    loadLoader(30);
    session->state = kStateSendLoader;
    tick();
    EXPECT_EQ(writeCount(), 30u);
    EXPECT_EQ(session->state, kStateSendLoader);
    tick();
    EXPECT_EQ(writeCount(), 30u);
    EXPECT_EQ(session->state, kStateAwaitLoaderEnd);
    EXPECT_EQ(host.caption(), "Burning  50%");
}

TEST_F(DownloadTickTest, LoaderEndSwitchesToTheDownloadRate)
{
    session->state = kStateAwaitLoaderEnd;
    session->retryCounter = 4;
    reply("ENDx");
    tick();
    EXPECT_EQ(host.memo, (Lines{"Write flash OK .", "Ready to Write bin ."}));
    EXPECT_EQ(host.rawLog, Lines{"4.flash.serc OK\n"});
    EXPECT_EQ(session->retryCounter, 0);
    EXPECT_EQ(session->state, kStateSwitchRate);

    tick();
    EXPECT_EQ(fake.port->lastRate, 115200);
    EXPECT_EQ(fake.port->queueSize, 10000);
    EXPECT_EQ(clock.sleeps(), (std::vector<int>{500, 1000, 1000})); // 500: opening the link
    EXPECT_EQ(writeCount(), 0u);
    EXPECT_EQ(session->state, kStateSendHeader);
    EXPECT_TRUE(host.downloadTimerOn);
}

TEST_F(DownloadTickTest, HeaderIsFortySevenBytesPaddedWithZeros)
{
    loadImage(20000);
    session->state = kStateSendHeader;
    session->retryCounter = 3;
    session->imageBytesDone = 99;
    tick();
    const std::string header =
        "BINSIZE = 20000 Checksum = " + std::to_string(byteSum(image)) + " Loopnumber = 1 ";
    std::string expected = header;
    expected.resize(47, '\0');
    EXPECT_EQ(lastWrite(), bytesOf(expected));
    EXPECT_EQ(host.memo, Lines{header});
    EXPECT_EQ(session->retryCounter, 0);
    EXPECT_EQ(session->imageBytesDone, 0);
    EXPECT_EQ(session->blockIndex, 0);
    EXPECT_EQ(session->state, kStateAwaitBlockAck);
}

TEST_F(DownloadTickTest, ImageOfTwoFullBlocks)
{
    loadImage(16384);
    session->state = kStateSendBlock;

    tick();
    EXPECT_EQ(lastWrite(), Bytes(image.begin(), image.begin() + 8192));
    EXPECT_EQ(session->state, kStateAwaitBlockAck);
    reply("OK");
    tick();
    EXPECT_EQ(session->state, kStateSendBlock);
    tick();
    EXPECT_EQ(lastWrite(), Bytes(image.begin() + 8192, image.end()));
    EXPECT_EQ(session->state, kStateAwaitImageEnd);
    EXPECT_EQ(session->imageBytesDone, 16384);
    EXPECT_EQ(writeCount(), 2u);
}

TEST_F(DownloadTickTest, TwentyThousandBytesGoAsTwoFullBlocksAndTheRestWithTheirProgress)
{
    loadImage(20000);
    session->state = kStateSendBlock;
    for (int block = 0; block < 3; ++block) {
        if (block > 0) {
            reply("OK");
            tick();
        }
        tick();
    }
    ASSERT_EQ(writeCount(), 3u);
    EXPECT_EQ(fake.port->writes[0].size(), 8192u);
    EXPECT_EQ(fake.port->writes[1].size(), 8192u);
    EXPECT_EQ(fake.port->writes[2], Bytes(image.begin() + 16384, image.end()));
    EXPECT_EQ(host.captions, (Lines{"Burning  70%", "Burning  91%", "Burning 100%"}));
    EXPECT_EQ(session->state, kStateAwaitImageEnd);
    EXPECT_EQ(session->blockIndex, 3);
}

TEST_F(DownloadTickTest, RepliesCountOnlyInsideOneRead)
{
    session->state = kStateAwaitReady;
    reply("xO");
    tick();
    reply("Kx");
    tick();
    EXPECT_EQ(session->state, kStateAwaitReady);
    EXPECT_EQ(session->retryCounter, 0); // reads without the reply are not counted

    reply("O");
    tick();
    EXPECT_EQ(session->retryCounter, 1); // a single byte is an empty tick
    EXPECT_TRUE(host.downloadTimerOn);
}

TEST_F(DownloadTickTest, UnansweredRequestIsRepeatedOnEveryOtherTickThenGivenUp)
{
    session->state = kStateSendRequest;
    int ticks = 0;
    const std::vector<int> writtenAfterEmptyTicks = retriesThatWroteUntilGivenUp(200, ticks);
    std::vector<int> expected{0};
    for (int count = 16; count <= 30; ++count)
        expected.push_back(count);
    EXPECT_EQ(writtenAfterEmptyTicks, expected);
    EXPECT_EQ(ticks, 1 + 31 + 15);
    for (const auto& write : fake.port->writes)
        EXPECT_EQ(write, bytesOf(std::string("$LOADER DOWNLOAD\0", 17)));
    expectFailure("3.Send &Load fales", "3.Send &Load fales", "3.Send $load no reback OK\n");
}

TEST_F(DownloadTickTest, UnansweredHeaderIsRepeatedInItsFlashStartFormThenGivenUp)
{
    loadImage(20000);
    session->state = kStateSendHeader;
    int ticks = 0;
    const std::vector<int> writtenAfterEmptyTicks = retriesThatWroteUntilGivenUp(300, ticks);
    EXPECT_EQ(writtenAfterEmptyTicks, (std::vector<int>{0, 30, 60, 90}));
    EXPECT_EQ(ticks, 1 + 101);
    const std::string repeat =
        "BINSIZE =  20000 Checksum = " + std::string(3 - std::to_string(byteSum(image)).size(), ' ') +
        std::to_string(byteSum(image)) + " FlashStart = 0 ";
    EXPECT_EQ(lastWrite(), bytesOf(repeat + std::string(1, '\0')));
    // Only the first form goes to Memo1.
    EXPECT_EQ(host.memo.size(), 2u);
    expectFailure("5.bin files fales", "5.bin files fales", "5.binsize command fales\n");
}

TEST_F(DownloadTickTest, AfterTheFirstBlockTheHeaderIsNotRepeated)
{
    loadImage(20000);
    session->state = kStateAwaitBlockAck;
    session->imageBytesDone = 8192;
    EXPECT_EQ(runToEnd(), 101);
    EXPECT_EQ(writeCount(), 0u);
    expectFailure("5.bin files fales", "5.bin files fales", "5.binsize command fales\n");
}

TEST_F(DownloadTickTest, SilentLoaderEndIsGivenUpOnTheThirtyFirstEmptyTick)
{
    session->state = kStateAwaitLoaderEnd;
    EXPECT_EQ(runToEnd(), 31);
    expectFailure("4.Write flash fales", "4.Write flash fales", "4.flash.serc fales\n");
}

TEST_F(DownloadTickTest, SilentImageEndIsGivenUpOnTheFifteenthEmptyTick)
{
    session->state = kStateAwaitImageEnd;
    EXPECT_EQ(runToEnd(), 15);
    expectFailure("5.write bin fales", "5.write binfales", "5.write bin fales\n");
}

TEST_F(DownloadTickTest, ErrBeforeEndFailsTheImage)
{
    session->state = kStateAwaitImageEnd;
    reply("..ErrEND");
    tick();
    expectFailure("5.write bin fales", "5.write binfales", "5.write bin fales\n");
}

TEST_F(DownloadTickTest, EndBeforeErrFinishesAndPutsTheUsersRateBack)
{
    loadImage(20000);
    session->state = kStateAwaitImageEnd;
    session->imageBytesDone = 20000;
    session->retryCounter = 3;
    host.progressVisible = true;
    host.rateText = " 38400";
    sentenceText = "Burning 100%";
    fake.link.setLineSettings("115200");
    const int purgesBefore = fake.port->purgeCount;
    reply("ENDErr");

    tick();

    EXPECT_EQ(host.memo, (Lines{"Write bin file OK", "Change baudrate......"}));
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(fake.port->purgeCount, purgesBefore + 1);
    EXPECT_EQ(session->state, kStateSendRequest);
    EXPECT_EQ(session->imageBytesDone, 0);
    EXPECT_EQ(session->retryCounter, 0);
    EXPECT_EQ(sentenceText, "");
    EXPECT_FALSE(host.progressVisible);
    EXPECT_EQ(host.caption(), "");
    EXPECT_EQ(fake.port->lastRate, 38400);
    EXPECT_TRUE(host.receiveLoopOn);
    EXPECT_FALSE(host.downloadTimerOn);
    EXPECT_EQ(clock.sleeps().back(), 1000);
}

TEST_F(DownloadTickTest, StoppedStateDoesNothing)
{
    session->state = kStateStopped;
    tick();
    EXPECT_FALSE(host.downloadTimerOn);
    EXPECT_EQ(writeCount(), 0u);
    EXPECT_EQ(fake.port->readRequests.size(), 0u);
}

TEST_F(DownloadTickTest, WholeDownloadAgainstTheReceiversDownloadMode)
{
    sim::DownloadResponder responder;
    answerWith(responder);
    loadLoader(65);
    loadImage(20000);
    session->state = kStateSendRequest;

    runToEnd();

    EXPECT_TRUE(responder.finished());
    EXPECT_EQ(responder.image(), image);
    EXPECT_EQ(fake.port->appliedRates, (std::vector<int>{9600, 115200, 9600}));
    const std::string header =
        "BINSIZE = 20000 Checksum = " + std::to_string(byteSum(image)) + " Loopnumber = 1 ";
    EXPECT_EQ(host.memo, (Lines{"Write flash OK .", "Ready to Write bin .", header, "Write bin file OK",
                                "Change baudrate......"}));
    EXPECT_EQ(host.rawLog, (Lines{"3.Send $Load OK\n", "4.flash.serc OK\n"}));
    const Lines imageProgress(host.captions.end() - 4, host.captions.end());
    EXPECT_EQ(imageProgress, (Lines{"Burning  70%", "Burning  91%", "Burning 100%", ""}));
    EXPECT_EQ(session->state, kStateSendRequest);
    EXPECT_TRUE(host.receiveLoopOn);
}

TEST_F(DownloadTickTest, NoSuccessWithoutTheReceiversEnd)
{
    // The last block is lost on the way: the write fails unnoticed and the receiver, still
    // waiting for bytes, never answers.
    sim::DownloadResponder responder;
    answerWith(responder);
    fake.port->onWrite = [this, &responder](const Bytes& chunk) {
        reply(responder.feed(chunk.data(), chunk.size(), fake.port->lastRate));
        if (chunk.size() == 8192)
            fake.port->failWrite = true;
    };
    loadLoader(5);
    loadImage(10000);
    session->state = kStateSendRequest;

    runToEnd();

    EXPECT_FALSE(responder.finished());
    expectFailure("5.write bin fales", "5.write binfales", "5.write bin fales\n");
    EXPECT_EQ(fake.port->lastRate, 115200); // a failure keeps the download rate
}

TEST_F(DownloadTickTest, ReceiverRefusingTheImageEndsInFailure)
{
    sim::DownloadResponder responder({.errAtEnd = true});
    answerWith(responder);
    loadLoader(5);
    loadImage(10000);
    session->state = kStateSendRequest;
    runToEnd();
    expectFailure("5.write bin fales", "5.write binfales", "5.write bin fales\n");
}

// A receiver that keeps talking without the reply awaited (its sentences at the user's rate,
// noise at the wrong one) is given up on the 30th such tick, through each state's own failure.
TEST_F(DownloadTickTest, EveryWaitingStateGivesUpOnItsThirtiethTickOfDataWithoutItsReply)
{
    const struct {
        char state;
        const char *box, *memo, *rawLog;
    } cases[] = {
        {kStateAwaitReady, "3.Send &Load fales", "3.Send &Load fales", "3.Send $load no reback OK\n"},
        {kStateAwaitLoaderEnd, "4.Write flash fales", "4.Write flash fales", "4.flash.serc fales\n"},
        {kStateAwaitBlockAck, "5.bin files fales", "5.bin files fales", "5.binsize command fales\n"},
        {kStateAwaitImageEnd, "5.write bin fales", "5.write binfales", "5.write bin fales\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        host = RecordingUpgradeHost{};
        host.receiveLoopOn = false;
        session->clear();
        session->state = c.state;
        session->running = true;
        int ticks = 0;
        while (++ticks <= 100) {
            reply("$GPGGA,120011.000,2459.2057,N,12130.1234,E,1,04,1.0,56.3,M,15.2,M,,*63\r\n");
            tick();
            if (!host.downloadTimerOn)
                break;
        }
        EXPECT_EQ(ticks, 30);
        expectFailure(c.box, c.memo, c.rawLog);
        EXPECT_FALSE(session->running);
        EXPECT_TRUE(host.portUsersOn);
    }
}

} // namespace
} // namespace norvane
