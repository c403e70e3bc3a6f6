// The serial link on pseudo-terminals: the real terminal calls behind every operation.
// Pseudo-terminals and device paths exist only on POSIX systems.
#if !defined(_WIN32)

#include "serial/posix_line_settings.h"
#include "serial/serial_link.h"
#include "support/fake_clock.h"
#include "support/pty_pair.h"
#include "support/read_text.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace norvane {
namespace {

class PtyLink : public ::testing::Test {
protected:
    void SetUp() override { port = pty.exposeAs(21); }

    // Opens and configures the link, with the half-second settle wait taken on the fake clock.
    void connect(const std::string& rate = "9600")
    {
        ASSERT_TRUE(link.openLink(port, rate));
        clock.onSleep = nullptr;
    }

    PtyPair pty;
    std::string port;
    FakeClock clock;
    ClockOverride useClock{clock};
    SerialLink link;
    ReceiveBuffer buffer{};
};

TEST_F(PtyLink, OpensTheDeviceNamedByTheEnvironmentAndCarriesBytesBothWays)
{
    ASSERT_TRUE(link.openPort(" COM21 "));
    ASSERT_TRUE(link.setLineSettings("  4800"));
    EXPECT_TRUE(link.writeBytes("$PSRF101\r\n", 10));
    EXPECT_EQ(pty.receive(10), "$PSRF101\r\n");

    ASSERT_TRUE(pty.send("$GPGGA,1\r\n"));
    ASSERT_TRUE(pty.waitQueued(10));
    EXPECT_EQ(textOf(buffer, link.readAvailable(buffer)), "$GPGGA,1\r\n");
}

TEST_F(PtyLink, NamesThatAreNotPortsFailAndLeaveTheLinkClosed)
{
    setenv("NORVANE_COM100", pty.slavePath().c_str(), 1);
    for (const char* text : {"  ", "COM100", "LPT1", "COM 2 1x"}) {
        EXPECT_FALSE(link.openPort(text)) << '"' << text << '"';
        EXPECT_FALSE(link.isOpen());
    }
    unsetenv("NORVANE_COM100");

    const std::string plainFile = ::testing::TempDir() + "norvane_not_a_port";
    std::fclose(std::fopen(plainFile.c_str(), "w"));
    setenv("NORVANE_COM22", plainFile.c_str(), 1);
    EXPECT_FALSE(link.openPort("COM22")) << "a file that is not a terminal is no port";
    unsetenv("NORVANE_COM22");
    std::remove(plainFile.c_str());
}

TEST_F(PtyLink, APortIsHeldExclusively)
{
    connect();
    SerialLink other;
    EXPECT_FALSE(other.openPort(port));
    EXPECT_FALSE(other.isOpen());

    link.closePort();
    EXPECT_TRUE(other.openPort(port)) << "closing lets the port go";
}

TEST_F(PtyLink, OpeningAgainWhileOpenFailsWithoutKeepingThePortHeld)
{
    connect();
    EXPECT_FALSE(link.openPort(port));
    EXPECT_FALSE(link.isOpen());
    SerialLink other;
    EXPECT_TRUE(other.openPort(port));
}

TEST_F(PtyLink, LineSettingsGiveRawEightBitsNoParityOneStopBitKeepHardwareFlowControlDropSoftware)
{
    for (const bool flow : {true, false}) {
        SCOPED_TRACE(flow ? "flow control on" : "flow control off");
        ASSERT_TRUE(pty.presetCookedLine(flow, flow));
        const PtyLineState before = pty.lineState();
        ASSERT_TRUE(before.twoStopBits && before.canonical && before.echo);
        ASSERT_EQ(before.rtsCtsFlow, flow);

        connect("  9600");
        const PtyLineState after = pty.lineState();
        EXPECT_EQ(after.rate, 9600u);
        EXPECT_EQ(after.dataBits, 8);
        EXPECT_FALSE(after.parity);
        EXPECT_FALSE(after.twoStopBits);
        EXPECT_FALSE(after.echo);
        EXPECT_FALSE(after.canonical);
        EXPECT_FALSE(after.signalKeys);
        EXPECT_FALSE(after.translatesCrNl);
        EXPECT_FALSE(after.outputProcessing);
        EXPECT_TRUE(after.localLine);
        EXPECT_TRUE(after.receiverOn);
        EXPECT_EQ(after.rtsCtsFlow, flow);
        EXPECT_FALSE(after.xonXoffOutput);
        EXPECT_FALSE(after.xonXoffInput);
        link.closePort();
    }
}

TEST_F(PtyLink, EveryRateOfTheListReachesTheLine)
{
    connect();
    for (const unsigned rate : {4800u, 7200u, 9600u, 14400u, 19200u, 38400u, 57600u, 115200u, 128000u}) {
        ASSERT_TRUE(link.setLineSettings(std::to_string(rate)));
        EXPECT_EQ(pty.lineState().rate, rate);
        EXPECT_EQ(lineRateOf(pty.masterFd()), rate);
    }
    EXPECT_TRUE(link.isOpen());
}

TEST_F(PtyLink, RateChangeKeepsQueuedBytes)
{
    connect();
    ASSERT_TRUE(pty.send("$GPRMC"));
    ASSERT_TRUE(pty.waitQueued(6));
    ASSERT_TRUE(link.setLineSettings("115200"));
    EXPECT_EQ(textOf(buffer, link.readAvailable(buffer)), "$GPRMC");
}

TEST_F(PtyLink, AnUnconvertibleRateLeavesThePortClosedAndFreeToReopen)
{
    EXPECT_THROW(link.openLink(port, ""), ConversionError);
    EXPECT_FALSE(link.isOpen());
    SerialLink other;
    EXPECT_TRUE(other.openPort(port));
    other.closePort();
    EXPECT_TRUE(link.openLink(port, "9600"));
}

TEST_F(PtyLink, ExactlyAThousandQueuedBytesAreReadWhole)
{
    connect();
    const std::string burst(1000, 'n');
    ASSERT_TRUE(pty.send(burst));
    ASSERT_TRUE(pty.waitQueued(1000));
    EXPECT_EQ(textOf(buffer, link.readAvailable(buffer)), burst);
    EXPECT_TRUE(clock.sleeps().empty() || clock.sleeps() == std::vector<int>{500});
}

TEST_F(PtyLink, ABacklogIsDiscardedAndOnlyLaterBytesAreDelivered)
{
    connect();
    ASSERT_TRUE(pty.send(std::string(1001, 'o')));
    ASSERT_TRUE(pty.waitQueued(1001));
    clock.onSleep = [&](int) {
        ASSERT_TRUE(pty.send("$GPGGA,fresh"));
        ASSERT_TRUE(pty.waitQueued(12));
    };
    EXPECT_EQ(textOf(buffer, link.readAvailable(buffer)), "$GPGGA,fresh");
    EXPECT_EQ(clock.sleeps().back(), 700);
}

TEST_F(PtyLink, ASenderThatNeverPausesGetsOneBoundedReadPerCall)
{
    connect();
    // 1500 new bytes during every wait; the sender stops after a while so that a link that
    // keeps discarding fails here instead of hanging.
    clock.onSleep = [&](int) {
        if (clock.sleeps().size() > 20)
            return;
        ASSERT_TRUE(pty.send(std::string(1500, 'b')));
        ASSERT_TRUE(pty.waitQueued(1500));
    };
    for (int tick = 0; tick < 3; ++tick) {
        ASSERT_TRUE(pty.send(std::string(2000, 'a')));
        ASSERT_TRUE(pty.waitQueued(2000));
        const auto sleepsBefore = clock.sleeps().size();
        EXPECT_EQ(textOf(buffer, link.readAvailable(buffer)), std::string(1000, 'b'));
        EXPECT_EQ(clock.sleeps().size() - sleepsBefore, 1u);
        EXPECT_EQ(link.queryQueued(), 500u);
    }
}

TEST_F(PtyLink, PurgeInputDropsWhatHasArrived)
{
    connect();
    ASSERT_TRUE(pty.send("stale bytes"));
    ASSERT_TRUE(pty.waitQueued(11));
    EXPECT_TRUE(link.purgeInput());
    EXPECT_EQ(link.queryQueued(), 0u);

    ASSERT_TRUE(pty.send("OK"));
    ASSERT_TRUE(pty.waitQueued(2));
    EXPECT_EQ(textOf(buffer, link.readAvailable(buffer)), "OK");
}

TEST_F(PtyLink, ReadQueuedClearsTheBufferAndTakesEverythingWaiting)
{
    connect("115200");
    EXPECT_TRUE(link.setQueueSizes(10000));
    buffer.fill('x');
    EXPECT_EQ(link.readQueued(buffer), 0);
    EXPECT_EQ(buffer[0], 'x');

    const std::string reply = std::string(1200, 'r') + "END";
    ASSERT_TRUE(pty.send(reply));
    ASSERT_TRUE(pty.waitQueued(reply.size()));
    EXPECT_EQ(link.readQueued(buffer), static_cast<int>(reply.size()));
    EXPECT_EQ(textOf(buffer, static_cast<int>(reply.size())), reply);
    EXPECT_EQ(buffer[reply.size()], 0);
    EXPECT_EQ(buffer[kReceiveBufferSize - 1], 0);
}

TEST_F(PtyLink, AReceiverThatGoesAwayGivesEmptyReads)
{
    connect();
    ASSERT_TRUE(pty.send("$GPGSV"));
    ASSERT_TRUE(pty.waitQueued(6));
    pty.closeMaster();

    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_EQ(link.readAvailable(buffer), 0);
        EXPECT_EQ(link.readQueued(buffer), 0);
    }
    EXPECT_FALSE(link.writeBytes("$PSRF", 5));
    EXPECT_TRUE(link.purgeInput());
    link.closePort();
    EXPECT_FALSE(link.isOpen());
}

} // namespace
} // namespace norvane

#endif
