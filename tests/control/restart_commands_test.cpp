#include "control/restart_commands.h"
#include "decode/receiver_state.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace norvane {
namespace {

using ByteList = std::vector<std::uint8_t>;
using Steps = std::vector<std::string>;

// Port and window calls land in one list, so their order can be compared.
class LoggingPort : public FakePortBackend {
public:
    explicit LoggingPort(Steps& steps) : steps_(steps) {}

    bool purgeReceive() override
    {
        steps_.push_back("purge");
        return FakePortBackend::purgeReceive();
    }
    bool write(const std::uint8_t* data, std::size_t count) override
    {
        steps_.push_back("write " + std::to_string(count));
        return FakePortBackend::write(data, count);
    }

private:
    Steps& steps_;
};

class RecordingHost : public RestartHost {
public:
    explicit RecordingHost(Steps& steps) : steps_(steps) {}

    void setTimer1Enabled(bool enabled) override
    {
        timer1 = enabled;
        steps_.push_back(enabled ? "Timer1 on" : "Timer1 off");
    }
    void setColdButtonEnabled(bool enabled) override
    {
        coldButton = enabled;
        steps_.push_back(enabled ? "bt_cold on" : "bt_cold off");
    }
    int memoLineCount() override { return static_cast<int>(memo.size()); }
    void memoClear() override { memo.clear(); }
    void memoAddLine(const std::string& line) override
    {
        memo.push_back(line);
        steps_.push_back("memo " + line);
    }
    void clearRestartDisplay() override { steps_.push_back("clear display"); }
    void resetMainWindow() override { steps_.push_back("reset main window"); }

    bool timer1 = false;
    bool coldButton = true;
    std::vector<std::string> memo;

private:
    Steps& steps_;
};

const ByteList kAcknowledgement = {0xA0, 0xA1, 0x00, 0x02, 0x83, 0x01, 0x82, 0x0D, 0x0A};

class RestartCommandsTest : public ::testing::Test {
protected:
    RestartCommandsTest()
    {
        fake.link.openPort("COM3");
        receiver.ttffTicks = 41;
        ReceiverState& state = receiver.state;
        state.date_year = 7;
        state.date_month = 5;
        state.date_day = 30;
        state.utc_hour = 12;
        state.utc_minute = 11;
        state.utc_second = 57;
        state.latitude = 2459.9876;
        state.longitude = 12134.5;
        state.fix_mode = '3';
        state.gsv_count = 3;
        state.used_prns[0] = 7;
        state.sat_prn[0] = 7;
        state.sat_snr[0] = 44;
        state.sat_status[0] = kSatUsed;
        steps.clear();
    }

    void useFamily(int family) { receiver.state.receiver_family = family; }
    void receiverAnswers()
    {
        fake.port->onWrite = [&](const ByteList&) { fake.port->pushIncoming(kAcknowledgement); };
    }
    void logWaits()
    {
        clock.onSleep = [&](int ms) { steps.push_back("wait " + std::to_string(ms)); };
    }
    void expectSatellitesCleared()
    {
        EXPECT_EQ(receiver.ttffTicks, 0);
        EXPECT_EQ(receiver.state.used_prns[0], 0);
        EXPECT_EQ(receiver.state.sat_prn[0], 0);
        EXPECT_EQ(receiver.state.sat_snr[0], 0);
        EXPECT_EQ(receiver.state.fix_mode, '0');
        EXPECT_EQ(receiver.state.gsv_count, 0);
        EXPECT_DOUBLE_EQ(receiver.state.latitude, 2459.9876);
    }
    void expectSatellitesKept()
    {
        EXPECT_EQ(receiver.ttffTicks, 41);
        EXPECT_EQ(receiver.state.sat_prn[0], 7);
        EXPECT_EQ(receiver.state.fix_mode, '3');
    }
    ByteList written() const { return fake.port->writes.empty() ? ByteList{} : fake.port->writes.back(); }

