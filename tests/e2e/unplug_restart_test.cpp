// The receiver's device goes away while a Vexa restart waits for its acknowledgement. The wait
// must still end at its deadline, the restart report its failure and keep the TTFF count, and a
// restart on a new receiver behind the same COM name must succeed again.

#include "control/restart_commands.h"
#include "decode/receiver_state.h"
#include "serial/clock.h"
#include "serial/serial_link.h"
#include "sim/simulator.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace norvane::test {
namespace {

// Real time, with a hook on every wait: the acknowledgement wait's pauses between polls are the
// moments the device can be pulled from under it.
class HookedSystemClock : public Clock {
public:
    void sleepMs(int ms) override
    {
        if (onSleep)
            onSleep(ms);
        real_.sleepMs(ms);
    }
    std::int64_t nowMs() override { return real_.nowMs(); }

    std::function<void(int ms)> onSleep;

private:
    SystemClock real_;
};

class RecordingRestartHost : public RestartHost {
public:
    void setTimer1Enabled(bool enabled) override { timer1 = enabled; }
    void setColdButtonEnabled(bool enabled) override { coldButton = enabled; }
    int memoLineCount() override { return static_cast<int>(memo.size()); }
    void memoClear() override { memo.clear(); }
    void memoAddLine(const std::string& line) override { memo.push_back(line); }
    void clearRestartDisplay() override { ++displayClears; }
    void resetMainWindow() override { ++resets; }

    bool timer1 = true;
    bool coldButton = true;
    std::vector<std::string> memo;
    int displayClears = 0;
    int resets = 0;
};

class UnplugDuringRestart : public ::testing::Test {
protected:
    void SetUp() override { receiver.state.receiver_family = kVexaFamily; }

    bool plugIn(bool answerFrames)
    {
        sim::SimulatorOptions options;
        options.pacing = false;
        options.speed = 4;
        options.answerFrames = answerFrames;
        simulator = std::make_unique<sim::Simulator>(options);
        if (!simulator->start())
            return false;
        setenv("NORVANE_COM75", simulator->devicePath().c_str(), 1);
        link.closePort();
        return link.openLink("COM75", "9600");
    }

    void TearDown() override
    {
        link.closePort();
        simulator.reset();
        unsetenv("NORVANE_COM75");
    }

    // The device goes at the first pause of the acknowledgement wait, after the frame went out.
    void pullAtTheFirstPause()
    {
        clock.onSleep = [this](int ms) {
            if (ms < 500 && simulator) {
                simulator->unplug();
                clock.onSleep = nullptr;
                pulled = true;
            }
        };
    }

    HookedSystemClock clock;
    ClockOverride useClock{clock};
    SerialLink link;
    Receiver receiver;
    RecordingRestartHost host;
    RestartCommands restart{link, receiver, host};
    std::unique_ptr<sim::Simulator> simulator;
    bool pulled = false;
};

TEST_F(UnplugDuringRestart, ColdRestartFailsAtItsDeadlineAndSucceedsOnANewReceiver)
{
    // A receiver that does not answer: the wait is certainly still running when the device goes.
    ASSERT_TRUE(plugIn(false)) << simulator->lastError();
    receiver.ttffTicks = 7;
    receiver.state.sat_prn[0] = 12;
    pullAtTheFirstPause();

    restart.cold();

    EXPECT_TRUE(pulled);
    EXPECT_EQ(host.memo, std::vector<std::string>{"Cold Start fail"});
    // Nothing was reset: the count and the satellites of the fix before stay.
    EXPECT_EQ(receiver.ttffTicks, 7);
    EXPECT_EQ(receiver.state.sat_prn[0], 12);
    EXPECT_EQ(host.displayClears, 0);
    EXPECT_TRUE(host.coldButton);

    ASSERT_TRUE(plugIn(true)) << simulator->lastError();
    host.memo.clear();
    restart.cold();
    EXPECT_EQ(host.memo, std::vector<std::string>{"Cold Start Success."});
    EXPECT_EQ(receiver.ttffTicks, 0);
    EXPECT_EQ(receiver.state.sat_prn[0], 0);
    EXPECT_TRUE(host.timer1);
    EXPECT_EQ(simulator->restartsSeen(), 1);
}

TEST_F(UnplugDuringRestart, WarmAndHotRestartsReportTheirFailureAndTheReceiveLoopRunsOn)
{
    ASSERT_TRUE(plugIn(false)) << simulator->lastError();
    pullAtTheFirstPause();
    restart.warm();
    EXPECT_TRUE(pulled);
    // The port is gone for good now; the next restart fails the same way without a hang.
    restart.hot();
    EXPECT_EQ(host.memo, (std::vector<std::string>{"Warm Start fail.", "Hot Start fail."}));
    EXPECT_TRUE(host.timer1);
    EXPECT_EQ(host.displayClears, 0);

    ASSERT_TRUE(plugIn(true)) << simulator->lastError();
    host.memo.clear();
    restart.hot();
    EXPECT_EQ(host.memo, std::vector<std::string>{"Hot Start Success."});
    EXPECT_EQ(simulator->restartsSeen(), 1);
}

} // namespace
} // namespace norvane::test
