#include "control/acknowledgement_wait.h"
#include "control/command_sending.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace norvane {
namespace {

using ByteList = std::vector<std::uint8_t>;

const ByteList kHead = {0xA0, 0xA1, 0x00, 0x02, 0x83};
// What a receiver sends after the head of its acknowledgement of message 0x01.
const ByteList kAcknowledgementTail = {0x01, 0x82, 0x0D, 0x0A};

ByteList joined(std::initializer_list<ByteList> parts)
{
    ByteList all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class AcknowledgementWaitTest : public ::testing::Test {
protected:
    AcknowledgementWaitTest() { fake.link.openPort("COM3"); }

    bool waitFromNow() { return awaitAcknowledgement(fake.link, start + kAcknowledgementTimeoutMs); }
    std::int64_t elapsed() { return clock.nowMs() - start; }

    FakeClock clock{500'000};
    ClockOverride useClock{clock};
    FakeSerialLink fake;
    const std::int64_t start = 500'000;
};

TEST_F(AcknowledgementWaitTest, FindsTheHeadAfterSentenceDataAndLeavesWhatFollowsQueued)
{
    fake.port->pushIncoming("$GPGGA,121157.000,2459.9876,N*5A\r\n");
    fake.port->pushIncoming(joined({kHead, kAcknowledgementTail}));
    EXPECT_TRUE(waitFromNow());
    EXPECT_EQ(fake.port->incomingCount(), kAcknowledgementTail.size());
}

TEST_F(AcknowledgementWaitTest, ByteThatBreaksAnAttemptIsNotTakenAsANewStart)
{
    fake.port->pushIncoming(joined({{0xA0}, kHead}));
    EXPECT_FALSE(waitFromNow());
    EXPECT_EQ(elapsed(), kAcknowledgementTimeoutMs);
    EXPECT_EQ(fake.port->incomingCount(), 0u);
}

TEST_F(AcknowledgementWaitTest, BrokenAttemptsDoNotHideALaterHead)
{
    fake.port->pushIncoming(
        joined({{0xA0, 0xA1, 0x00, 0x02, 0x84, 0xA0, 0xA1, 0x0D}, kHead, kAcknowledgementTail}));
    EXPECT_TRUE(waitFromNow());
    EXPECT_EQ(fake.port->incomingCount(), kAcknowledgementTail.size());
}

TEST_F(AcknowledgementWaitTest, HeadSplitAcrossPollsIsRecognised)
{
    fake.port->pushIncoming(ByteList{0x24, 0xA0, 0xA1, 0x00});
    int pauses = 0;
    clock.onSleep = [&](int) {
        if (++pauses == 5)
            fake.port->pushIncoming(ByteList{0x02, 0x83});
    };
    EXPECT_TRUE(waitFromNow());
    EXPECT_LT(elapsed(), kAcknowledgementTimeoutMs);
}

TEST_F(AcknowledgementWaitTest, SilentReceiverGivesFalseAtTheDeadlineAndNeverLater)
{
    EXPECT_FALSE(waitFromNow());
    EXPECT_EQ(elapsed(), kAcknowledgementTimeoutMs);
}

TEST_F(AcknowledgementWaitTest, TalkativeReceiverWithoutAcknowledgementGivesFalseAtTheDeadline)
{
    clock.onSleep = [&](int) { fake.port->pushIncoming("$GPGSV,3,1,12*7E\r\n"); };
    EXPECT_FALSE(waitFromNow());
    EXPECT_EQ(elapsed(), kAcknowledgementTimeoutMs);
}

TEST_F(AcknowledgementWaitTest, UnpluggedPortGivesFalseAtTheDeadline)
{
    fake.port->pushIncoming(kHead);
    fake.port->unplugged = true;
    EXPECT_FALSE(waitFromNow());
    EXPECT_EQ(elapsed(), kAcknowledgementTimeoutMs);
}

TEST_F(AcknowledgementWaitTest, AcknowledgementAfterTheDeadlineStaysForTheReceiveLoop)
{
    clock.onSleep = [&](int) {
        if (elapsed() == kAcknowledgementTimeoutMs)
            fake.port->pushIncoming(kHead);
    };
    EXPECT_FALSE(waitFromNow());
    EXPECT_EQ(fake.port->incomingCount(), kHead.size());
}

class VexaRestartExchangeTest : public AcknowledgementWaitTest {
protected:
    RestartFix fix{7, 5, 30, 12, 11, 57, 2400, 12100};
};

TEST_F(VexaRestartExchangeTest, WritesTheFrameOnceAndSucceedsOnItsAcknowledgement)
{
    fake.port->onWrite = [&](const ByteList&) {
        fake.port->pushIncoming(joined({kHead, kAcknowledgementTail}));
    };
    EXPECT_TRUE(sendVexaRestartFrame(fake.link, RestartKind::Cold, fix));
    ASSERT_EQ(fake.port->writes.size(), 1u);
    const auto expected = buildVexaRestartFrame(RestartKind::Cold, fix);
    EXPECT_EQ(fake.port->writes[0], ByteList(expected.begin(), expected.end()));
    EXPECT_EQ(fake.port->purgeCount, 2);
}

TEST_F(VexaRestartExchangeTest, HeadQueuedBeforeTheFrameWasWrittenDoesNotCount)
{
    fake.port->pushIncoming(kHead);
    EXPECT_FALSE(sendVexaRestartFrame(fake.link, RestartKind::Hot, fix));
    EXPECT_EQ(elapsed(), kAcknowledgementTimeoutMs);
}

TEST_F(VexaRestartExchangeTest, FailedWriteRunsOutTheWait)
{
    fake.port->failWrite = true;
    fake.port->onWrite = [&](const ByteList&) { fake.port->pushIncoming(kHead); };
    EXPECT_FALSE(sendVexaRestartFrame(fake.link, RestartKind::Warm, fix));
    EXPECT_EQ(elapsed(), kAcknowledgementTimeoutMs);
}

TEST_F(VexaRestartExchangeTest, PortThatCannotBeQueriedIsNotPurged)
{
    fake.port->failQuery = true;
    EXPECT_FALSE(sendVexaRestartFrame(fake.link, RestartKind::Cold, fix));
    EXPECT_EQ(fake.port->purgeAttempts, 0);
    EXPECT_EQ(fake.port->writes.size(), 1u);
}

} // namespace
} // namespace norvane
