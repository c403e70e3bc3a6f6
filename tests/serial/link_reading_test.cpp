// The read operations of the serial link over a scripted port: the backlog rule, the 8192-byte
// read used by the download, and a port that stops answering.
#include "serial/serial_link.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/read_text.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace norvane {
namespace {

class LinkReading : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fake.link.openPort("COM4")); }

    FakeClock clock;
    ClockOverride useClock{clock};
    FakeSerialLink fake;
    ReceiveBuffer buffer{};
};

TEST_F(LinkReading, DeliversUpToAThousandQueuedBytesWholeWithoutWaiting)
{
    fake.port->pushIncoming(std::string(1000, 'a'));
    EXPECT_EQ(fake.link.readAvailable(buffer), 1000);
    EXPECT_EQ(textOf(buffer, 1000), std::string(1000, 'a'));
    EXPECT_EQ(fake.port->purgeCount, 0);
    EXPECT_TRUE(clock.sleeps().empty());
    EXPECT_EQ(fake.link.readCount(), 1000u);
    EXPECT_EQ(fake.link.lastQueued(), 1000u);

    fake.port->pushIncoming("$GPRMC");
    EXPECT_EQ(fake.link.readAvailable(buffer), 6);
    EXPECT_EQ(textOf(buffer, 6), "$GPRMC");
}

TEST_F(LinkReading, NothingQueuedReadsNothingAndLeavesTheBufferAlone)
{
    buffer.fill('x');
    EXPECT_EQ(fake.link.readAvailable(buffer), 0);
    EXPECT_EQ(fake.link.readQueued(buffer), 0);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(buffer[kReceiveBufferSize - 1], 'x');
}

TEST_F(LinkReading, ABacklogIsDiscardedAndOnlyLaterBytesAreDelivered)
{
    fake.port->pushIncoming(std::string(1001, 'o'));
    clock.onSleep = [&](int) { fake.port->pushIncoming("$GPGGA,new"); };

    const int got = fake.link.readAvailable(buffer);

    EXPECT_EQ(textOf(buffer, got), "$GPGGA,new");
    EXPECT_EQ(fake.port->purgeCount, 1);
    EXPECT_EQ(clock.sleeps(), std::vector<int>{700});
}

TEST_F(LinkReading, ASenderThatNeverPausesGetsOneBoundedReadPerCall)
{
    // 3000 bytes a second: during every 700 ms wait more than 1000 new bytes arrive. The
    // sender gives up after a while so that a link that keeps discarding fails instead of hanging.
    fake.port->pushIncoming(std::string(3000, 'a'));
    clock.onSleep = [&](int ms) {
        if (clock.sleeps().size() <= 20)
            fake.port->pushIncoming(std::string(static_cast<std::size_t>(ms) * 3, 'b'));
    };

    for (int tick = 0; tick < 3; ++tick) {
        const int purgesBefore = fake.port->purgeCount;
        const auto sleepsBefore = clock.sleeps().size();
        EXPECT_EQ(fake.link.readAvailable(buffer), 1000);
        EXPECT_EQ(textOf(buffer, 1000), std::string(1000, 'b'));
        EXPECT_EQ(fake.port->purgeCount - purgesBefore, 1);
        EXPECT_EQ(clock.sleeps().size() - sleepsBefore, 1u);
        // The rest of the burst waits for the next tick.
        EXPECT_EQ(fake.port->incomingCount(), 1100u);
        fake.port->pushIncoming(std::string(3000, 'a'));
    }
}

TEST_F(LinkReading, AFailingPurgeIsRetriedABoundedNumberOfTimes)
{
    fake.port->pushIncoming(std::string(1500, 'o'));
    fake.port->purgeFailures = 2;
    clock.onSleep = [&](int) { fake.port->pushIncoming("fresh"); };
    EXPECT_EQ(textOf(buffer, fake.link.readAvailable(buffer)), "fresh");
    EXPECT_EQ(fake.port->purgeAttempts, 3);

    fake.port->pushIncoming(std::string(1500, 'o'));
    fake.port->purgeFailures = 1000;
    const int attemptsBefore = fake.port->purgeAttempts;
    EXPECT_EQ(fake.link.readAvailable(buffer), 0);
    EXPECT_LE(fake.port->purgeAttempts - attemptsBefore, 10);
    EXPECT_EQ(fake.link.readCount(), 0u);
}

TEST_F(LinkReading, AGonePortReadsNothingAndKeepsTheLastQueuedCount)
{
    fake.port->pushIncoming("abc");
    ASSERT_EQ(fake.link.readAvailable(buffer), 3);
    fake.port->pushIncoming("def");
    ASSERT_TRUE(fake.link.queryQueued());
    fake.port->unplugged = true;

    EXPECT_EQ(fake.link.readAvailable(buffer), 0);
    EXPECT_EQ(fake.link.readQueued(buffer), 0);
    EXPECT_FALSE(fake.link.queryQueued());
    EXPECT_EQ(fake.link.readCount(), 0u);
    EXPECT_EQ(fake.link.lastQueued(), 3u);
    EXPECT_TRUE(clock.sleeps().empty());
}

TEST_F(LinkReading, ReadQueuedClearsTheWholeBufferAndReadsAtMostItsSize)
{
    buffer.fill('x');
    fake.port->pushIncoming("OK");
    EXPECT_EQ(fake.link.readQueued(buffer), 2);
    EXPECT_EQ(textOf(buffer, 3), std::string("OK\0", 3));
    EXPECT_EQ(buffer[kReceiveBufferSize - 1], 0);

    fake.port->pushIncoming(std::string(kReceiveBufferSize + 100, 'z'));
    EXPECT_EQ(fake.link.readQueued(buffer), static_cast<int>(kReceiveBufferSize));
    EXPECT_EQ(fake.port->incomingCount(), 100u);
    EXPECT_EQ(fake.port->purgeCount, 0);
}

TEST_F(LinkReading, ReadQueuedTakesTheRefreshedCount)
{
    fake.port->pushIncoming("EN");
    bool first = true;
    fake.port->onQuery = [&] {
        if (std::exchange(first, false))
            fake.port->pushIncoming("D");
    };
    EXPECT_EQ(textOf(buffer, fake.link.readQueued(buffer)), "END");
}

} // namespace
} // namespace norvane