    FakeClock clock{10'000};
    ClockOverride useClock{clock};
    Steps steps;
    FakeSerialLink fake{std::make_unique<LoggingPort>(steps)};
    Receiver receiver;
    RecordingHost host{steps};
    RestartCommands commands{fake.link, receiver, host};
};

TEST_F(RestartCommandsTest, AcknowledgedVexaColdRestartCountsTheFixAfresh)
{
    useFamily(kVexaFamily);
    receiverAnswers();
    commands.cold();
    EXPECT_EQ(steps, (Steps{"bt_cold off", "purge", "purge", "write 22", "Timer1 off", "clear display",
                            "Timer1 on", "memo Cold Start Success.", "bt_cold on"}));
    const auto frame = buildVexaRestartFrame(RestartKind::Cold, restartFixFromState(receiver.state));
    EXPECT_EQ(written(), ByteList(frame.begin(), frame.end()));
    expectSatellitesCleared();
}

TEST_F(RestartCommandsTest, UnansweredVexaColdRestartLeavesTimer1AndTheDisplayAlone)
{
    useFamily(kVexaFamily);
    commands.cold();
    EXPECT_EQ(steps,
              (Steps{"bt_cold off", "purge", "purge", "write 22", "memo Cold Start fail", "bt_cold on"}));
    EXPECT_TRUE(host.coldButton);
    expectSatellitesKept();
}

TEST_F(RestartCommandsTest, AcknowledgedVexaWarmRestart)
{
    useFamily(kVexaFamily);
    receiverAnswers();
    commands.warm();
    EXPECT_EQ(steps, (Steps{"Timer1 off", "purge", "purge", "write 22", "Timer1 off", "clear display",
                            "memo Warm Start Success.", "Timer1 on"}));
    EXPECT_EQ(written().at(5), 0x02);
    EXPECT_TRUE(host.timer1);
    expectSatellitesCleared();
}

TEST_F(RestartCommandsTest, UnansweredVexaWarmRestartStillRestartsTimer1)
{
    useFamily(kVexaFamily);
    commands.warm();
    EXPECT_EQ(steps,
              (Steps{"Timer1 off", "purge", "purge", "write 22", "memo Warm Start fail.", "Timer1 on"}));
    expectSatellitesKept();
}

TEST_F(RestartCommandsTest, AcknowledgedVexaHotRestart)
{
    useFamily(kVexaFamily);
    receiverAnswers();
    commands.hot();
    EXPECT_EQ(steps, (Steps{"Timer1 off", "purge", "purge", "write 22", "Timer1 off", "clear display",
                            "Timer1 on", "memo Hot Start Success.", "Timer1 on"}));
    EXPECT_EQ(written().at(5), 0x01);
    expectSatellitesCleared();
}

TEST_F(RestartCommandsTest, UnansweredVexaHotRestartStillRestartsTimer1)
{
    useFamily(kVexaFamily);
    commands.hot();
    EXPECT_EQ(steps,
              (Steps{"Timer1 off", "purge", "purge", "write 22", "memo Hot Start fail.", "Timer1 on"}));
    EXPECT_TRUE(host.timer1);
    expectSatellitesKept();
}

TEST_F(RestartCommandsTest, UnansweredRestartTakesTheFullThreeSecondsAndNoLonger)
{
    useFamily(kVexaFamily);
    commands.warm();
    EXPECT_EQ(clock.nowMs() - 10'000, 3000);
}

TEST_F(RestartCommandsTest, LumoColdRestartPurgesAroundTheFrameAndResetsTheWindow)
{
    useFamily(kLumoFamily);
    logWaits();
    receiverAnswers();
    commands.cold();
    EXPECT_EQ(steps, (Steps{"bt_cold off", "purge", "purge", "write 23", "purge", "wait 500", "purge",
                            "reset main window", "Timer1 on", "bt_cold on"}));
    EXPECT_EQ(written(), ByteList(kLumoColdRestart.begin(), kLumoColdRestart.end()));
    EXPECT_TRUE(host.memo.empty());
}

TEST_F(RestartCommandsTest, LumoWarmRestartSettlesBeforeTheFrame)
{
    useFamily(kLumoFamily);
    logWaits();
    commands.warm();
    EXPECT_EQ(steps, (Steps{"Timer1 off", "purge", "purge", "wait 500", "purge", "write 23",
                            "reset main window", "Timer1 on"}));
    EXPECT_EQ(written(), ByteList(kLumoWarmRestart.begin(), kLumoWarmRestart.end()));
    EXPECT_TRUE(host.memo.empty());
}

TEST_F(RestartCommandsTest, LumoHotRestartSettlesAfterTheFrame)
{
    useFamily(kLumoFamily);
    logWaits();
    commands.hot();
    EXPECT_EQ(steps, (Steps{"Timer1 off", "purge", "write 23", "purge", "wait 500", "purge",
                            "reset main window", "Timer1 on"}));
    EXPECT_EQ(written(), ByteList(kLumoHotRestart.begin(), kLumoHotRestart.end()));
    EXPECT_TRUE(host.memo.empty());
}

TEST_F(RestartCommandsTest, RestartResetKeepsTheFixButClearsSatellitesAndTtff)
{
    restartReset(receiver, host);
    EXPECT_EQ(steps, (Steps{"Timer1 off", "clear display"}));
    expectSatellitesCleared();
    EXPECT_DOUBLE_EQ(receiver.state.longitude, 12134.5);
    EXPECT_EQ(receiver.state.date_day, 30);
}

} // namespace
} // namespace norvane
