// The receiver's device goes away in the middle of a receive-loop tick: between the queued-count
// query and the read, and during the wait after a backlog was discarded. The tick must come back,
// report the loss the way an empty read does, keep doing so on later ticks, and the link must
// connect again to a new receiver on the same COM name.

#include "decode/receive_loop.h"
#include "serial/clock.h"
#include "serial/port_backend.h"
#include "sim/simulator.h"
#include "support/fake_clock.h"
#include "support/recording_sink.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>

namespace norvane::test {
namespace {

constexpr char kLossLine[] = "Nmea code loss or Gps is bad";

// The platform's own port with a hook just before each read, so the device can be pulled after
// the link has seen bytes waiting and before it takes them.
class PullablePort : public PortBackend {
public:
    bool open(const std::string& name) override { return real_->open(name); }
    bool isOpen() const override { return real_->isOpen(); }
    bool applyLineSettings(int rate) override { return real_->applyLineSettings(rate); }
    void close() override { real_->close(); }
    bool purgeReceive() override { return real_->purgeReceive(); }
    std::optional<std::uint32_t> queuedBytes() override { return real_->queuedBytes(); }
    int read(std::uint8_t* dest, std::size_t count) override
    {
        if (beforeRead)
            std::exchange(beforeRead, nullptr)();
        return real_->read(dest, count);
    }
    bool write(const std::uint8_t* data, std::size_t count) override { return real_->write(data, count); }
    bool setupQueues(int size) override { return real_->setupQueues(size); }

    std::function<void()> beforeRead; // runs once, at the next read

private:
    std::unique_ptr<PortBackend> real_ = makePlatformBackend();
};

class UnplugDuringTick : public ::testing::Test {
protected:
    // A receiver on its pseudo-terminal behind COM74, and the link opened on it at 9600.
    bool plugIn(double speed)
    {
        sim::SimulatorOptions options;
        options.pacing = false;
        options.speed = speed;
        simulator = std::make_unique<sim::Simulator>(options);
        if (!simulator->start())
            return false;
        setenv("NORVANE_COM74", simulator->devicePath().c_str(), 1);
        link.closePort();
        return link.openLink("COM74", "9600");
    }

    void TearDown() override
    {
        link.closePort();
        simulator.reset();
        unsetenv("NORVANE_COM74");
    }

    // Ticks about every 50 ms until `done` holds; false after about ten seconds. The limit is a
    // safety net against a receiver that never answers, not a speed requirement.
    bool tickUntil(const std::function<bool()>& done)
    {
        for (int i = 0; i < 200; ++i) {
            loop.tick();
            if (done())
                return true;
            SystemClock().sleepMs(50);
        }
        return false;
    }

    int lossLines() const
    {
        return static_cast<int>(std::count(sink.memo.begin(), sink.memo.end(), kLossLine));
    }

    // After the unplug: every tick ends at once with nothing read and reports the loss again.
    void expectEveryTickReportsTheLoss()
    {
        for (int i = 0; i < 5; ++i) {
            const int before = lossLines();
            EXPECT_EQ(loop.tick(), 0);
            EXPECT_EQ(lossLines(), before + 1);
            EXPECT_EQ(sink.memo.back(), kLossLine);
            EXPECT_FALSE(sink.buttonsEnabled.back());
        }
    }

    // A new receiver on the same COM name: Off and Start again bring the sentences back.
    void expectReconnects()
    {
        sink.clearCalls();
        ASSERT_TRUE(plugIn(4)) << simulator->lastError();
        ASSERT_TRUE(tickUntil([&] { return sink.count("showPosition") > 0 && sink.count("showDate") > 0; }));
        EXPECT_TRUE(sink.buttonsEnabled.back());
        EXPECT_DOUBLE_EQ(receiver.state.latitude, sim::SimulatorOptions{}.latitude);
        EXPECT_EQ(receiver.state.date_day, 19);
    }

    FakeClock clock; // the link's own fixed waits take no time
    ClockOverride useClock{clock};
    PullablePort* port = nullptr;
    SerialLink link{[this] {
        auto backend = std::make_unique<PullablePort>();
        port = backend.get();
        return backend;
    }()};
    Receiver receiver;
    ReceiveBuffer buffer{};
    RecordingSink sink{&receiver};
    ReceiveLoop loop{link, receiver, buffer, sink};
    std::unique_ptr<sim::Simulator> simulator;
};

TEST_F(UnplugDuringTick, PulledBetweenTheQueuedCountAndTheReadTheTickReportsTheLoss)
{
    ASSERT_TRUE(plugIn(4)) << simulator->lastError();
    ASSERT_TRUE(tickUntil([&] { return sink.count("showPosition") > 0; }));

    bool pulled = false;
    port->beforeRead = [&] {
        simulator->unplug();
        pulled = true;
    };
    // The hook fires only on a tick that found bytes waiting.
    ASSERT_TRUE(tickUntil([&] { return pulled; }));
    // That tick may still have taken what had arrived; the next one finds the device gone.
    if (sink.memo.empty() || sink.memo.back() != kLossLine) {
        EXPECT_EQ(loop.tick(), 0);
    }
    EXPECT_EQ(sink.memo.back(), kLossLine);
    EXPECT_FALSE(sink.buttonsEnabled.back());

    expectEveryTickReportsTheLoss();
    expectReconnects();
}

TEST_F(UnplugDuringTick, PulledWhileTheDiscardedBacklogRefillsTheTickReportsTheLoss)
{
    // Eight bursts a second: without ticks, more than one read's worth piles up within a second.
    ASSERT_TRUE(plugIn(8)) << simulator->lastError();
    ASSERT_TRUE(tickUntil([&] { return sink.count("showPosition") > 0; }));
    for (int i = 0; i < 200 && link.queryQueued().value_or(0) <= 1000; ++i)
        SystemClock().sleepMs(50);
    ASSERT_GT(link.lastQueued(), 1000u);

    // The read discards the backlog and waits 700 ms for fresh sentences; the device goes then.
    int waitsDuringTheRead = 0;
    clock.onSleep = [&](int ms) {
        if (ms == 700 && waitsDuringTheRead++ == 0)
            simulator->unplug();
    };
    EXPECT_EQ(loop.tick(), 0);
    clock.onSleep = nullptr;
    EXPECT_EQ(waitsDuringTheRead, 1);
    EXPECT_EQ(sink.memo.back(), kLossLine);
    EXPECT_FALSE(sink.buttonsEnabled.back());

    expectEveryTickReportsTheLoss();
    expectReconnects();
}

} // namespace
} // namespace norvane::test
